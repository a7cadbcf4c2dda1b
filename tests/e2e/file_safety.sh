#!/usr/bin/env bash
# What the programs read and write under odd paths, kills and full disks: a pipe, a device or a
# directory as a demo to play is refused at once; a device node as output stays a device node;
# a directory or a missing folder as output is refused before any work; --data naming a folder
# without data is one line and status 1; a recording killed at 1, 2 and 5 seconds plays back
# with at most 32 ticks fewer than were run; F12 and F9 on a full disk and in a read-only folder
# leave no broken picture and say why on stderr and in the title while drav goes on; a clip
# killed on the way leaves no .gif.
#   file_safety.sh DRAV DRAV-RENDER DRAV-BENCH DATA-DIR
set -uo pipefail

drav=$(realpath "$1")
render=$(realpath "$2")
bench=$(realpath "$3")
data=$(realpath "$4")
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"
source "$(dirname "$0")/wait_for.sh"
source "$(dirname "$0")/virtual_screen.sh"

xvfb_pid=""
drav_pid=""
mounts=()
cleanup() {
    [ -n "$drav_pid" ] && kill -9 "$drav_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    for folder in "${mounts[@]}"; do umount "$folder" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

# refused STATUS PATTERN COMMAND... : the command ends within a second with STATUS, saying
# PATTERN on stderr, and writes nothing on stdout (no work was done).
refused() {
    local status=$1 pattern=$2
    shift 2
    local start=$SECONDS
    timeout 10 "$@" >"$work/out" 2>"$work/err" </dev/null
    local got=$?
    [ "$got" = "$status" ] || fail "$* exited with $got, not $status: $(cat "$work/err")"
    [ $((SECONDS - start)) -le 1 ] || fail "$* took more than a second"
    grep -qE -- "$pattern" "$work/err" || fail "$* did not say /$pattern/: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "$* worked before refusing: $(head -n1 "$work/out")"
}

# Input: a pipe, a device and a directory are no demo, for each player.
mkfifo "$work/pipe.dem"
mkdir "$work/folder.dem"
for input in "$work/pipe.dem:named pipe" "/dev/null:character device" "$work/folder.dem:directory"; do
    path=${input%%:*}
    for player in "$bench --data $data" "$render --data $data" "$drav"; do
        # shellcheck disable=SC2086
        refused 2 "$path is a ${input#*:}" $player --play "$path"
    done
done

# Output: a device node is written through and stays one; a directory or a missing folder is
# refused before any work, naming it.
if mknod "$work/node" c 1 3 2>/dev/null; then
    "$bench" --data "$data" --frames 3 --record "$work/node" >/dev/null || fail "--record to a device"
    "$render" --data "$data" --raw "$work/node" >/dev/null || fail "--raw to a device"
    [ -c "$work/node" ] || fail "the device node was replaced by $(stat -c %F "$work/node")"
else
    echo "skipped: mknod is not permitted here, so the device node checks do not run"
fi
refused 2 "cannot write $work/folder.dem: it is a directory" "$bench" --data "$data" --record "$work/folder.dem"
refused 2 "cannot write $work/folder.dem: it is a directory" "$render" --data "$data" --png "$work/folder.dem"
refused 2 "cannot write $work/folder.dem: it is a directory" "$drav" --record "$work/folder.dem"
refused 2 "the folder $work/missing does not exist" "$bench" --data "$data" --json "$work/missing/s.json"
refused 2 "the folder $work/missing does not exist" "$render" --data "$data" --raw "$work/missing/f.raw"
refused 2 "the folder $work/missing does not exist" "$drav" --record "$work/missing/x.dem"
touch "$work/file"
refused 2 "cannot use the captures folder $work/file/drav" "$drav" --captures "$work/file/drav"

# --data naming a folder without data files: one line, status 1, before any work; warnings
# name the program that gives them.
mkdir "$work/empty"
refused 1 "^drav-render: no data files in $work/empty " "$render" --data "$work/empty" --png "$work/x.png"
[ "$(wc -l <"$work/err")" = 1 ] || fail "drav-render said more than one line: $(cat "$work/err")"
refused 1 "^drav-bench: no data files in $work/empty " "$bench" --data "$work/empty"
cp -r "$data" "$work/partial"
rm "$work/partial/tex1.raw"
"$bench" --data "$work/partial" --frames 1 >/dev/null 2>"$work/err"
grep -q "^drav-bench: warning: cannot open texture file $work/partial/tex1.raw" "$work/err" ||
    fail "drav-bench's warning does not begin with its name: $(cat "$work/err")"

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "skipped: Xvfb or xdotool is missing, so the window checks do not run"
    [ "$failures" -eq 0 ] && echo "all file safety checks passed"
    exit $((failures > 0))
fi
start_virtual_screen "$work" || { fail "Xvfb did not start"; exit 1; }

# start_drav ARGUMENTS... : drav in the data folder, its output in $work/drav.out and .err.
start_drav() {
    (cd "$data" && exec "$drav" "$@") >"$work/drav.out" 2>"$work/drav.err" &
    drav_pid=$!
}
window=""
find_window() {
    local candidate
    for candidate in $(xdotool search --pid "$drav_pid" 2>/dev/null); do
        [[ $(xdotool getwindowname "$candidate" 2>/dev/null) == *FPS* ]] && window=$candidate && return
    done
    return 1
}
# drav_titles : the titles of the drav's windows, to say what a failed search found.
drav_titles() {
    local candidate
    for candidate in $(xdotool search --pid "$drav_pid" 2>/dev/null); do
        printf '"%s" ' "$(xdotool getwindowname "$candidate" 2>/dev/null)"
    done
}
title_has() { [[ $(xdotool getwindowname "$window" 2>/dev/null) == *"$1"* ]]; }
# stop_drav [SIGNAL] : ends the drav started last and waits for it, so that none is left
# running after a failed check.
stop_drav() {
    kill "-${1:-TERM}" "$drav_pid" 2>/dev/null
    wait "$drav_pid" 2>/dev/null
    drav_pid=""
}

# A kill at any moment keeps all but at most the last 32 ticks. The ticks run are estimated
# from the time since the recording's file appeared, 62.5 a second; a few ticks of slack
# cover the polling.
for seconds in 1 2 5; do
    recording="$work/killed$seconds.dem"
    start_drav --record "$recording"
    # Polled often, since the time from here on estimates the ticks run.
    for _ in $(seq 6000); do
        [ -e "$recording.part" ] && break
        sleep 0.01
    done
    started=$(date +%s.%N)
    [ -e "$recording.part" ] || fail "no $recording.part appeared"
    sleep "$seconds"
    kill -9 "$drav_pid"
    stopped=$(date +%s.%N)
    wait "$drav_pid" 2>/dev/null
    drav_pid=""
    run=$(awk -v a="$started" -v b="$stopped" 'BEGIN { printf "%d", (b - a) * 62.5 }')
    "$bench" --data "$data" --play "$recording.part" >"$work/play.out" 2>"$work/play.err"
    status=$?
    played=$(sed -nE 's/^timedemo .*: ([0-9]+) ticks, .*/\1/p' "$work/play.out")
    unchecked=$(sed -nE 's/.*never closed: [0-9]+ ticks played, the last ([0-9]+) of them unchecked$/\1/p' \
        "$work/play.err")
    echo "killed after ${seconds} s: about $run ticks run, $played played, the last $unchecked unchecked"
    [ "$status" = 0 ] || fail "the recording killed after $seconds s plays with status $status"
    [ -n "$played" ] && [ "$played" -ge $((run - 32 - 4)) ] && [ "$played" -le $((run + 8)) ] ||
        fail "the recording killed after $seconds s kept ${played:-no} ticks of about $run"
    [ -n "$unchecked" ] && [ "$unchecked" -lt 64 ] || fail "the player did not say what it left unchecked"
done

# capture_fails FOLDER WHY : F12 and F9 in drav's captures folder fail, saying WHY on stderr
# and in the title; nothing that is not a whole picture is left, and drav goes on.
capture_fails() {
    local folder=$1 why=$2
    wait_for 60 find_window || {
        fail "no window with a frame-rate title: $(drav_titles)" \
            "$(describe_program "$drav_pid" "$work/drav.err")"
        stop_drav
        return
    }
    xdotool key --window "$window" F12
    wait_for 10 title_has "cannot save drav-0001.png: $why" || fail "the title did not say $why for F12"
    xdotool key --window "$window" F9
    wait_for 10 title_has "drav-0001.gif: $why" || fail "the title did not say $why for F9"
    grep -q "cannot save $folder/drav-0001.png: $why" "$work/drav.err" || fail "F12: $(cat "$work/drav.err")"
    grep -q "drav-0001.gif: $why" "$work/drav.err" || fail "F9: $(cat "$work/drav.err")"
    kill -0 "$drav_pid" 2>/dev/null || fail "drav ended after the failed captures"
    for file in "$folder"/*; do
        case $file in
        */filler) ;;
        *.png | *.gif) identify "$file" >/dev/null 2>&1 || fail "$file is left and broken" ;;
        *) [ ! -e "$file" ] || fail "$file is left behind" ;;
        esac
    done
    stop_drav
}

