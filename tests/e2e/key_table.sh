# Sourced by the end-to-end key tests of the X11 programs (SDL2 and drav.exe under Wine).

# X key names and the key each must act as, in the order they are held: the arrows and page
# keys, then the keypad's navigation keys with Num Lock off.
key_table=(
    Prior:PageUp End:End Next:PageDown Left:Left Right:Right Up:Up Down:Down
    KP_Prior:PageUp KP_End:End KP_Next:PageDown KP_Left:Left KP_Right:Right KP_Up:Up KP_Down:Down
)

# hold_each_key : holds each key of the table for 0.4 s, with 0.3 s between them, in the
# focused window; fills expected_keys with the key names the recording must show.
hold_each_key() {
    expected_keys=()
    local entry
    for entry in "${key_table[@]}"; do
        xdotool keydown "${entry%%:*}"
        sleep 0.4
        xdotool keyup "${entry%%:*}"
        sleep 0.3
        expected_keys+=("${entry##*:}")
    done
}
