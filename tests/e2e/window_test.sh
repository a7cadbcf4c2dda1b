#!/usr/bin/env bash
# End-to-end check of the demo in a virtual X server: the window's size, the frame-rate title,
# a picture of the level, walking with the Up key, and closing through the window manager's
# delete request. Every wait polls with a generous deadline, so a busy machine only makes the
# test slower, never wrong.
#
# Usage: window_test.sh DRAV DATA-DIRECTORY CLOSE-WINDOW-HELPER OUTPUT-DIRECTORY
set -uo pipefail

drav=$1
data=$2
close_window=$3
out=$4
mkdir -p "$out"
rm -f "$out"/*.png

xvfb_pid=""
drav_pid=""
window=""
title=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cleanup() {
    [ -n "$drav_pid" ] && kill "$drav_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

source "$(dirname "$0")/wait_for.sh"
source "$(dirname "$0")/virtual_screen.sh"

for tool in Xvfb xdotool xwininfo import compare convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -f "$data/plane.hgm" ] || fail "no data files in $data"

start_virtual_screen "$out" || fail "Xvfb did not start"

(cd "$data" && exec "$drav") 2>"$out/drav.stderr" &
drav_pid=$!

title_pattern='^[0-9]+\.[0-9]{2} FPS \([0-9]+\.[0-9]{2} ms\) models=([0-9]+)$'
# The window that shows the frame-rate title with models drawn. SDL may destroy its first window
# and make another while it sets up the window's surface, so the window is looked up only once
# the main loop has retitled it; from then on it stays.
find_running_window() {
    local candidate
    for candidate in $(xdotool search --pid "$drav_pid" 2>/dev/null); do
        title=$(xdotool getwindowname "$candidate" 2>/dev/null) || continue
        if [[ $title =~ $title_pattern ]] && [ "${BASH_REMATCH[1]}" -gt 0 ]; then
            window=$candidate
            return 0
        fi
    done
    return 1
}
wait_for 60 find_running_window || fail "no window showed the frame rate with models: '$title'"
echo "window $window on $DISPLAY"
echo "title: $title"

# The client area: without a window manager the SDL window is the client area itself.
geometry=$(xwininfo -id "$window")
width=$(awk '/Width:/ { print $2 }' <<<"$geometry")
height=$(awk '/Height:/ { print $2 }' <<<"$geometry")
[ "$width" = 640 ] && [ "$height" = 480 ] || fail "client area is ${width}x${height}, not 640x480"

# screenshot NAME : saves the window's picture as OUTPUT-DIRECTORY/NAME.png.
screenshot() {
    import -window "$window" "$out/$1.png" || fail "cannot take screenshot $1"
}
colour_count() { convert "$out/$1.png" -format %k info:; }
# Number of the 40x30 blocks of 16x16 pixels whose mean colour differs by more than 5% between
# two screenshots. The eye-height bob alone shifts the picture by a pixel now and then, which
# changes many single pixels but only a few block means; walking changes most of them.
blocks_changed() {
    convert "$out/$1.png" -scale 40x30 "$out/$1_blocks.png"
    convert "$out/$2.png" -scale 40x30 "$out/$2_blocks.png"
    compare -metric AE -fuzz 5% "$out/$1_blocks.png" "$out/$2_blocks.png" null: 2>&1 >/dev/null
}

screenshot start_view
colours=$(colour_count start_view)
echo "start view: $colours colours"
[ "$colours" -ge 8 ] || fail "the picture has only $colours colours"
[ "$(identify -format %wx%h "$out/start_view.png")" = 640x480 ] || fail "screenshot is not 640x480"

# Hold Up for half a second, and beyond that until the title has been rewritten twice, so the
# loop has certainly polled the key while it was held.
title_changed_from() { [ "$(xdotool getwindowname "$window")" != "$1" ]; }
xdotool windowfocus "$window" 2>/dev/null
xdotool keydown Up
sleep 0.5
for _ in 1 2; do
    seen=$(xdotool getwindowname "$window")
    wait_for 30 title_changed_from "$seen"
done
xdotool keyup Up
screenshot walked_view
changed=$(blocks_changed start_view walked_view)
echo "walking changed $changed of 1200 blocks"
[ "$changed" -gt 600 ] || fail "walking changed only $changed of 1200 blocks"

"$close_window" "$window" || fail "cannot send the close request"
exited() { ! kill -0 "$drav_pid" 2>/dev/null; }
wait_for 60 exited || fail "drav still runs after the close request"
wait "$drav_pid"
status=$?
drav_pid=""
[ "$status" = 0 ] || fail "drav exited with code $status"
if [ -s "$out/drav.stderr" ]; then
    cat "$out/drav.stderr" >&2
    fail "drav wrote to stderr"
fi
echo "screenshots in $out"
echo "PASS"
