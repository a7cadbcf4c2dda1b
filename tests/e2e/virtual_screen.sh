# Sourced by the scripts that run the demo on an X server of their own, after wait_for.sh.

# start_virtual_screen FOLDER [WIDTHxHEIGHT] : starts a virtual X server (1024x768 unless
# given) on a display number it picks itself, keeps its process id in xvfb_pid and its log in
# FOLDER, and exports DISPLAY for it. Fails when the server does not come up within 30 seconds.
# Also points XDG_CONFIG_HOME at the empty folder FOLDER/config, so that no settings file of
# the developer's changes what the test sees.
start_virtual_screen() {
    local display_file="$1/display"
    export XDG_CONFIG_HOME
    XDG_CONFIG_HOME="$(realpath "$1")/config"
    rm -rf "$XDG_CONFIG_HOME"
    mkdir -p "$XDG_CONFIG_HOME"
    local size=${2:-1024x768}
    rm -f "$display_file"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$display_file" 2>"$1/xvfb.log" &
    xvfb_pid=$!
    wait_for 30 test -s "$display_file" || return 1
    export DISPLAY=":$(cat "$display_file")"
}
