#!/usr/bin/env bash
# Every key on the SDL2 program, end to end in a virtual X server: drav records a demo while
# each key of the table is held in turn (the arrows and page keys, then the keypad's navigation
# keys with Num Lock off), and the recording must hold exactly those keys and change the camera
# as the tick rules say. Also: the first title is "DRAV"; drav --play plays the shipped demo in
# real time with every check matching; a demo edited in one key byte exits with status 3.
#
# Usage: keys_window.sh DRAV DRAV-RENDER DRAV-BENCH DATA-DIRECTORY DEMO CLOSE-WINDOW-HELPER
#                       OUTPUT-DIRECTORY
set -uo pipefail

drav=$(realpath "$1")
render=$(realpath "$2")
bench=$(realpath "$3")
data=$(realpath "$4")
demo=$(realpath "$5")
close_window=$(realpath "$6")
out=$(realpath -m "$7")
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
rm -f "$out"/*.dem "$out"/*.log

xvfb_pid=""
watcher=""
drav_pid=""
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
cleanup() {
    for pid in "$drav_pid" "$watcher" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
    done
}
trap cleanup EXIT
source "$here/wait_for.sh"
source "$here/key_table.sh"

display_file="$out/display"
rm -f "$display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>"$out/xvfb.log" &
xvfb_pid=$!
wait_for 30 test -s "$display_file" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$display_file")"

python3 "$here/wine_titles.py" >"$out/titles.log" &
watcher=$!
wait_for 30 grep -q '^watching$' "$out/titles.log" || { echo "no title watcher" >&2; exit 1; }

(cd "$data" && exec "$drav" --record "$out/keys.dem") >"$out/record.log" 2>&1 &
drav_pid=$!
frame_rate_title='^[0-9]+ [0-9]+\.[0-9]{2} FPS \([0-9]+\.[0-9]{2} ms\) models=[1-9][0-9]*$'
first_frame_rate_line() { grep -m1 -E "$frame_rate_title" "$out/titles.log"; }
wait_for 60 first_frame_rate_line >/dev/null || { echo "no frame-rate title" >&2; exit 1; }
window=$(first_frame_rate_line | cut -d' ' -f1)
first_title=$(awk -v id="$window" '$1 == id { sub(/^[^ ]+ /, ""); print; exit }' "$out/titles.log")
[ "$first_title" = "DRAV" ] || fail "the first title is \"$first_title\", not \"DRAV\""

xdotool windowfocus --sync "$window" 2>/dev/null
hold_each_key
"$close_window" "$window" || fail "cannot send the close request"
wait_for 60 bash -c "! kill -0 $drav_pid 2>/dev/null" || fail "drav --record did not end"
wait "$drav_pid"
status=$?
drav_pid=""
[ "$status" = 0 ] || fail "drav --record exited with $status: $(cat "$out/record.log")"
grep -q "^drav: recorded [0-9]* ticks into" "$out/record.log" || fail "no recording report"
python3 "$here/key_demo_check.py" "$out/keys.dem" "$render" "$data" "${expected_keys[@]}" ||
    fail "the keys recorded by drav"

# Real-time playback of the shipped demo, then a short demo edited in one key byte.
(cd "$data" && exec "$drav" --play "$demo") >"$out/play.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "drav --play of the shipped demo exited with $status: $(cat "$out/play.log")"
grep -q "all [0-9]* checks matched" "$out/play.log" || fail "no playback report: $(cat "$out/play.log")"

"$bench" --data "$data" --walk "U100 L40" --record "$out/short.dem" >/dev/null
python3 -c 'import sys; d = bytearray(open(sys.argv[1], "rb").read()); d[24 + 9] ^= 1
open(sys.argv[1], "wb").write(d)' "$out/short.dem"
(cd "$data" && exec "$drav" --play "$out/short.dem") >"$out/edited.log" 2>&1
status=$?
[ "$status" = 3 ] || fail "drav --play of an edited demo exited with $status, not 3"
grep -q "first mismatch at tick 64: the keys" "$out/edited.log" ||
    fail "the edited demo's first mismatching tick was not named: $(cat "$out/edited.log")"

[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
