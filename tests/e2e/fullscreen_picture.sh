# Sourced by the end-to-end scripts that check fullscreen.

# whole_factor_fit SCREEN-WIDTH SCREEN-HEIGHT FRAME-WIDTH FRAME-HEIGHT : prints "FACTOR WIDTH
# HEIGHT LEFT TOP" of the frame at the largest whole factor that fits the screen, centred.
whole_factor_fit() {
    local factor=$(($1 / $3))
    [ $(($2 / $4)) -lt "$factor" ] && factor=$(($2 / $4))
    echo "$factor $(($3 * factor)) $(($4 * factor)) $((($1 - $3 * factor) / 2)) $((($2 - $4 * factor) / 2))"
}

# fullscreen_picture_problem SCREENSHOT FRAME-WIDTH FRAME-HEIGHT : prints nothing when the
# screenshot of the whole screen is the frame at the largest whole factor that fits, centred,
# with all-black borders and every frame pixel one square block of screen pixels; else prints
# what is wrong. Leaves SCREENSHOT's _picture and _blocks beside it.
fullscreen_picture_problem() {
    local shot=$1 frame_width=$2 frame_height=$3
    local base=${shot%.png}
    local screen_width screen_height factor width height left top border colours odd
    read -r screen_width screen_height < <(identify -format '%w %h' "$shot")
    read -r factor width height left top < <(whole_factor_fit "$screen_width" "$screen_height" \
        "$frame_width" "$frame_height")
    border=$(convert "$shot" -fill black \
        -draw "rectangle $left,$top $((left + width - 1)),$((top + height - 1))" -format '%[max]' info:)
    if [ "$border" != 0 ]; then
        echo "the border around the ${width}x${height} picture is not all black"
        return
    fi
    convert "$shot" -crop "${width}x${height}+$left+$top" +repage "${base}_picture.png"
    colours=$(convert "${base}_picture.png" -format %k info:)
    if [ "$colours" -lt 16 ]; then
        echo "the picture shows only $colours colours"
        return
    fi
    convert "${base}_picture.png" -sample "${frame_width}x${frame_height}" \
        -sample "${width}x${height}" "${base}_blocks.png"
    odd=$(compare -metric AE "${base}_picture.png" "${base}_blocks.png" null: 2>&1)
    [ "$odd" = 0 ] || echo "$odd screen pixels are not part of a ${factor}x${factor} block"
}

# screen_frame_problem SCREENSHOT FRAME-WIDTH FRAME-HEIGHT : takes a screenshot of the whole
# screen and checks it as fullscreen_picture_problem does. A screenshot can catch the window
# halfway through drawing a frame, which splits blocks where the old and new frames differ,
# so a failing check is taken again up to twice; a wrong scale fails every time.
screen_frame_problem() {
    local attempt problem
    for attempt in 1 2 3; do
        import -window root "$1" || { echo "cannot take a screenshot"; return; }
        problem=$(fullscreen_picture_problem "$@")
        [ -z "$problem" ] && return
        sleep 0.5
    done
    echo "$problem"
}
