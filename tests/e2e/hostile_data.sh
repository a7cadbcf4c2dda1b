#!/usr/bin/env bash
# Runs drav-render on damaged copies of the data set: each run finishes with status 0, names
# the damaged file in a warning, and draws what the sound part of the data gives.
#   hostile_data.sh DRAV_RENDER DATA_DIR
set -uo pipefail

render=$1
data=$2
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

# damaged NAME: a fresh copy of the data set in $work/NAME.
damaged() {
    mkdir "$work/$1" && cp "$data"/* "$work/$1/"
}

# header FILE COUNT: a 12-byte model file, magic, version 0 and the triangle count.
header() {
    python3 -c 'import struct, sys
open(sys.argv[1], "wb").write(b"HGM!" + struct.pack("<ii", 0, int(sys.argv[2])))' "$1" "$2"
}

# render_damaged NAME: renders from $work/NAME into NAME.raw; fails when the tool does.
render_damaged() {
    "$render" --data "$work/$1" --raw "$work/$1.raw" >"$work/$1.out" 2>"$work/$1.err"
    local status=$?
    [ "$status" = 0 ] || fail "$1: drav-render exited with $status ($(cat "$work/$1.err"))"
}

# warned NAME PATTERN: the run's warnings hold a line like PATTERN.
warned() {
    grep -qE "$2" "$work/$1.err" || fail "$1: no warning like '$2' in: $(cat "$work/$1.err")"
}

# A ceiling model that claims 22369621 triangles (2 GB) in 12 bytes draws as one that holds
# none: the loader keeps only what the file holds.
damaged huge && header "$work/huge/ceil.hgm" 22369621
damaged none && header "$work/none/ceil.hgm" 0
render_damaged huge
render_damaged none
warned huge "warning: model file .*/huge/ceil.hgm declares 22369621 triangles but holds 0"
cmp -s "$work/huge.raw" "$work/none.raw" || fail "huge: not the frame of an empty ceiling model"

# Suspicious textures are named, and the frame renders as with a missing one.
damaged textures
: >"$work/textures/tex1.raw"
head -c 100 "$data/tex5.raw" >"$work/textures/tex5.raw"
rm "$work/textures/tex6.raw" && mkdir "$work/textures/tex6.raw"
render_damaged textures
warned textures "texture file .*/tex1.raw is empty"
warned textures "texture file .*/tex5.raw holds 100 bytes"
warned textures "texture file .*/tex6.raw is not a regular file"
cmp -s "$work/textures.raw" "$work/none.raw" && fail "textures: frame did not change"

[ "$failures" -eq 0 ] && echo "all damaged-data checks passed"
exit $((failures > 0))
