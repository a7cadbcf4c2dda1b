#!/usr/bin/env bash
# Runs one command in a Windows environment on this machine: a private virtual X server and a
# Wine prefix of its own, made on first use (that takes a while) and kept for later runs.
# Usage: wine_run.sh PREFIX-DIRECTORY COMMAND...
# Exits with the command's status; stops the X server and the prefix's Wine processes after.
set -uo pipefail

prefix=$(realpath -m "$1")
shift
session=$(mktemp -d)

# -noreset: a server that resets when its last client leaves can refuse the next one.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
xvfb=$!

finish() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -rf "$session"
}
trap finish EXIT

for _ in $(seq 300); do
    [ -s "$session/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$session/display" ]; then
    echo "wine_run: the virtual X server did not start" >&2
    cat "$session/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$(head -n1 "$session/display")"
export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No prompts to install the .NET and HTML engines: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine_run: making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    if ! timeout 900 wineboot -i >"$session/wineboot.log" 2>&1; then
        cat "$session/wineboot.log" >&2
        rm -rf "$WINEPREFIX"
        exit 1
    fi
    timeout 300 wineserver -w
fi

"$@"
