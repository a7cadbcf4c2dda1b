#!/usr/bin/env bash
# End-to-end runs of drav.exe --fullscreen under Wine on wine_run.sh's 1600x1200 screen: the
# 320x240 frame fills the screen at factor 5; F11 gives back the 640x480 client area, each
# frame pixel a 2x2 block; Alt+F4 ends the program with exit code 0. Then --scale 2: the
# 640x480 frame at factor 2 in the middle of black borders, and F11 gives back a 640x480
# client area. A settings file with scale 2 and fullscreen does as the options do, --scale 1
# wins over it, and a bad value in it ends drav.exe with status 2.
# Usage, inside wine_run.sh: wine_fullscreen.sh DIST-DIRECTORY PROBE-EXE OUTPUT-DIRECTORY
# Keeps the screenshots in the output directory.
set -uo pipefail

dist=$(realpath "$1")
probe=$(realpath "$2")
out=$(realpath -m "$3")
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
rm -f "$out"/*.png "$out/exit_code" "$out/drav.log"
screen_width=1600
screen_height=1200

source "$here/wait_for.sh"
source "$here/fullscreen_picture.sh"

fail() {
    echo "FAILED: $*" >&2
    cat "$out/drav.log" >&2
    exit 1
}

start_drav() { # start_drav OPTION...
    rm -f "$out/exit_code"
    (cd "$dist" && wine drav.exe "$@" >>"$out/drav.log" 2>&1; echo $? >"$out/exit_code") &
}

# client_area: "<width> <height> <left> <top>" of the demo's client area, from the probe.
client_area() { wine "$probe" 2>/dev/null | tr -d '\r'; }
client_is() { # client_is WIDTH HEIGHT
    local width height
    read -r width height _ < <(client_area)
    [ "${width:-}x${height:-}" = "$1x$2" ]
}
window=""
find_window() { window=$(xdotool search --name ' FPS \(' 2>/dev/null | head -n1) && [ -n "$window" ]; }
# check_started_fullscreen NAME FRAME-WIDTH FRAME-HEIGHT : waits for the fullscreen client
# area and the title, then checks a screenshot of the screen.
check_started_fullscreen() {
    wait_for 180 client_is "$screen_width" "$screen_height" ||
        fail "no full-screen client area after --fullscreen: $(client_area)"
    window=""
    wait_for 60 find_window || fail "no frame-rate title appeared"
    sleep 1
    local problem factor width height left top
    problem=$(screen_frame_problem "$out/$1.png" "$2" "$3")
    [ -z "$problem" ] || fail "$1: $problem"
    read -r factor width height left top < <(whole_factor_fit "$screen_width" "$screen_height" "$2" "$3")
    echo "ok: $1 shows the frame at ${width}x$height at ($left,$top), ${factor}x$factor blocks"
}
# close_drav : Alt+F4, which must end drav.exe with exit code 0.
close_drav() {
    timeout 30 xdotool windowfocus --sync "$window"
    xdotool key --window "$window" alt+F4
    wait_for 60 test -s "$out/exit_code" || fail "Alt+F4 did not end drav.exe"
    [ "$(cat "$out/exit_code")" = 0 ] || fail "drav.exe ended with exit code $(cat "$out/exit_code")"
    echo "ok: Alt+F4 ends drav.exe with exit code 0"
}

start_drav --fullscreen
check_started_fullscreen fullscreen 320 240

timeout 30 xdotool windowfocus --sync "$window"
xdotool key F11
wait_for 60 client_is 640 480 || fail "F11 did not give back a 640x480 client area: $(client_area)"
sleep 1
read -r _ _ left top < <(client_area)
import -window root -crop "640x480+$left+$top" +repage "$out/windowed.png"
convert "$out/windowed.png" -sample 320x240 -sample 640x480 "$out/windowed_blocks.png"
odd=$(compare -metric AE "$out/windowed.png" "$out/windowed_blocks.png" null: 2>&1)
[ "$odd" = 0 ] || fail "after F11, $odd pixels of the window are not part of a 2x2 block"
echo "ok: F11 gives back the 640x480 client area at $left,$top, each frame pixel a 2x2 block"

close_drav

start_drav --scale 2 --fullscreen
check_started_fullscreen scale2_fullscreen 640 480
timeout 30 xdotool windowfocus --sync "$window"
xdotool key F11
wait_for 60 client_is 640 480 || fail "F11 at scale 2 did not give back a 640x480 client area: $(client_area)"
echo "ok: F11 at scale 2 gives back the 640x480 client area"
close_drav

# The settings file in %APPDATA%\drav, written with Windows line ends: scale 2 and fullscreen
# start drav.exe so, --scale 1 on the command line wins, and a bad value ends it with status 2.
settings_folder="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/drav"
mkdir -p "$settings_folder"
trap 'rm -rf "$settings_folder"' EXIT
printf 'scale = 2\r\nfullscreen = true\r\n' >"$settings_folder/drav.ini"
start_drav
check_started_fullscreen settings_scale2_fullscreen 640 480
close_drav
start_drav --scale 1
check_started_fullscreen settings_scale1_fullscreen 320 240
close_drav
printf 'fullscreen = true\r\nscale = 9\r\n' >"$settings_folder/drav.ini"
message=$(cd "$dist" && wine drav.exe 2>&1 | tr -d '\r')
status=$(cd "$dist" && wine drav.exe >/dev/null 2>&1; echo $?)
[ "$status" = 2 ] && [[ $message == "drav: "*'\drav\drav.ini:2: scale = '"'9': '9' is not a whole number from 1 to 8" ]] ||
    fail "a bad settings file gave status $status and: $message"
echo "ok: a bad settings file: status 2, $message"
echo "screenshots in $out"
