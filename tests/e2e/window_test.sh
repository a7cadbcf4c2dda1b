#!/usr/bin/env bash
# End-to-end check of the demo in a virtual X server: the window's size, the frame-rate title,
# a picture of the level, a screenshot with F12 that drav-render renders again from its view,
# a clip recorded with F9 while walking with the Up key, and closing through the window
# manager's delete request; then the window's size and picture at scales 2 and 4, and the
# frame-rate title with --smooth. Every wait polls with a generous deadline, so a busy machine
# only makes the test slower, never wrong.
#
# Usage: window_test.sh DRAV DATA-DIRECTORY CLOSE-WINDOW-HELPER OUTPUT-DIRECTORY DRAV-RENDER
set -uo pipefail

drav=$1
data=$2
close_window=$3
out=$4
drav_render=$5
mkdir -p "$out"
rm -f "$out"/*.png
# drav runs in a folder of its own; its screenshots and clips land in the drav folder of the
# pictures folder, which it makes.
run="$out/run"
pictures="$out/pictures"
captures="$pictures/drav"
rm -rf "$run" "$pictures"
mkdir -p "$run" "$pictures"

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
ln -s "$data"/*.hgm "$data"/*.raw "$run"/

# Without a display drav ends at once, rather than running on a video driver that shows nothing.
no_display=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 30 "$drav" 2>&1)
status=$?
[ "$status" = 1 ] && [[ $no_display == *"start-up failed: no display to show the window on"* ]] ||
    fail "without a display drav gave status $status and '$no_display'"

# Room for the scale-4 window of 1280x960.
start_virtual_screen "$out" 1600x1200 || fail "Xvfb did not start"

# start_drav ARGUMENTS... : starts the demo in a folder of its own, where its screenshots land.
start_drav() {
    (cd "$run" && XDG_PICTURES_DIR=$pictures exec "$drav" "$@") >"$out/drav.stdout" \
        2>"$out/drav.stderr" &
    drav_pid=$!
}

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
# The client area: without a window manager the SDL window is the client area itself.
client_size() {
    local geometry
    geometry=$(xwininfo -id "$window")
    echo "$(awk '/Width:/ { print $2 }' <<<"$geometry")x$(awk '/Height:/ { print $2 }' <<<"$geometry")"
}

# The window has shown the frame rate with models and has the given client size.
expect_running_window() { # expect_running_window WIDTHxHEIGHT
    wait_for 60 find_running_window ||
        fail "no window showed the frame rate with models: '$title'" \
            "$(describe_program "$drav_pid" "$out/drav.stderr")"
    echo "window $window on $DISPLAY: $title"
    local size
    size=$(client_size)
    [ "$size" = "$1" ] || fail "client area is $size, not $1"
}

start_drav
expect_running_window 640x480

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

xdotool windowfocus "$window" 2>/dev/null
# F9 starts a clip, which the title shows while it runs; it ends with the second F9.
xdotool key F9
title_shows_recording() { [[ $(xdotool getwindowname "$window") == *" - recording drav-0001.gif" ]]; }
wait_for 30 title_shows_recording || fail "the title does not show the recording"

# Hold Up for half a second, and beyond that until the title has been rewritten twice, so the
# loop has certainly polled the key while it was held.
title_changed_from() { [ "$(xdotool getwindowname "$window")" != "$1" ]; }
xdotool keydown Up
sleep 0.5
for _ in 1 2; do
    seen=$(xdotool getwindowname "$window")
    wait_for 30 title_changed_from "$seen"
done
xdotool keyup Up
xdotool key F9
wait_for 30 grep -q "recorded $captures/drav-0001.gif" "$out/drav.stdout" || fail "the clip did not end"
title_names_clip() { [[ $(xdotool getwindowname "$window") == *" - saved drav-0001.gif" ]]; }
wait_for 30 title_names_clip || fail "the title does not name the saved clip"
title_is_plain() { [[ $(xdotool getwindowname "$window") =~ $title_pattern ]]; }
wait_for 30 title_is_plain || fail "the title still shows a recording"
# Each frame is a rectangle on a 320x240 canvas.
canvases=$(identify -format '%Wx%H\n' "$captures/drav-0001.gif") || fail "the clip does not decode"
clip_frames=$(grep -c '^320x240$' <<<"$canvases")
echo "clip: $clip_frames frames, $(stat -c %s "$captures/drav-0001.gif") bytes"
[ "$clip_frames" = "$(wc -l <<<"$canvases")" ] || fail "clip frames are not all 320x240"
[ "$clip_frames" -ge 10 ] || fail "the clip holds $clip_frames frames"
screenshot walked_view
changed=$(blocks_changed start_view walked_view)
echo "walking changed $changed of 1200 blocks"
[ "$changed" -gt 600 ] || fail "walking changed only $changed of 1200 blocks"

# F12, after the walk: the screenshot's pixels, at the frame's own 320x240, are what
# drav-render draws for the ticks and camera in its text chunk (drav-render writes twice the
# size, so the shot is scaled to it).
xdotool key F12
wait_for 30 test -s "$captures/drav-0001.png" || fail "F12 wrote no drav-0001.png"
wait_for 30 grep -q "saved $captures/drav-0001.png" "$out/drav.stdout" ||
    fail "drav did not name the screenshot"
title_names_screenshot() { [[ $(xdotool getwindowname "$window") == *" - saved drav-0001.png" ]]; }
wait_for 30 title_names_screenshot || fail "the title does not name the screenshot"
view=$(identify -format '%[drav-view]' "$captures/drav-0001.png")
echo "screenshot view: $view"
[ "$(identify -format %wx%h "$captures/drav-0001.png")" = 320x240 ] || fail "screenshot is not 320x240"
# shellcheck disable=SC2086 # the view is a list of options
"$drav_render" --data "$data" $view --png "$out/rendered.png" >/dev/null ||
    fail "drav-render cannot render the view '$view'"
convert "$captures/drav-0001.png" -scale 200% "$out/screenshot_doubled.png"
differing=$(compare -metric AE "$out/screenshot_doubled.png" "$out/rendered.png" null: 2>&1)
[ "$differing" = 0 ] || fail "screenshot and drav-render differ in $differing pixels"

# Closes the window as a window manager would; drav must end with 0 and nothing on stderr.
close_drav() {
    "$close_window" "$window" || fail "cannot send the close request"
    exited() { ! kill -0 "$drav_pid" 2>/dev/null; }
    wait_for 60 exited || fail "drav still runs after the close request"
    wait "$drav_pid"
    local status=$?
    drav_pid=""
    [ "$status" = 0 ] || fail "drav exited with code $status"
    if [ -s "$out/drav.stderr" ]; then
        cat "$out/drav.stderr" >&2
        fail "drav wrote to stderr"
    fi
}
close_drav

# Above scale 1 the window shows the frame pixel for pixel. The picture must have detail finer
# than 2x2 blocks: sampled down to half and up again it must change in many pixels, which a
# 320x240 frame stretched over the window would not.
scaled_run() { # scaled_run NAME WIDTHxHEIGHT ARGUMENTS...
    local name=$1 size=$2
    shift 2
    start_drav "$@"
    expect_running_window "$size"
    screenshot "$name"
    local half="$(( ${size%x*} / 2 ))x$(( ${size#*x} / 2 ))"
    convert "$out/$name.png" -sample "$half" -sample "$size" "$out/${name}_halved.png"
    local fine
    fine=$(compare -metric AE "$out/$name.png" "$out/${name}_halved.png" null: 2>&1)
    echo "$name: $fine pixels differ from the picture at half resolution"
    [ "$fine" -gt $(( ${size%x*} * ${size#*x} / 50 )) ] || fail "$name looks upscaled"
    close_drav
}
scaled_run scale2_view 640x480 --scale 2
scaled_run scale4_view 1280x960 --scale 4 --threads 2

# Drawn between the ticks, the frames still show their time in the title.
start_drav --smooth
expect_running_window 640x480
echo "smooth: $title"
close_drav

echo "screenshots in $out"
echo "PASS"
