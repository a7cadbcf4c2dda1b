#!/usr/bin/env bash
# End-to-end run of drav.exe under Wine, as a user would: started in its folder with the data
# files, it opens a 640x480 client area, retitles itself with the frame rate, shows the level,
# walks forward while Up is held, saves the frame as drav-0001.png on F12 (the same pixels that
# DRAV-RENDER, when given, draws for the view in its text chunk), and closes with exit code 0
# on Alt+F4; then at scales 2 and 4 the client area has the frame's own size and shows detail
# finer than 2x2 blocks.
# Usage, inside wine_run.sh: wine_demo.sh DIST-DIRECTORY PROBE-EXE OUTPUT-DIRECTORY [DRAV-RENDER]
# Keeps the screenshots and the title log in the output directory.
set -uo pipefail

dist=$(realpath "$1")
probe=$(realpath "$2")
out=$(realpath -m "$3")
drav_render=${4:-}
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
rm -f "$out"/*.png "$out/exit_code" "$out/titles.log" "$out/drav.log" "$dist"/drav-*.png

passed=0
failed=0
check() { # check DESCRIPTION COMMAND... : runs one check and counts it
    local description=$1
    shift
    if "$@"; then
        echo "ok: $description"
        passed=$((passed + 1))
    else
        echo "FAILED: $description" >&2
        failed=$((failed + 1))
    fi
}

source "$here/wait_for.sh"

finish() {
    xdotool keyup Up 2>/dev/null
    [ -n "${watcher:-}" ] && kill "$watcher" 2>/dev/null
    echo "wine e2e: $passed passed, $failed failed"
}
trap finish EXIT

# The command line: a GUI program writes to the standard handles it was started with (here
# Wine's, redirected to files), exits 2 on a bad value naming it, and 0 after --help.
(cd "$dist" && wine drav.exe --scale 9 >"$out/bad.out" 2>"$out/bad.err")
status=$?
check "a bad --scale exits 2 (it is $status)" [ "$status" = 2 ]
check "the error names the option and the value ($(head -n1 "$out/bad.err" | tr -d '\r'))" \
    grep -q "^drav: --scale: '9' is not a whole number from 1 to 8" "$out/bad.err"
(cd "$dist" && wine drav.exe --help >"$out/help.out" 2>"$out/help.err")
status=$?
check "--help exits 0 (it is $status)" [ "$status" = 0 ]
check "--help lists --scale and --threads" grep -q -- "--threads N" "$out/help.out"

python3 "$here/wine_titles.py" >"$out/titles.log" &
watcher=$!
wait_for 30 grep -qs '^watching$' "$out/titles.log" || { echo "title watcher did not start" >&2; exit 1; }

(cd "$dist" && wine drav.exe >"$out/drav.log" 2>&1; echo $? >"$out/exit_code") &

frame_rate_title='^[0-9]+ [0-9]+\.[0-9]{2} FPS \([0-9]+\.[0-9]{2} ms\) models=[1-9][0-9]*$'
first_frame_rate_line() { grep -m1 -E "$frame_rate_title" "$out/titles.log"; }
if ! wait_for 180 first_frame_rate_line >/dev/null; then
    echo "FAILED: no frame-rate title with models above 0 appeared" >&2
    cat "$out/titles.log" "$out/drav.log" >&2
    exit 1
fi
window=$(first_frame_rate_line | cut -d' ' -f1)
first_title=$(awk -v id="$window" '$1 == id { sub(/^[^ ]+ /, ""); print; exit }' "$out/titles.log")
check "the window is titled \"DRAV\" before the frame-rate text" [ "$first_title" = "DRAV" ]

read -r client_width client_height client_left client_top < <(wine "$probe" | tr -d '\r')
check "the client area is 640x480 (it is ${client_width:-?}x${client_height:-?})" \
    [ "${client_width:-}x${client_height:-}" = 640x480 ]

screenshot() { # screenshot NAME : the client area as the screen shows it
    import -window root -crop "640x480+${client_left:-0}+${client_top:-0}" +repage "$out/$1.png"
}
timeout 30 xdotool windowfocus --sync "$window"
screenshot level
colours=$(identify -format %k "$out/level.png")
check "the screenshot shows the level, not one colour ($colours colours)" [ "$colours" -ge 16 ]

# The 320x240 frame is stretched exactly twice over the client area: every 2x2 block is one
# frame pixel, so sampling the blocks down and up again gives the same picture.
convert "$out/level.png" -sample 320x240 -sample 640x480 "$out/level_blocks.png"
odd_pixels=$(compare -metric AE "$out/level.png" "$out/level_blocks.png" null: 2>&1)
check "each frame pixel covers 2x2 screen pixels ($odd_pixels do not)" [ "$odd_pixels" = 0 ]

# The hearts spin and the eye height bobs, so even standing still changes up to half of the
# pixels. Walking must change most of them, and must also move the picture as a whole: its
# 40x30 averages, which a small bob barely touches, must change far more than standing still.
changed_pixels() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1; }
coarse_change() { # normalised root-mean-square difference of the 40x30 averages
    convert "$out/$1.png" -scale 40x30 "$out/$1_coarse.png"
    convert "$out/$2.png" -scale 40x30 "$out/$2_coarse.png"
    compare -metric RMSE "$out/$1_coarse.png" "$out/$2_coarse.png" null: 2>&1 |
        sed 's/.*(\(.*\))/\1/'
}
sleep 0.8
screenshot still
standing=$(coarse_change level still)
xdotool keydown Up
sleep 0.5
xdotool keyup Up
sleep 0.3
screenshot walked
walked_pixels=$(changed_pixels still walked)
walking=$(coarse_change still walked)
check "holding Up for half a second changes most of the picture ($walked_pixels of 307200 pixels)" \
    [ "$walked_pixels" -gt 153600 ]
check "walking moves the picture (coarse change $walking, standing still $standing)" \
    awk -v walking="$walking" -v standing="$standing" 'BEGIN { exit !(walking > 2 * standing) }'

xdotool key --window "$window" F12
if wait_for 30 test -s "$dist/drav-0001.png"; then
    view=$(identify -format '%[drav-view]' "$dist/drav-0001.png")
    check "F12 saves the 320x240 frame with its view ($view)" \
        test "$(identify -format %wx%h "$dist/drav-0001.png")" = 320x240 -a -n "$view"
    if [ -n "$drav_render" ]; then
        # shellcheck disable=SC2086 # the view is a list of options
        "$drav_render" --data "$dist" $view --png "$out/rendered.png" >/dev/null
        convert "$dist/drav-0001.png" -scale 200% "$out/screenshot_doubled.png"
        differing=$(compare -metric AE "$out/screenshot_doubled.png" "$out/rendered.png" null: 2>&1)
        check "the screenshot is what drav-render draws for its view ($differing pixels differ)" \
            [ "$differing" = 0 ]
    fi
else
    check "F12 saves drav-0001.png" false
fi

last_title=$(awk -v id="$window" '$1 == id { sub(/^[^ ]+ /, ""); title = $0 } END { print title }' \
    "$out/titles.log")
echo "title before closing: $last_title"

timeout 30 xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+F4
if wait_for 60 test -s "$out/exit_code"; then
    check "Alt+F4 ends drav.exe with exit code 0 (it is $(cat "$out/exit_code"))" \
        [ "$(cat "$out/exit_code")" = 0 ]
else
    check "Alt+F4 ends drav.exe" false
fi
# The frame pixel for pixel above scale 1: sampled down to half and up again, the picture
# changes in many pixels, which a 320x240 frame stretched over the client area would not.
scaled_run() { # scaled_run NAME WIDTHxHEIGHT ARGUMENTS...
    local name=$1 size=$2
    shift 2
    rm -f "$out/exit_code"
    local seen
    seen=$(wc -l <"$out/titles.log")
    (cd "$dist" && wine drav.exe "$@" >"$out/$name.log" 2>&1; echo $? >"$out/exit_code") &
    new_frame_rate_line() { tail -n "+$((seen + 1))" "$out/titles.log" | grep -m1 -E "$frame_rate_title"; }
    if ! wait_for 180 new_frame_rate_line >/dev/null; then
        check "$name: a frame-rate title with models appears" false
        return
    fi
    local window width height left top
    window=$(new_frame_rate_line | cut -d' ' -f1)
    read -r width height left top < <(wine "$probe" | tr -d '\r')
    check "$name: the client area is $size (it is ${width:-?}x${height:-?})" \
        [ "${width:-}x${height:-}" = "$size" ]
    timeout 30 xdotool windowfocus --sync "$window"
    sleep 0.5
    import -window root -crop "$size+${left:-0}+${top:-0}" +repage "$out/$name.png"
    convert "$out/$name.png" -sample "$((${size%x*} / 2))x$((${size#*x} / 2))" -sample "$size" \
        "$out/${name}_halved.png"
    local fine
    fine=$(compare -metric AE "$out/$name.png" "$out/${name}_halved.png" null: 2>&1)
    check "$name: finer than 2x2 blocks ($fine pixels differ at half resolution)" \
        [ "$fine" -gt $((${size%x*} * ${size#*x} / 50)) ]
    xdotool key --window "$window" alt+F4
    if wait_for 60 test -s "$out/exit_code"; then
        check "$name: Alt+F4 ends it with exit code 0" [ "$(cat "$out/exit_code")" = 0 ]
    else
        check "$name: Alt+F4 ends it" false
    fi
}
scaled_run scale2 640x480 --scale 2
scaled_run scale4 1280x960 --scale 4 --threads 2

echo "screenshots: $out/level.png, $out/still.png, $out/walked.png, $out/scale2.png, $out/scale4.png"
[ "$failed" -eq 0 ]
