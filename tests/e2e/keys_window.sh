#!/usr/bin/env bash
# Every key on the SDL2 program, end to end in a virtual X server: drav records a demo while
# each key of the table is held in turn (the arrows and page keys, then the keypad's navigation
# keys with Num Lock off), and the recording must hold exactly those keys and change the camera
# as the tick rules say. Also: the first title is "DRAV"; drav --play plays the shipped demo in
# real time with every check matching; a demo edited in one key byte exits with status 3. With
# walking forward bound to W in the settings file, W walks forward and Up does nothing.
#
# Usage: keys_window.sh DRAV-RENDER DRAV-BENCH DATA-DIRECTORY DEMO OUTPUT-DIRECTORY DRAV
#                       CLOSE-WINDOW-HELPER
set -uo pipefail

source "$(dirname "$0")/keys_common.sh"
read_common_arguments "$@"
drav=$(realpath "$6")
close_window=$(realpath "$7")

xvfb_pid=""
watcher=""
drav_pid=""
cleanup() {
    for pid in "$drav_pid" "$watcher" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
    done
}
trap cleanup EXIT

# Playing follows the demo's clock whatever the frame rate, so 30 frames a second do: the
# shipped demo plays for 78 s, which uncapped would keep a core busy beside the other stages.
play() {
    (cd "$data" && exec "$drav" --play "$1" --fps-cap 30) >"$2" 2>&1
    echo $?
}

source "$(dirname "$0")/virtual_screen.sh"
start_virtual_screen "$out" || { echo "Xvfb did not start" >&2; exit 1; }

# record DEMO HOLD : records a demo while the function HOLD holds keys in drav's window, and
# checks that the recording holds them.
record() {
    start_title_watcher
    (cd "$data" && exec "$drav" --record "$out/$1") >"$out/record.log" 2>&1 &
    drav_pid=$!
    find_program_window 60
    xdotool windowfocus --sync "$window" 2>/dev/null
    "$2"
    "$close_window" "$window" || fail "cannot send the close request"
    wait_for 60 bash -c "! kill -0 $drav_pid 2>/dev/null" || fail "drav --record did not end"
    wait "$drav_pid"
    local status=$?
    drav_pid=""
    kill "$watcher" 2>/dev/null
    [ "$status" = 0 ] || fail "drav --record exited with $status: $(cat "$out/record.log")"
    grep -q "^drav: recorded [0-9]* ticks into" "$out/record.log" || fail "no recording report"
    check_recorded_keys "$out/$1"
}

record keys.dem hold_each_key
check_playback
# Walking forward bound to W in the settings file.
mkdir -p "$XDG_CONFIG_HOME/drav"
printf 'key-forward = W\n' >"$XDG_CONFIG_HOME/drav/drav.ini"
record bound.dem hold_w_and_up

[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
