#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build/fuzz and runs each for a bounded time from its seed corpus in fuzz/corpus, one
# target per core at a time. New inputs go to build/fuzz/corpus/<target>, so later runs start
# where this one stopped; an input that fails is saved in build/fuzz/findings. Needs the
# release build's data set. Exits non-zero when a build or a target fails.
#   fuzz.sh [SECONDS-PER-TARGET] [TARGET...]     (default 30 seconds, every target)
# With DRAV_FUZZ_BUILD=DIR the targets come from that build instead, already configured with
# clang and DRAV_FUZZ (the test command's sanitizer build, which also holds the tests). With
# DRAV_FUZZ_JOBS=N, N targets run at a time instead of one per core.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(model_loader triangle raster frame options demo_reader settings_reader)
data=$PWD/build/release/data
build=${DRAV_FUZZ_BUILD:-build/fuzz}
work=build/fuzz

[ -f "$data/plane.hgm" ] || { echo "fuzz: no data set in $data (build the release first)" >&2; exit 1; }
if [ -z "${DRAV_FUZZ_BUILD:-}" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAV_FUZZ=ON \
        -DBUILD_TESTING=OFF -DDRAV_FUZZ_DATA_DIR="$data" >/dev/null || exit 1
fi
cmake --build "$build" --target drav_fuzzers -j "$(nproc)" >/dev/null || exit 1
mkdir -p "$work/findings"

# fuzz TARGET : runs one target for the given time, its output in build/fuzz/TARGET.log.
fuzz() {
    local corpus=$work/corpus/$1
    mkdir -p "$corpus"
    # Leaks are checked at every input's end; the 2 GB malloc limit is libFuzzer's own.
    "$build/fuzz/${1}_fuzzer" "$corpus" "fuzz/corpus/$1" -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix="$work/findings/$1-" >"$work/$1.log" 2>&1
}

# report TARGET STATUS : one line on the target's run, and what went wrong when it failed.
report() {
    local log=$work/$1.log
    local runs rate
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz: $1: ${runs:-?} inputs in ${seconds} s, ${rate:-?} per second, status $2"
    [ "$2" = 0 ] && return 0
    grep -E 'check failed|ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -20 >&2
    echo "fuzz: $1: run $build/fuzz/${1}_fuzzer on the saved input to see it again" >&2
    return 1
}

# One target per core: each is a single process, so a batch of as many as there are cores
# keeps them all busy for the same time as one target alone.
cores=${DRAV_FUZZ_JOBS:-$(nproc)}
failed=0
for ((first = 0; first < ${#targets[@]}; first += cores)); do
    batch=("${targets[@]:first:cores}")
    pids=()
    for target in "${batch[@]}"; do
        fuzz "$target" &
        pids+=($!)
    done
    for i in "${!batch[@]}"; do
        wait "${pids[i]}"
        report "${batch[i]}" $? || failed=$((failed + 1))
    done
done
[ "$failed" -eq 0 ]
