# shellcheck shell=bash
# Sourced by the test command: runs its stages, in the foreground or in the background, and
# sums them up. Every stage appends "STATUS SECONDS NAME" to one results file, so the stages
# run in the background count just as the others do.

stage_logs=build/stage-logs
rm -rf "$stage_logs" && mkdir -p "$stage_logs"
stage_results=$stage_logs/results
: >"$stage_results"
background_jobs=()

# step NAME COMMAND... : runs one stage and records its status and seconds. The test command
# goes on after a failure, so every failure shows.
step() {
    local name=$1
    shift
    echo "=== $name"
    local start=$SECONDS
    "$@"
    local status=$?
    [ "$status" -eq 0 ] || echo "=== FAILED: $name" >&2
    echo "$status $((SECONDS - start)) $name" >>"$stage_results"
}

# in_background FUNCTION [LOCK] : starts FUNCTION, whose steps mostly wait (on a virtual
# screen, Wine or the browser), in the background, so that the next build overlaps it. Its
# output goes to a log that finish_background prints. Jobs given the same LOCK take turns:
# virtual X servers started at the same moment race for one display number.
in_background() {
    (flock 9 && "$1" 9>&-) 9>"$stage_logs/${2:-$1}.lock" >"$stage_logs/$1.log" 2>&1 &
    background_jobs+=("$!" "$1")
}

# finish_background : waits for what runs in the background and prints each one's output, in
# the order they were started. Its steps record themselves; a status other than 0 means it was
# stopped before its end, which counts as one more failed stage.
finish_background() {
    local i
    for ((i = 0; i < ${#background_jobs[@]}; i += 2)); do
        local name=${background_jobs[i + 1]}
        wait "${background_jobs[i]}"
        local status=$?
        echo "=== $name: ran in the background"
        cat "$stage_logs/$name.log"
        if [ "$status" -ne 0 ]; then
            echo "=== FAILED: $name stopped with status $status" >&2
            echo "$status 0 $name" >>"$stage_results"
        fi
    done
    background_jobs=()
}

# summary : every stage's seconds, the total, and the count; fails when a stage failed.
summary() {
    local status seconds name passed=0 failed=0
    while read -r status seconds name; do
        printf '%5d s  %s%s\n' "$seconds" "$name" "$([ "$status" -eq 0 ] || echo '  FAILED')"
        if [ "$status" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
    done <"$stage_results"
    echo "total: $SECONDS s"
    echo "stages: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
