#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build/fuzz and runs each for a bounded time from its seed corpus in fuzz/corpus. New
# inputs go to build/fuzz/corpus/<target>, so later runs start where this one stopped; an input
# that fails is saved in build/fuzz/findings. Needs the release build's data set. Exits
# non-zero when a build or a target fails.
#   fuzz.sh [SECONDS-PER-TARGET] [TARGET...]     (default 30 seconds, every target)
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(model_loader triangle raster frame options demo_reader)
data=$PWD/build/release/data

[ -f "$data/plane.hgm" ] || { echo "fuzz: no data set in $data (build the release first)" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAV_FUZZ=ON \
    -DDRAV_FUZZ_DATA_DIR="$data" >/dev/null &&
    cmake --build build/fuzz --target drav_fuzzers -j "$(nproc)" >/dev/null || exit 1

failed=0
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus" build/fuzz/findings
    log=build/fuzz/$target.log
    # Leaks are checked at every input's end; the 2 GB malloc limit is libFuzzer's own.
    build/fuzz/fuzz/${target}_fuzzer "$corpus" "fuzz/corpus/$target" -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix=build/fuzz/findings/$target- >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz: $target: ${runs:-?} inputs in ${seconds} s, ${rate:-?} per second, status $status"
    if [ "$status" != 0 ]; then
        grep -E 'check failed|ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -20 >&2
        failed=$((failed + 1))
    fi
done
[ "$failed" -eq 0 ]
