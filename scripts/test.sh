#!/usr/bin/env bash
# Sets up, builds and runs every test: an optimised build, the Windows and browser builds, a
# sanitizer build whose objects serve both its tests and a short run of every fuzz target, and
# a ThreadSanitizer build. Installs missing Debian packages first. The stages that mostly
# wait (on virtual screens, Wine, the browser), the one-core sanitizer soak and the fuzz runs
# run in the background while the next build compiles; each one's output is printed once it
# is done.
# Ends with every stage's seconds and exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/stages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${APP_PACKAGES[@]}" "${E2E_PACKAGES[@]}" \
    "${PACKAGING_PACKAGES[@]}" || exit 1

jobs=$(nproc)

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
# The optimised build. Its tests include drav in virtual X servers, which mostly wait, so
# they run in the background beside the package checks and the next builds.
release_tests() {
    step "release tests" ctest --test-dir build/release --output-on-failure -j "$jobs"
}
step "release build" build build/release -DCMAKE_BUILD_TYPE=Release
in_background release_tests x_server
# The .deb, checked as installed: its files, lintian, and the installed drav-render.
step "debian package" package build/release
step "debian package check" bash tests/e2e/deb_check.sh build/release/packages/drav_*.deb \
    build/release/tools/render/drav-render

# The Windows program: cross-built with mingw-w64, packed in a zip with the data files of the
# release build, unpacked into a fresh folder and run there under Wine, whenever those tools
# can be installed. Wine mostly waits on its virtual X server, so these runs go in the
# background, after the release tests' virtual X servers.
windows_zip() {
    pack_and_unpack build/mingw 'drav-*-windows-x86_64.zip' build/mingw/dist &&
        diff <(LC_ALL=C ls build/mingw/dist) <({
            ls build/release/data | grep -E '[.](hgm|raw)$'
            printf '%s\n' LICENSE-CLI11.txt LICENSE.txt README.txt drav.exe
        } | LC_ALL=C sort)
}
in_wine() { bash tests/e2e/wine_run.sh build/mingw/wineprefix "$@"; }
windows_tests() {
    step "windows zip" windows_zip
    step "windows backend tests" in_wine ctest --test-dir build/mingw --output-on-failure -j "$jobs"
    step "windows end-to-end" in_wine bash tests/e2e/wine_demo.sh build/mingw/dist \
        build/mingw/tests/platform/win32/drav_window_probe.exe build/mingw/e2e \
        build/release/tools/render/drav-render
    step "windows fullscreen" in_wine bash tests/e2e/wine_fullscreen.sh build/mingw/dist \
        build/mingw/tests/platform/win32/drav_window_probe.exe build/mingw/e2e_fullscreen
    step "windows keys and demos" in_wine bash tests/e2e/wine_keys.sh \
        build/release/tools/render/drav-render build/release/tools/bench/drav-bench \
        build/release/data demos/walk.dem build/mingw/e2e-keys build/mingw/dist demos/mouse.dem
}
if try_packages "${WINDOWS_PACKAGES[@]}"; then
    step "windows cross build" build build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
    in_background windows_tests x_server
fi

# The page, checked in headless Chromium as served from the unpacked tar.gz, in the
# background.
web_package() {
    pack_and_unpack build/web 'drav-*-web.tar.gz' build/web/unpacked &&
        [ -f build/web/unpacked/index.html ] && [ -f build/web/unpacked/LICENSE ]
}
web_tests() {
    step "web package" web_package
    step "web tests" bash tests/e2e/web_e2e.sh build/web build/release build/web/unpacked
}
if web_tools; then
    step "web build" build_web
    in_background web_tests
fi

# AddressSanitizer and UndefinedBehaviorSanitizer. Where clang is at hand, the objects also
# carry libFuzzer's coverage instrumentation, so the one build serves the fuzz targets too. Its
# reports need only line tables, which build much faster than full debug information.
sanitize_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAV_SANITIZE=ON)
fuzzing=false
if try_packages "${FUZZ_PACKAGES[@]}"; then
    fuzzing=true
    sanitize_options+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG"
        -DDRAV_FUZZ=ON -DDRAV_FUZZ_DATA_DIR="$PWD/build/release/data")
fi
step "sanitizer build" build build/sanitize "${sanitize_options[@]}"
# The long random walk, every frame checked, keeps one core busy the longest, so it starts
# first, in the background beside the other tests and the ThreadSanitizer build.
sanitizer_soak() {
    step "sanitizer soak" ctest --test-dir build/sanitize --output-on-failure -L soak
}
in_background sanitizer_soak
# Each fuzz target for 15 seconds from its seeds, one at a time, in the background too and at
# the lowest priority: the runs are bounded by time rather than work, so they take only what
# the other stages leave free.
fuzz_targets() {
    step "fuzzing" env DRAV_FUZZ_BUILD=build/sanitize DRAV_FUZZ_JOBS=1 \
        nice -n 19 bash scripts/fuzz.sh 15
}
$fuzzing && in_background fuzz_targets
step "sanitizer tests" ctest --test-dir build/sanitize --output-on-failure -j "$jobs" \
    -LE 'e2e|soak'
# The tools' end-to-end runs too: a sanitizer report or a leak at exit fails them.
step "sanitizer tool runs" ctest --test-dir build/sanitize --output-on-failure -j "$jobs" \
    -R '^e2e_(render_frames|bench_run|hostile_data)$'

# The renderer's threads under ThreadSanitizer: the tests that draw with several threads and a
# short multi-threaded walk through drav-bench; any report fails the stage. Line tables again.
build_tsan() {
    cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAV_TSAN=ON \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null &&
        cmake --build build/tsan -j "$jobs" --target drav_render_tests drav-bench
}
tsan_run() { TSAN_OPTIONS="halt_on_error=1 exitcode=66" "$@"; }
step "thread sanitizer build" build_tsan
step "thread sanitizer tests" tsan_run build/tsan/tests/drav_render_tests \
    --gtest_filter='RendererThreads*:CreateRenderer*'
step "thread sanitizer walk" tsan_run build/tsan/tools/bench/drav-bench --data build/tsan/data \
    --frames 60 --scale 2 --threads 3

finish_background

summary
