#!/usr/bin/env bash
# Every key on drav.exe under Wine, and demo playback there. drav.exe records a demo while each
# key of the table is held in turn; the recording must hold exactly those keys and move the
# camera as the tick rules say (read back by the native drav-render). drav.exe then plays the
# shipped demo in real time with every check matching, and a demo edited in one key byte must
# exit with status 3 naming the tick.
# Usage, inside wine_run.sh:
#   wine_keys.sh DIST-DIRECTORY DRAV-RENDER DRAV-BENCH DATA-DIRECTORY DEMO OUTPUT-DIRECTORY
set -uo pipefail

dist=$(realpath "$1")
render=$(realpath "$2")
bench=$(realpath "$3")
data=$(realpath "$4")
demo=$(realpath "$5")
out=$(realpath -m "$6")
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
rm -f "$out"/*.dem "$out"/*.log "$dist"/*.dem

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
watcher=""
finish() {
    xdotool keyup Up Down Left Right Prior Next End 2>/dev/null
    [ -n "$watcher" ] && kill "$watcher" 2>/dev/null
}
trap finish EXIT
source "$here/wait_for.sh"
source "$here/key_table.sh"

python3 "$here/wine_titles.py" >"$out/titles.log" &
watcher=$!
wait_for 30 grep -q '^watching$' "$out/titles.log" || { echo "no title watcher" >&2; exit 1; }

# Demo files are handed over in drav.exe's own folder, by plain names.
(cd "$dist" && wine drav.exe --record keys.dem >"$out/record.log" 2>&1; echo $? >"$out/record.status") &
frame_rate_title='^[0-9]+ [0-9]+\.[0-9]{2} FPS \([0-9]+\.[0-9]{2} ms\) models=[1-9][0-9]*$'
first_frame_rate_line() { grep -m1 -E "$frame_rate_title" "$out/titles.log"; }
wait_for 180 first_frame_rate_line >/dev/null || { echo "no frame-rate title" >&2; exit 1; }
window=$(first_frame_rate_line | cut -d' ' -f1)
first_title=$(awk -v id="$window" '$1 == id { sub(/^[^ ]+ /, ""); print; exit }' "$out/titles.log")
[ "$first_title" = "DRAV" ] || fail "the first title is \"$first_title\", not \"DRAV\""

timeout 30 xdotool windowfocus --sync "$window"
hold_each_key
xdotool key --window "$window" alt+F4
wait_for 60 test -s "$out/record.status" || fail "drav.exe --record did not end"
[ "$(cat "$out/record.status" 2>/dev/null)" = 0 ] ||
    fail "drav.exe --record exited with $(cat "$out/record.status"): $(cat "$out/record.log")"
cp "$dist/keys.dem" "$out/keys.dem" 2>/dev/null || fail "drav.exe wrote no keys.dem"
python3 "$here/key_demo_check.py" "$out/keys.dem" "$render" "$data" "${expected_keys[@]}" ||
    fail "the keys recorded by drav.exe"

# play DEMO-FILE LOG : plays a demo in drav.exe's folder; prints the exit status.
play() {
    cp "$1" "$dist/play.dem"
    (cd "$dist" && wine drav.exe --play play.dem >"$2" 2>&1; echo $?)
}
status=$(play "$demo" "$out/play.log")
[ "$status" = 0 ] || fail "drav.exe --play of the shipped demo exited with $status: $(cat "$out/play.log")"
grep -q "all [0-9]* checks matched" "$out/play.log" || fail "no playback report: $(cat "$out/play.log")"

"$bench" --data "$data" --walk "U100 L40" --record "$out/short.dem" >/dev/null
python3 -c 'import sys; d = bytearray(open(sys.argv[1], "rb").read()); d[24 + 9] ^= 1
open(sys.argv[1], "wb").write(d)' "$out/short.dem"
status=$(play "$out/short.dem" "$out/edited.log")
[ "$status" = 3 ] || fail "drav.exe --play of an edited demo exited with $status, not 3"
grep -q "first mismatch at tick 64: the keys" "$out/edited.log" ||
    fail "the edited demo's first mismatching tick was not named: $(cat "$out/edited.log")"

rm -f "$dist"/*.dem
echo "wine keys and demos: $failures failed"
[ "$failures" -eq 0 ]
