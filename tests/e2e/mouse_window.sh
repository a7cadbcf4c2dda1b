#!/usr/bin/env bash
# Mouse turning on the SDL2 program in a virtual X server: drav --mouse records while xdotool
# moves the pointer right, presses Escape, moves it left, clicks in the window and moves it
# forward; mouse_demo_check.py checks the recording, and drav --play plays it.
# Usage: mouse_window.sh DRAV-RENDER DRAV-BENCH DATA-DIRECTORY OUTPUT-DIRECTORY DRAV CLOSE-WINDOW
set -uo pipefail
source "$(dirname "$0")/keys_common.sh"
read_common_arguments "$1" "$2" "$3" /dev/null "$4"
drav=$(realpath "$5")
xvfb_pid="" watcher="" drav_pid=""
trap 'kill $drav_pid $watcher $xvfb_pid 2>/dev/null' EXIT

source "$(dirname "$0")/virtual_screen.sh"
start_virtual_screen "$out" || { echo "Xvfb did not start" >&2; exit 1; }
start_title_watcher
(cd "$data" && exec "$drav" --mouse --mouse-sensitivity 150 --record "$out/mouse.dem") \
    >"$out/record.log" 2>&1 &
drav_pid=$!
find_program_window 60
xdotool windowfocus --sync "$window"
turn_with_mouse
"$6" "$window" && wait "$drav_pid" || fail "drav --mouse --record: $(cat "$out/record.log")"
drav_pid=""
python3 "$(dirname "$0")/mouse_demo_check.py" "$out/mouse.dem" "$render" "$bench" "$data" 150 ||
    fail "the motion recorded with --mouse"
(cd "$data" && "$drav" --play "$out/mouse.dem") >"$out/play.log" 2>&1 ||
    fail "drav --play of the mouse demo: $(cat "$out/play.log")"
[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
