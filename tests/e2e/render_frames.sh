#!/usr/bin/env bash
# Renders frames of the level with drav-render from the generated data and checks properties
# of the pictures and of the tool's behaviour.
#   render_frames.sh DRAV_RENDER DATA_DIR
set -uo pipefail

render=$1
data=$2
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

# frame_check NAME PYTHON-EXPRESSION: evaluates the expression over the raw frame `frame`
# (bytes), the fog table `fog` (bytes) and the data directory `data`; fails when it is false.
frame_check() {
    local name=$1 expression=$2
    python3 - "$work/$name.raw" "$work/fog.bin" "$data" "$expression" <<'PY' || fail "$name: $2"
import sys
frame = open(sys.argv[1], "rb").read()
fog = open(sys.argv[2], "rb").read()
data = sys.argv[3]
def texture(name):
    return open(data + "/" + name, "rb").read()[:4096]
def share(colours):
    colours = set(colours)
    return sum(1 for p in frame if p in colours) / len(frame)
def fogged(texels, shades):
    return {fog[s * 256 + t] for s in shades for t in set(texels)}
ok = len(frame) == 76800 and eval(sys.argv[4])
if not ok:
    print("distinct colours:", len(set(frame)), file=sys.stderr)
sys.exit(0 if ok else 1)
PY
}

# render_ok NAME ARGS...: renders NAME.raw with the args; fails when the tool does.
render_ok() {
    local name=$1
    shift
    "$render" --raw "$work/$name.raw" --fog-table "$work/fog.bin" "$@" \
        >"$work/$name.out" 2>"$work/$name.err"
    local status=$?
    if [ "$status" != 0 ]; then
        fail "$name: drav-render exited with $status ($(cat "$work/$name.err"))"
        return 1
    fi
}

# png_size FILE: the PNG's width and height as WIDTHxHEIGHT; "not a PNG" for anything else.
png_size() {
    python3 -c 'import sys, struct
png = open(sys.argv[1], "rb").read()
print("%dx%d" % struct.unpack(">II", png[16:24]) if png[:8] == b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$1"
}

# The start view: a picture of many colours, every model file found, a PNG at window size.
if render_ok start --data "$data" --png "$work/start.png"; then
    frame_check start 'len(set(frame)) > 20'
    grep -qE '^models=[1-9][0-9]*$' "$work/start.out" || fail "start: no models line"
    [ ! -s "$work/start.err" ] || fail "start: unexpected warnings: $(cat "$work/start.err")"
    [ "$(png_size "$work/start.png")" = 640x480 ] || fail "start: PNG is $(png_size "$work/start.png")"
fi

# Larger frames: the raw file holds every pixel of the 320K x 240K frame, the PNG shows it pixel
# for pixel, and the thread count changes no byte.
for scale in 2 4; do
    width=$((320 * scale)) height=$((240 * scale))
    if render_ok "scale$scale" --data "$data" --scale "$scale" --threads 2 \
        --png "$work/scale$scale.png" && render_ok "scale${scale}_one_thread" --data "$data" \
        --scale "$scale" --threads 1; then
        [ "$(stat -c %s "$work/scale$scale.raw")" = $((width * height)) ] ||
            fail "scale $scale: raw frame is not ${width}x${height} bytes"
        [ "$(png_size "$work/scale$scale.png")" = "${width}x${height}" ] ||
            fail "scale $scale: PNG is $(png_size "$work/scale$scale.png")"
        cmp -s "$work/scale$scale.raw" "$work/scale${scale}_one_thread.raw" ||
            fail "scale $scale: one thread and two differ"
    fi
done

# The fog table: 65536 bytes whose first is the frame's clear colour.
[ "$(stat -c %s "$work/fog.bin")" = 65536 ] || fail "fog table is not 65536 bytes"

# The same arguments give the same bytes; ticks move the hearts and bob the eye.
if render_ok again --data "$data" && render_ok ticked --data "$data" --ticks 40; then
    cmp -s "$work/start.raw" "$work/again.raw" || fail "two renders of the start differ"
    ! cmp -s "$work/start.raw" "$work/ticked.raw" || fail "40 ticks changed nothing"
fi

# Close up to the east wall of the start room, facing it: mostly the wall texture.
if render_ok wall --data "$data" --camera 24.6,2,-1.5707964; then
    frame_check wall 'share(fogged(texture("tex5.raw"), range(200, 256))) > 0.9'
fi

# Far outside the level, facing away from it: nothing but fog.
if render_ok outside --data "$data" --camera 0,100,0; then
    frame_check outside 'set(frame) == {fog[0]}'
    grep -qx 'models=0' "$work/outside.out" || fail "outside: models line $(cat "$work/outside.out")"
fi

# Bad arguments: the option and the value named first, then the usage, on stderr; status 2,
# nothing rendered.
for arguments in "--ticks abc" "--ticks -1" "--ticks 1000001" "--camera 1,2" \
    "--camera 1,2,3,4,5" "--camera 1,2,nan" "--camera 1,2,3x" "--scale 9" "--threads 0" \
    "--unknown 1" "--png" "stray"; do
    # shellcheck disable=SC2086
    "$render" --data "$data" --raw "$work/bad.raw" $arguments >/dev/null 2>"$work/bad.err"
    status=$?
    [ "$status" = 2 ] || fail "'$arguments' exited with $status, not 2"
    grep -q '^usage: drav-render' "$work/bad.err" || fail "'$arguments' printed no usage"
    first=$(head -n1 "$work/bad.err")
    [[ $first == "drav-render: "*"${arguments##* }"* ]] || fail "'$arguments' gave '$first'"
    [ ! -e "$work/bad.raw" ] || fail "'$arguments' rendered a frame"
done

# --help: the options on stdout, status 0, nothing rendered.
"$render" --help --raw "$work/help.raw" >"$work/help.out" 2>&1
[ "$?" = 0 ] || fail "--help did not exit 0"
for option in --data --ticks --camera --png --raw --fog-table --scale --threads; do
    grep -q -- "$option" "$work/help.out" || fail "--help does not list $option"
done
[ ! -e "$work/help.raw" ] || fail "--help rendered a frame"

# A missing model file is named, and the frame is rendered without that model.
mkdir "$work/partial"
cp "$data"/* "$work/partial/"
rm "$work/partial/cube.hgm"
if render_ok partial --data "$work/partial"; then
    grep -q 'cube.hgm' "$work/partial.err" || fail "partial: missing file not named"
    frame_check partial 'len(set(frame)) > 20'
    [ "$(cat "$work/partial.out")" != "$(cat "$work/start.out")" ] ||
        fail "partial: same model count without the walls"
fi

[ "$failures" -eq 0 ] && echo "all render checks passed"
exit $((failures > 0))
