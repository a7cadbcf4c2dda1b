#!/usr/bin/env bash
# Drives the browser build in headless Chromium and compares its frames with the native
# headless renderer's. Installs the pinned browser driver into the web build folder first.
# usage: web_e2e.sh WEB_BUILD_DIR NATIVE_BUILD_DIR [SITE_DIR]
# SITE_DIR is the folder served, by default the web build's site folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
web_build=$(realpath "$1")
native_build=$(realpath "$2")
site=$(realpath "${3:-$web_build/site}")
node_dir=$web_build/e2e-node

# Reinstall only when the lock file changed or the install is missing.
if ! cmp -s "$here/web/package-lock.json" "$node_dir/package-lock.json" ||
    [ ! -d "$node_dir/node_modules/playwright-core" ]; then
    mkdir -p "$node_dir"
    cp "$here/web/package.json" "$here/web/package-lock.json" "$node_dir/"
    (cd "$node_dir" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi

exec node "$here/web_check.mjs" "$site" "$native_build/tools/render/drav-render" \
    "$native_build/data" "$node_dir" "$web_build/e2e" "$here/key_demo_check.py"
