#!/usr/bin/env bash
# Plays the shipped demo of the default walk through drav-bench (timedemo) and drav-render,
# checks that drav-render's frame at the last tick is the one the demo's last check holds, and
# that an edited, truncated, foreign or mismatched file is refused with the right status.
#   demo_files.sh DRAV_BENCH DRAV_RENDER DATA_DIR DEMO
set -uo pipefail

bench=$1
render=$2
data=$3
demo=$4
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

# expect_status STATUS PATTERN COMMAND... : the command exits with STATUS and says PATTERN.
expect_status() {
    local status=$1 pattern=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" = "$status" ] || fail "$* exited with $got, not $status: $(cat "$work/err")"
    grep -qE "$pattern" "$work/out" "$work/err" || fail "$* did not say /$pattern/: $(cat "$work/err")"
}

# The demo's tick count and the last check's frame digest, read from the file's layout.
read -r ticks digest < <(python3 - "$demo" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
ticks = struct.unpack_from('<I', data, 12)[0]
# The last check record is the 45 bytes before the 5-byte end marker; its frame digest ends it.
print(ticks, '%016x' % struct.unpack_from('<Q', data, len(data) - 5 - 8)[0])
PY
)
[ "$ticks" -gt 1000 ] || fail "the shipped demo holds only $ticks ticks"

expect_status 0 "^timedemo .*: $ticks ticks, [0-9.]+ s, [0-9.]+ frames per second, ([0-9]+) of \1 checks passed$" \
    "$bench" --data "$data" --play "$demo"

"$render" --data "$data" --play "$demo" --raw "$work/last.raw" >/dev/null || fail "drav-render --play"
frame_digest=$(python3 -c '
import sys
h = 0xcbf29ce484222325
for b in open(sys.argv[1], "rb").read():
    h = ((h ^ b) * 0x100000001b3) & 0xffffffffffffffff
print("%016x" % h)' "$work/last.raw")
[ "$frame_digest" = "$digest" ] || fail "drav-render's last frame $frame_digest is not the demo's $digest"
"$render" --data "$data" --play "$demo" --tick 0 --raw "$work/first.raw" >/dev/null &&
    "$render" --data "$data" --raw "$work/start.raw" >/dev/null &&
    cmp -s "$work/first.raw" "$work/start.raw" || fail "tick 0 of the demo is not the start view"

# One byte of the keys changed: tick 1000's key byte sits after 15 check records of 45 bytes.
python3 - "$demo" "$work/edited.dem" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
offset = 24 + 999 + (999 // 64) * 45
assert data[offset] < 0x80
data[offset] ^= 0x02  # Page Up
open(sys.argv[2], 'wb').write(data)
PY
expect_status 3 "first mismatch at tick 1024: " "$bench" --data "$data" --play "$work/edited.dem"
expect_status 3 "first mismatch at tick 1024: " "$render" --data "$data" --play "$work/edited.dem"
expect_status 0 "models=" "$render" --data "$data" --play "$work/edited.dem" --tick 1000

size=$(stat -c %s "$demo")
head -c $((size / 2)) "$demo" >"$work/truncated.dem"
expect_status 2 "truncated" "$bench" --data "$data" --play "$work/truncated.dem"
expect_status 2 "truncated" "$render" --data "$data" --play "$work/truncated.dem"
expect_status 2 "not a demo file" "$bench" --data "$data" --play "$data/plane.hgm"
expect_status 2 "cannot open" "$bench" --data "$data" --play "$work/missing.dem"

cp -r "$data" "$work/data"
printf 'x' | dd of="$work/data/tex2.raw" bs=1 seek=100 conv=notrunc status=none
expect_status 2 "other data files" "$bench" --data "$work/data" --play "$demo"

for arguments in "--play $demo --walk U1" "--play $demo --frames 3" "--play $demo --record x"; do
    # shellcheck disable=SC2086
    expect_status 2 "^usage: drav-bench" "$bench" --data "$data" $arguments
done
for arguments in "--tick 3" "--play $demo --ticks 3" "--play $demo --tick x"; do
    # shellcheck disable=SC2086
    expect_status 2 "^usage: drav-render" "$render" --data "$data" $arguments
done
expect_status 2 "only $ticks ticks" "$render" --data "$data" --play "$demo" --tick $((ticks + 1))

[ "$failures" -eq 0 ] && echo "all demo file checks passed"
exit $((failures > 0))
