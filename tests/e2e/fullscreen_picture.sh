# Sourced by the end-to-end scripts that check fullscreen on a 1024x768 screen.

# fullscreen_picture_problem SCREENSHOT : prints nothing when the screenshot is the frame at
# factor 3 (960x720 at 32,24) with all-black borders and every frame pixel one 3x3 block of
# screen pixels; else prints what is wrong. Leaves SCREENSHOT's _picture and _blocks beside it.
fullscreen_picture_problem() {
    local shot=$1
    local base=${shot%.png}
    local border colours odd
    border=$(convert "$shot" -fill black -draw 'rectangle 32,24 991,743' -format '%[max]' info:)
    if [ "$border" != 0 ]; then
        echo "the border around the 960x720 picture is not all black"
        return
    fi
    convert "$shot" -crop 960x720+32+24 +repage "${base}_picture.png"
    colours=$(convert "${base}_picture.png" -format %k info:)
    if [ "$colours" -lt 16 ]; then
        echo "the picture shows only $colours colours"
        return
    fi
    convert "${base}_picture.png" -sample 320x240 -sample 960x720 "${base}_blocks.png"
    odd=$(compare -metric AE "${base}_picture.png" "${base}_blocks.png" null: 2>&1)
    [ "$odd" = 0 ] || echo "$odd screen pixels are not part of a 3x3 block"
}
