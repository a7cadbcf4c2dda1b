#!/usr/bin/env bash
# Every key on drav.exe under Wine, and demo playback there. drav.exe records a demo while each
# key of the table is held in turn; the recording must hold exactly those keys and move the
# camera as the tick rules say (read back by the native drav-render). drav.exe then plays the
# shipped demo in real time with every check matching, and a demo edited in one key byte must
# exit with status 3 naming the tick. With walking forward bound to W in a settings file, W
# walks forward and Up does nothing. drav.exe --mouse records the pointer's motion as
# mouse_demo_check.py expects, and plays a demo recorded with --mouse with every check matching.
# Usage, inside wine_run.sh:
#   wine_keys.sh DRAV-RENDER DRAV-BENCH DATA-DIRECTORY DEMO OUTPUT-DIRECTORY DIST-DIRECTORY
#                MOUSE-DEMO
set -uo pipefail

source "$(dirname "$0")/keys_common.sh"
read_common_arguments "$@"
dist=$(realpath "$6")
mouse_demo=$(realpath "$7")
rm -f "$dist"/*.dem

watcher=""
finish() {
    xdotool keyup Up Down Left Right Prior Next End w 2>/dev/null
    [ -n "$watcher" ] && kill "$watcher" 2>/dev/null
    rm -f "$dist"/*.dem "$dist/bound.ini"
}
trap finish EXIT

# Demo files are handed over in drav.exe's own folder, by plain names. 30 frames a second, as
# in keys_window.sh, keep the real-time playback from holding a core.
play() {
    cp "$1" "$dist/play.dem"
    (cd "$dist" && wine drav.exe --play play.dem --fps-cap 30 >"$2" 2>&1; echo $?)
}

# record DEMO HOLD OPTION... : records a demo with drav.exe and the options while the function
# HOLD holds keys in its window, and checks that the recording holds them.
record() {
    local name=$1 hold=$2
    shift 2
    rm -f "$out/record.status"
    start_title_watcher
    (cd "$dist" && wine drav.exe "$@" --record "$name" >"$out/record.log" 2>&1
        echo $? >"$out/record.status") &
    find_program_window 180
    timeout 30 xdotool windowfocus --sync "$window"
    "$hold"
    xdotool key --window "$window" alt+F4
    wait_for 60 test -s "$out/record.status" || fail "drav.exe --record did not end"
    kill "$watcher" 2>/dev/null
    [ "$(cat "$out/record.status" 2>/dev/null)" = 0 ] ||
        fail "drav.exe --record exited with $(cat "$out/record.status"): $(cat "$out/record.log")"
    cp "$dist/$name" "$out/$name" 2>/dev/null || fail "drav.exe wrote no $name"
    check_recorded_keys "$out/$name"
}

record keys.dem hold_each_key
check_playback
# Walking forward bound to W in a settings file named on the command line.
printf 'key-forward = W\r\n' >"$dist/bound.ini"
record bound.dem hold_w_and_up --config bound.ini

start_title_watcher
rm -f "$out/mouse-record.status"
(cd "$dist" && wine drav.exe --mouse --mouse-sensitivity 150 --record mouse.dem \
    >"$out/mouse-record.log" 2>&1; echo $? >"$out/mouse-record.status") &
find_program_window 180
timeout 30 xdotool windowfocus --sync "$window"
turn_with_mouse
xdotool key --window "$window" alt+F4
wait_for 60 test -s "$out/mouse-record.status" && mv "$dist/mouse.dem" "$out/mouse.dem" &&
    python3 "$(dirname "$0")/mouse_demo_check.py" "$out/mouse.dem" "$render" "$bench" "$data" 150 ||
    fail "drav.exe --mouse --record: $(cat "$out/mouse-record.log")"
status=$(play "$mouse_demo" "$out/mouse.log")
[ "$status" = 0 ] && grep -q "all [0-9]* checks matched" "$out/mouse.log" ||
    fail "playing the mouse demo exited with $status: $(cat "$out/mouse.log")"

echo "wine keys and demos: $failures failed"
[ "$failures" -eq 0 ]
