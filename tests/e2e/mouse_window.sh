#!/usr/bin/env bash
# Mouse turning on the SDL2 program, end to end in a virtual X server: drav --mouse records a
# demo while xdotool moves the pointer right, presses Escape, moves it left (freed, so it must
# not turn), clicks in the window and moves it forward. The demo must hold that motion, play
# back natively with every check matching and have turned the camera by it
# (mouse_demo_check.py), and drav --play must play it in real time with every check matching.
#
# Usage: mouse_window.sh DRAV-RENDER DRAV-BENCH DATA-DIRECTORY OUTPUT-DIRECTORY DRAV
#                        CLOSE-WINDOW-HELPER
set -uo pipefail

source "$(dirname "$0")/keys_common.sh"
read_common_arguments "$1" "$2" "$3" /dev/null "$4"
drav=$(realpath "$5")
close_window=$(realpath "$6")
sensitivity=150

xvfb_pid=""
watcher=""
drav_pid=""
cleanup() {
    for pid in "$drav_pid" "$watcher" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
    done
}
trap cleanup EXIT

# move_pointer COUNT DX DY : COUNT relative moves 50 ms apart.
move_pointer() {
    local step
    for ((step = 0; step < $1; ++step)); do
        xdotool mousemove_relative -- "$2" "$3"
        sleep 0.05
    done
}

source "$(dirname "$0")/virtual_screen.sh"
start_virtual_screen "$out" || { echo "Xvfb did not start" >&2; exit 1; }

start_title_watcher
(cd "$data" && exec "$drav" --mouse --mouse-sensitivity "$sensitivity" \
    --record "$out/mouse.dem") >"$out/record.log" 2>&1 &
drav_pid=$!
find_program_window 60
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool mousemove --window "$window" 320 240 click 1
sleep 0.3
move_pointer 10 12 0
sleep 0.3
xdotool key Escape
sleep 0.3
move_pointer 10 -12 0
xdotool mousemove --window "$window" 320 240 click 1
sleep 0.3
move_pointer 10 0 -6
sleep 0.3
"$close_window" "$window" || fail "cannot send the close request"
wait_for 60 bash -c "! kill -0 $drav_pid 2>/dev/null" || fail "drav --record did not end"
wait "$drav_pid"
status=$?
drav_pid=""
[ "$status" = 0 ] || fail "drav --mouse --record exited with $status: $(cat "$out/record.log")"

python3 "$(dirname "$0")/mouse_demo_check.py" "$out/mouse.dem" "$render" "$bench" "$data" \
    "$sensitivity" || fail "the motion recorded with --mouse"
(cd "$data" && exec "$drav" --play "$out/mouse.dem") >"$out/play.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "drav --play of the mouse demo exited with $status: $(cat "$out/play.log")"

[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
