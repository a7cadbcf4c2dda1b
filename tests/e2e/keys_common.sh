# Sourced by the end-to-end key and demo tests of the X11 programs (SDL2, and drav.exe under
# Wine), whose first arguments are DRAV-RENDER DRAV-BENCH DATA-DIRECTORY DEMO OUTPUT-DIRECTORY.
# The sourcing script defines
#   play DEMO-FILE LOG : plays a demo with the program under test; prints its exit status.

source "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"

# read_common_arguments ARGUMENTS... : sets render, bench, data, demo and out from the first
# five, and empties the output directory of earlier demos and logs.
read_common_arguments() {
    render=$(realpath "$1")
    bench=$(realpath "$2")
    data=$(realpath "$3")
    demo=$(realpath "$4")
    out=$(realpath -m "$5")
    mkdir -p "$out"
    rm -f "$out"/*.dem "$out"/*.log "$out/record.status"
}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# X key names and the key each must act as, in the order they are held: the arrows and page
# keys, then the keypad's navigation keys with Num Lock off.
key_table=(
    Prior:PageUp End:End Next:PageDown Left:Left Right:Right Up:Up Down:Down
    KP_Prior:PageUp KP_End:End KP_Next:PageDown KP_Left:Left KP_Right:Right KP_Up:Up KP_Down:Down
)

# start_title_watcher : logs every window title from its first into $out/titles.log; sets
# watcher to the logger's process id.
start_title_watcher() {
    # Gone first: the new logger empties it only once it runs, and a "watching" left from an
    # earlier one would let the program start before the new one looks.
    rm -f "$out/titles.log"
    python3 "$(dirname "${BASH_SOURCE[0]}")/wine_titles.py" >"$out/titles.log" &
    watcher=$!
    wait_for 30 grep -qs '^watching$' "$out/titles.log" || { echo "no title watcher" >&2; exit 1; }
}

# find_program_window SECONDS : waits for the window that shows the frame rate, sets window to
# it, and checks that its first title was "DRAV".
find_program_window() {
    local frame_rate_title='^[0-9]+ [0-9]+\.[0-9]{2} FPS \([0-9]+\.[0-9]{2} ms\) models=[1-9][0-9]*$'
    local line
    wait_for "$1" grep -q -E "$frame_rate_title" "$out/titles.log" ||
        { echo "no frame-rate title" >&2; exit 1; }
    line=$(grep -m1 -E "$frame_rate_title" "$out/titles.log")
    window=${line%% *}
    local first_title
    first_title=$(awk -v id="$window" '$1 == id { sub(/^[^ ]+ /, ""); print; exit }' "$out/titles.log")
    [ "$first_title" = "DRAV" ] || fail "the first title is \"$first_title\", not \"DRAV\""
}

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

# move_pointer DX DY : ten relative pointer moves 50 ms apart.
move_pointer() {
    for _ in {1..10}; do xdotool mousemove_relative -- "$1" "$2" && sleep 0.05; done
    sleep 0.3
}

# turn_with_mouse : in the focused $window of a program started with --mouse: Escape, a click,
# motion right, Escape, motion left (which must not turn), a click and motion forward, as
# mouse_demo_check.py expects. The pointer jumps to the window's centre only while freed, since
# some systems report such a jump as motion.
turn_with_mouse() {
    xdotool key Escape mousemove --window "$window" 320 240 click 1 sleep 0.3
    move_pointer 12 0
    xdotool key Escape sleep 0.3
    move_pointer -12 0
    xdotool mousemove --window "$window" 320 240 click 1 sleep 0.3
    move_pointer 0 -6
}

# hold_w_and_up : with walking forward bound to W, holds W, then Up, as hold_each_key does; W
# must act as Up, and Up not at all.
hold_w_and_up() {
    expected_keys=(Up)
    local key
    for key in w Up; do
        xdotool keydown "$key"
        sleep 0.4
        xdotool keyup "$key"
        sleep 0.3
    done
}

# check_recorded_keys DEMO-FILE : the recording holds the table's keys and moved the camera
# as the tick rules say.
check_recorded_keys() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/key_demo_check.py" "$1" "$render" "$data" \
        "${expected_keys[@]}" || fail "the keys recorded by the program"
}

# check_playback : the shipped demo plays in real time with every check matching, and a short
# demo edited in one key byte (tick 10's) exits with status 3 naming check tick 64.
check_playback() {
    local status
    status=$(play "$demo" "$out/play.log")
    [ "$status" = 0 ] || fail "playing the shipped demo exited with $status: $(cat "$out/play.log")"
    grep -q "all [0-9]* checks matched" "$out/play.log" || fail "no playback report: $(cat "$out/play.log")"

    "$bench" --data "$data" --walk "U100 L40" --record "$out/short.dem" >/dev/null
    python3 -c 'import sys; d = bytearray(open(sys.argv[1], "rb").read()); d[24 + 9] ^= 1
open(sys.argv[1], "wb").write(d)' "$out/short.dem"
    status=$(play "$out/short.dem" "$out/edited.log")
    [ "$status" = 3 ] || fail "playing an edited demo exited with $status, not 3"
    grep -q "first mismatch at tick 64: the keys" "$out/edited.log" ||
        fail "the edited demo's first mismatching tick was not named: $(cat "$out/edited.log")"
}
