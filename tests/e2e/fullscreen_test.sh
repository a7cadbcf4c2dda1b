#!/usr/bin/env bash
# End-to-end check of fullscreen in a virtual X server of 1024x768 with a window manager (a
# fullscreen request is the window manager's to carry out): F11 turns the 640x480 window into
# one over the whole screen, the frame shown at factor 3 (960x720) in the middle
# with black borders and every frame pixel a sharp 3x3 block; Alt+Enter turns it back into
# the 640x480 window. Then the same from --fullscreen at start, and with --scale 2, whose
# 640x480 frame fits once (at 192,144) and whose window is 640x480 again after F11. A settings
# file with scale 2 and fullscreen does as the options do; --scale 1 wins over it. A resizable
# window keeps a whole factor, centred, and its size for the next start. Screenshots are kept.
#
# Usage: fullscreen_test.sh DRAV DATA-DIRECTORY OUTPUT-DIRECTORY
set -uo pipefail

drav=$(realpath "$1")
data=$2
out=$3
mkdir -p "$out"
rm -f "$out"/*.png "$out/drav.stderr"

xvfb_pid=""
wm_pid=""
drav_pid=""
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Asks drav to stop and waits up to 10 seconds; a drav that is stuck (for example in the X
# library, waiting for its window to be mapped) is killed, so the test never hangs.
stop_drav() {
    if [ -n "$drav_pid" ] && kill "$drav_pid" 2>/dev/null; then
        wait_for 10 eval '! kill -0 "$drav_pid" 2>/dev/null' || kill -9 "$drav_pid" 2>/dev/null
        wait "$drav_pid" 2>/dev/null
    fi
    drav_pid=""
}
cleanup() {
    stop_drav
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

source "$(dirname "$0")/wait_for.sh"
source "$(dirname "$0")/virtual_screen.sh"
source "$(dirname "$0")/fullscreen_picture.sh"

start_virtual_screen "$out" || fail "Xvfb did not start"
openbox --sm-disable >"$out/openbox.log" 2>&1 &
wm_pid=$!
# The window manager sets the work area once it manages the screen.
wm_running() { xprop -root _NET_WORKAREA 2>/dev/null | grep -q 'CARDINAL'; }
wait_for 30 wm_running || fail "the window manager did not start"

window=""
title_pattern='^[0-9]+\.[0-9]{2} FPS \([0-9]+\.[0-9]{2} ms\) models=[1-9][0-9]*$'
find_running_window() {
    local candidate
    for candidate in $(xdotool search --pid "$drav_pid" 2>/dev/null); do
        if [[ $(xdotool getwindowname "$candidate" 2>/dev/null) =~ $title_pattern ]]; then
            window=$candidate
            return 0
        fi
    done
    return 1
}
start_drav() { # start_drav OPTION... : runs drav in the data folder and finds its window
    (cd "$data" && exec "$drav" "$@") 2>>"$out/drav.stderr" &
    drav_pid=$!
    window=""
    wait_for 60 find_running_window ||
        fail "drav $* showed no frame-rate title (windows: $(xdotool search --pid "$drav_pid" \
            getwindowname %@ 2>/dev/null | tr '\n' ';')): $(describe_program "$drav_pid" "$out/drav.stderr")"
}
# The window's place on the screen and its size.
window_geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }'
}
window_size() { xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
has_size() { [ "$(window_size)" = "$1" ]; }

# check_fullscreen_picture NAME FRAME-WIDTH FRAME-HEIGHT : takes a screenshot of the whole
# screen and checks it shows a frame of that size at a whole factor.
check_fullscreen_picture() {
    local problem factor width height left top
    problem=$(screen_frame_problem "$out/$1.png" "$2" "$3")
    [ -z "$problem" ] || fail "$1: $problem"
    read -r factor width height left top < <(whole_factor_fit 1024 768 "$2" "$3")
    echo "$1: ${width}x$height at ($left,$top), black borders, sharp ${factor}x$factor blocks"
}

start_drav
has_size 640x480 || fail "the window starts at $(window_size), not 640x480"
# The window's place is where the window manager puts it when it frames the window, which may
# happen after the first title.
wm_framed() { xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q 'CARDINAL'; }
wait_for 30 wm_framed || fail "the window manager did not frame the window"
windowed=$(window_geometry)
xdotool windowfocus "$window" 2>/dev/null
xdotool key F11
wait_for 30 has_size 1024x768 || fail "F11 left the window at $(window_size)"
sleep 0.5
check_fullscreen_picture f11_fullscreen 320 240
xdotool key alt+Return
wait_for 30 has_size 640x480 || fail "Alt+Enter left the window at $(window_size)"
stands_where_it_was() { [ "$(window_geometry)" = "$windowed" ]; }
wait_for 10 stands_where_it_was || fail "the window was $windowed, is $(window_geometry)"
import -window "$window" "$out/restored.png"
[ "$(identify -format %wx%h "$out/restored.png")" = 640x480 ] || fail "restored window picture"
echo "Alt+Enter: back to the window as it was, $windowed"
stop_drav

# check_started_fullscreen NAME FRAME-WIDTH FRAME-HEIGHT OPTION... : drav started in fullscreen
# shows its frame at a whole factor, and F11 gives a 640x480 window.
check_started_fullscreen() {
    local name=$1 frame_width=$2 frame_height=$3
    shift 3
    start_drav --fullscreen "$@"
    wait_for 30 has_size 1024x768 || fail "drav --fullscreen $* opened a window of $(window_size)"
    sleep 0.5
    check_fullscreen_picture "$name" "$frame_width" "$frame_height"
    xdotool key F11
    wait_for 30 has_size 640x480 || fail "F11 after --fullscreen $* left the window at $(window_size)"
    echo "F11 after --fullscreen${*:+ $*}: a 640x480 window"
    stop_drav
}
check_started_fullscreen started_fullscreen 320 240
check_started_fullscreen scale2_fullscreen 640 480 --scale 2

# A settings file with scale 2 and fullscreen starts drav so, and the command line wins over it;
# a bad value ends drav with status 2, naming the file, line, key and value.
settings=$XDG_CONFIG_HOME/drav/drav.ini
mkdir -p "$(dirname "$settings")"
printf '# from the settings file\nscale = 2\nfullscreen = true\n' >"$settings"
start_drav
wait_for 30 has_size 1024x768 || fail "the settings file's fullscreen gave a window of $(window_size)"
sleep 0.5
check_fullscreen_picture settings_scale2_fullscreen 640 480
stop_drav
start_drav --scale 1
wait_for 30 has_size 1024x768 || fail "--scale 1 over the settings gave a window of $(window_size)"
sleep 0.5
check_fullscreen_picture settings_scale1_fullscreen 320 240
stop_drav
printf 'scale = 2\nscale-typo = 3\nfullscreen = true\nscale = 9\n' >"$settings"
message=$(cd "$data" && "$drav" 2>&1)
status=$?
expected="drav: warning: $settings:2: unknown key 'scale-typo' (ignored)
drav: $settings:4: scale = '9': '9' is not a whole number from 1 to 8"
[ "$status" = 2 ] && [ "$message" = "$expected" ] ||
    fail "a bad settings file gave status $status and: $message"
echo "bad settings file: status 2, $(tail -n1 <<<"$message")"
rm "$settings"

# A resizable window shows the frame at the largest whole factor that fits, centred, and its
# size is kept in the settings file for the next start.
start_drav --resizable
xdotool windowsize "$window" 700 500
wait_for 30 has_size 700x500 || fail "the resizable window stayed at $(window_size)"
sleep 0.5
import -window "$window" "$out/resized.png"
convert "$out/resized.png" -crop 640x480+30+10 +repage "$out/resized_frame.png"
[ "$(convert "$out/resized.png" -crop 30x500+0+0 -format '%[fx:maxima]' info:)" = 0 ] &&
    [ "$(convert "$out/resized_frame.png" -format '%[fx:maxima>0]' info:)" = 1 ] ||
    fail "the resized window does not show the frame centred on black"
stop_drav
grep -qx 'window-size = 700x500' "$settings" || fail "the window size was not kept: $(cat "$settings")"
start_drav --resizable
has_size 700x500 || fail "the kept window size was not used: $(window_size)"
echo "resizable: 700x500 keeps the frame at 640x480 in the middle, and is kept for the next start"
stop_drav
rm "$settings"

if [ -s "$out/drav.stderr" ]; then
    cat "$out/drav.stderr" >&2
    fail "drav wrote to stderr"
fi
echo "screenshots in $out"
echo "PASS"
