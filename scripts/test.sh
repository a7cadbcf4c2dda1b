#!/usr/bin/env bash
# Sets up, builds and runs every test: an optimised build and a sanitizer build, each with
# its unit and end-to-end tests, and a short run of every fuzz target. Installs missing Debian
# packages first. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${APP_PACKAGES[@]}" "${E2E_PACKAGES[@]}" \
    "${PACKAGING_PACKAGES[@]}" || exit 1

jobs=$(nproc)
passed=0
failed=0
timings=()

# step NAME COMMAND... : runs one stage, counts and times it, and keeps going so every failure
# shows.
step() {
    local name=$1
    shift
    echo "=== $name"
    local start=$SECONDS
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "=== FAILED: $name" >&2
        failed=$((failed + 1))
    fi
    timings+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
}

build() { # build DIR CMAKE-ARGS...
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" >/dev/null && cmake --build "$dir" -j "$jobs"
}

# The browser build and its check in headless Chromium, where their tools can be installed.
# Its data files and the reference renderer come from the release build.
web_tools() {
    try_packages emscripten node-acorn chromium || return 1
    command -v npm >/dev/null 2>&1 || try_packages npm
}

build_web() {
    # em++ runs its JavaScript parts with node and needs Debian's acorn, which a Node.js not
    # from Debian does not find by itself.
    NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release \
        -DDRAV_WEB_DATA_DIR="$PWD/build/release/data" >/dev/null &&
        NODE_PATH=/usr/share/nodejs cmake --build build/web -j "$jobs"
}

# package BUILD-DIR : CPack's package of that build, alone in BUILD-DIR/packages.
package() {
    rm -rf "$1/packages" && cpack --config "$1/CPackConfig.cmake" >/dev/null
}

# pack_and_unpack BUILD-DIR ARCHIVE-PATTERN DIR : DIR made anew with what the one top folder of
# BUILD-DIR's package holds. DIR goes first, so a failed step leaves none to test.
pack_and_unpack() {
    rm -rf "$3" "$3.unpacking"
    package "$1" || return 1
    local archive
    archive=$(realpath "$1"/packages/$2) || return 1
    mkdir -p "$3.unpacking" &&
        (cd "$3.unpacking" && cmake -E tar xf "$archive") &&
        mv "$3.unpacking"/*/ "$3" && rmdir "$3.unpacking"
}

# Includes that cross the layers fail the run at once, before anything is built.
step "layering" python3 scripts/check_layers.py
step "release build" build build/release -DCMAKE_BUILD_TYPE=Release
step "release tests" ctest --test-dir build/release --output-on-failure -j "$jobs"
# The .deb, checked as installed: its files, lintian, and the installed drav-render.
step "debian package" package build/release
step "debian package check" bash tests/e2e/deb_check.sh build/release/packages/drav_*.deb \
    build/release/tools/render/drav-render
# The Windows program: cross-built with mingw-w64, packed in a zip with the data files of the
# release build, unpacked into a fresh folder and run there under Wine, whenever those tools
# can be installed.
windows_zip() {
    pack_and_unpack build/mingw 'drav-*-windows-x86_64.zip' build/mingw/dist &&
        diff <(LC_ALL=C ls build/mingw/dist) <({
            ls build/release/data | grep -E '[.](hgm|raw)$'
            printf '%s\n' LICENSE-CLI11.txt LICENSE.txt README.txt drav.exe
        } | LC_ALL=C sort)
}
in_wine() { bash tests/e2e/wine_run.sh build/mingw/wineprefix "$@"; }
if try_packages "${WINDOWS_PACKAGES[@]}"; then
    step "windows cross build" build build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
    step "windows zip" windows_zip
    step "windows backend tests" in_wine ctest --test-dir build/mingw --output-on-failure -j "$jobs"
    step "windows end-to-end" in_wine bash tests/e2e/wine_demo.sh build/mingw/dist \
        build/mingw/tests/platform/win32/drav_window_probe.exe build/mingw/e2e \
        build/release/tools/render/drav-render
    step "windows fullscreen" in_wine bash tests/e2e/wine_fullscreen.sh build/mingw/dist \
        build/mingw/tests/platform/win32/drav_window_probe.exe build/mingw/e2e_fullscreen
    step "windows keys and demos" in_wine bash tests/e2e/wine_keys.sh \
        build/release/tools/render/drav-render build/release/tools/bench/drav-bench \
        build/release/data demos/walk.dem build/mingw/e2e-keys build/mingw/dist
fi
web_package() {
    pack_and_unpack build/web 'drav-*-web.tar.gz' build/web/unpacked &&
        [ -f build/web/unpacked/index.html ] && [ -f build/web/unpacked/LICENSE ]
}

if web_tools; then
    step "web build" build_web
    # The page is checked as served from the unpacked tar.gz.
    step "web package" web_package
    step "web tests" bash tests/e2e/web_e2e.sh build/web build/release build/web/unpacked
fi
# The renderer's threads under ThreadSanitizer: the tests that draw with several threads and a
# short multi-threaded walk through drav-bench; any report fails the stage.
build_tsan() {
    cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAV_TSAN=ON >/dev/null &&
        cmake --build build/tsan -j "$jobs" --target drav_render_tests drav-bench
}
tsan_run() { TSAN_OPTIONS="halt_on_error=1 exitcode=66" "$@"; }
step "thread sanitizer build" build_tsan
step "thread sanitizer tests" tsan_run build/tsan/tests/drav_render_tests \
    --gtest_filter='RendererThreads*:CreateRenderer*'
step "thread sanitizer walk" tsan_run build/tsan/tools/bench/drav-bench --data build/tsan/data \
    --frames 60 --scale 2 --threads 3
step "sanitizer build" build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAV_SANITIZE=ON
step "sanitizer tests" ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -LE e2e
# The tools' end-to-end runs too: a sanitizer report or a leak at exit fails them.
step "sanitizer tool runs" ctest --test-dir build/sanitize --output-on-failure -j "$jobs" \
    -R '^e2e_(render_frames|bench_run|hostile_data)$'
# Each fuzz target for 20 seconds, from its seeds, under both sanitizers, where clang is at hand.
if try_packages "${FUZZ_PACKAGES[@]}"; then
    step "fuzzing" bash scripts/fuzz.sh 20
fi

printf '%s\n' "${timings[@]}"
echo "total: $SECONDS s"
echo "stages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
