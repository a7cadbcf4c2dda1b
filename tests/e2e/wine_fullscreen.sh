#!/usr/bin/env bash
# End-to-end run of drav.exe --fullscreen under Wine on a 1024x768 screen: the frame fills the
# screen at factor 3 in the middle of black borders; F11 gives back the 640x480 client area,
# each frame pixel a 2x2 block; Alt+F4 ends the program with exit code 0.
# Usage, inside wine_run.sh: wine_fullscreen.sh DIST-DIRECTORY PROBE-EXE OUTPUT-DIRECTORY
# Keeps the screenshots in the output directory.
set -uo pipefail

dist=$(realpath "$1")
probe=$(realpath "$2")
out=$(realpath -m "$3")
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
rm -f "$out"/*.png "$out/exit_code" "$out/drav.log"

source "$here/wait_for.sh"
source "$here/fullscreen_picture.sh"

fail() {
    echo "FAILED: $*" >&2
    cat "$out/drav.log" >&2
    exit 1
}

(cd "$dist" && wine drav.exe --fullscreen >"$out/drav.log" 2>&1; echo $? >"$out/exit_code") &

# client_area: "<width> <height> <left> <top>" of the demo's client area, from the probe.
client_area() { wine "$probe" 2>/dev/null | tr -d '\r'; }
client_is() { # client_is WIDTH HEIGHT
    local width height
    read -r width height _ < <(client_area)
    [ "${width:-}x${height:-}" = "$1x$2" ]
}
wait_for 180 client_is 1024 768 || fail "no 1024x768 client area after --fullscreen: $(client_area)"
window=""
find_window() { window=$(xdotool search --name ' FPS \(' 2>/dev/null | head -n1) && [ -n "$window" ]; }
wait_for 60 find_window || fail "no frame-rate title appeared"
sleep 1
import -window root "$out/fullscreen.png" || fail "cannot take the fullscreen screenshot"
problem=$(fullscreen_picture_problem "$out/fullscreen.png")
[ -z "$problem" ] || fail "--fullscreen: $problem"
echo "ok: --fullscreen shows the frame at 960x720 in the middle of black borders, 3x3 blocks"

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

timeout 30 xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+F4
wait_for 60 test -s "$out/exit_code" || fail "Alt+F4 did not end drav.exe"
[ "$(cat "$out/exit_code")" = 0 ] || fail "drav.exe ended with exit code $(cat "$out/exit_code")"
echo "ok: Alt+F4 ends drav.exe with exit code 0"
echo "screenshots: $out/fullscreen.png, $out/windowed.png"
