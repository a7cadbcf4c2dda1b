#!/usr/bin/env bash
# Measures how much of one core the demo uses: starts it in a virtual X server with the given
# options, lets it settle, and reads its user and system time from /proc over a fixed interval.
# Prints the share of one core in percent.
#
# Usage: cpu_use.sh DRAV DATA-DIRECTORY SECONDS [DRAV-OPTION...]
set -uo pipefail

drav=$(realpath "$1")
data=$2
seconds=$3
shift 3

source "$(dirname "$0")/../tests/e2e/wait_for.sh"
source "$(dirname "$0")/../tests/e2e/virtual_screen.sh"

work=$(mktemp -d)
xvfb_pid=""
drav_pid=""
cleanup() {
    [ -n "$drav_pid" ] && kill "$drav_pid" 2>/dev/null && wait "$drav_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_virtual_screen "$work" || { echo "Xvfb did not start" >&2; exit 1; }

(cd "$data" && exec "$drav" "$@") &
drav_pid=$!
sleep 2

# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks. The command name
# in field 2 has no spaces here, so splitting on blanks is safe.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$drav_pid/stat"; }
before=$(cpu_ticks) || exit 1
start=$(date +%s.%N)
sleep "$seconds"
after=$(cpu_ticks) || exit 1
end=$(date +%s.%N)
awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$start" -v e="$end" \
    'BEGIN { printf "%.1f\n", 100 * t / hz / (e - s) }'
