#!/usr/bin/env bash
# Builds the optimised build with its data files and starts the demo in the data directory.
# Installs missing Debian packages first. Without a display it renders the start view to a
# PNG file instead and prints the file's path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${APP_PACKAGES[@]}"

build=$PWD/build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target drav drav_data drav-render

# The demo reads its data files from the working directory.
cd "$build/data"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "drav: no display (DISPLAY and WAYLAND_DISPLAY are unset); rendering the start view instead"
    png=$build/start_view.png
    "$build/tools/render/drav-render" --png "$png"
    echo "drav: start view written to $png"
    exit 0
fi
exec "$build/drav"