# A small file system that is full, and one that becomes read-only while drav runs.
if mkdir "$work/full" && mount -t tmpfs -o size=256k tmpfs "$work/full" 2>/dev/null; then
    mounts+=("$work/full")
    dd if=/dev/zero of="$work/full/filler" bs=4k 2>/dev/null
    start_drav --captures "$work/full"
    capture_fails "$work/full" "No space left on device"
    mkdir "$work/readonly" && mount -t tmpfs -o size=1m tmpfs "$work/readonly" &&
        mounts+=("$work/readonly")
    start_drav --captures "$work/readonly"
    wait_for 60 find_window
    mount -o remount,ro "$work/readonly" || fail "cannot make the folder read-only"
    capture_fails "$work/readonly" "Read-only file system"
else
    echo "skipped: mounting a small file system is not permitted here, so the full and" \
        "read-only folder checks do not run"
fi

# A clip killed on the way leaves its temporary file, never a .gif that decoders refuse.
start_drav --captures "$work/clips"
wait_for 60 find_window || fail "no window: $(describe_program "$drav_pid" "$work/drav.err")"
xdotool key --window "$window" F9
wait_for 10 title_has "recording drav-0001.gif" || fail "the clip did not start"
sleep 1
stop_drav KILL
[ -z "$(find "$work/clips" -name '*.gif')" ] || fail "a killed clip left $(ls "$work/clips")"

[ "$failures" -eq 0 ] && echo "all file safety checks passed"
exit $((failures > 0))
