# Sourced by the scripts that run the demo on an X server of their own, after wait_for.sh.

# start_virtual_screen FOLDER [WIDTHxHEIGHT] : starts a virtual X server (1024x768 unless
# given) on a display number it picks itself, keeps its process id in xvfb_pid and its log in
# FOLDER, and exports DISPLAY for it. Fails when the server does not come up within 30 seconds.
# Also points XDG_CONFIG_HOME at the empty folder FOLDER/config, so that no settings file of
# the developer's changes what the test sees.
# The server runs with -noreset: by default it resets when its last client leaves, and a client
# connecting meanwhile can be refused; drav, started just after the previous one closed, then
# found no display. The virtual screen has no GPU, so SDL's OpenGL renderer would run on Mesa's
# threaded software rasteriser beside the tests; SDL's own software renderer presents the same
# pixels more cheaply.
start_virtual_screen() {
    export SDL_RENDER_DRIVER=software
    local display_file="$1/display"
    export XDG_CONFIG_HOME
    XDG_CONFIG_HOME="$(realpath "$1")/config"
    rm -rf "$XDG_CONFIG_HOME"
    mkdir -p "$XDG_CONFIG_HOME"
    local size=${2:-1024x768}
    rm -f "$display_file"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$display_file" \
        2>"$1/xvfb.log" &
    xvfb_pid=$!
    wait_for 30 test -s "$display_file" || return 1
    export DISPLAY=":$(cat "$display_file")"
}

# describe_program PID STDERR-FILE : why a program shows no window, for a failure message: whether
# it still runs (and where its threads wait) or how it ended, its stderr, and the names of the
# windows on the screen.
describe_program() {
    if kill -0 "$1" 2>/dev/null; then
        echo "pid $1 still runs, state $(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)," \
            "waiting in $(cat "/proc/$1/wchan" 2>/dev/null)"
        command -v gdb >/dev/null &&
            gdb -p "$1" -batch -ex 'thread apply all bt 8' 2>/dev/null | grep -E '^(Thread|#)'
    else
        wait "$1"
        echo "pid $1 has ended with status $?"
    fi
    echo "its stderr: $(head -c 2000 "$2")"
    echo "windows on $DISPLAY: $(xwininfo -root -tree 2>/dev/null | grep -c '0x') with names:" \
        "$(xwininfo -root -tree 2>/dev/null | grep -o '0x[0-9a-f]* "[^"]*"' | tr '\n' ';')"
}
