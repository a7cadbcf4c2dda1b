#!/usr/bin/env bash
# Runs drav-bench on a short walk and checks its report, trace and JSON summary, and that bad
# arguments print the usage and exit with status 2.
#   bench_run.sh DRAV_BENCH DATA_DIR
set -uo pipefail

bench=$1
data=$2
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

if "$bench" --data "$data" --walk "U30 LP10 E1" --frames 50 --trace "$work/trace" \
    --json "$work/summary.json" >"$work/out" 2>"$work/err"; then
    [ ! -s "$work/err" ] || fail "unexpected warnings: $(cat "$work/err")"
    for line in '^start-up: palette and fog table [0-9.]+ ms, models [0-9.]+ ms, level [0-9.]+ ms, start to first frame [0-9.]+ ms$' \
        '^frames: 50, median [0-9.]+ ms, p90 [0-9.]+ ms, p99 [0-9.]+ ms, max [0-9.]+ ms, [0-9]+ fps at the median$' \
        '^per frame: [0-9.]+ models drawn' '^heap in use \('; do
        grep -qE "$line" "$work/out" || fail "no line like $line in: $(cat "$work/out")"
    done
    python3 - "$work/trace" "$work/summary.json" <<'PY' || fail "trace or JSON summary"
import json, sys
rows = [line.split() for line in open(sys.argv[1])]
summary = json.load(open(sys.argv[2]))
assert len(rows) == 50 and all(len(r) == 8 for r in rows), rows[:2]
assert [int(r[0]) for r in rows] == list(range(1, 51))
# Ten ticks of Left and Page Up after thirty of Up, then End; the walk starts over at 41.
assert float(rows[29][5]) == 1.0 and abs(float(rows[39][5]) - 0.75) < 1e-6, rows[39]
assert abs(float(rows[39][4]) - 0.125) < 1e-6 and float(rows[40][4]) == 0.0, rows[40]
assert all(int(r[6]) > 0 and float(r[7]) > 0 for r in rows)
assert summary["frames"] == 50
for key in ("median", "p90", "p99", "max"):
    assert summary["frame_ms"][key] > 0
per = summary["per_frame"]
assert abs(per["triangles_submitted"] - per["triangles_drawn"] - per["triangles_rejected"]) < 0.01
assert 0 < per["pixels_written"] <= per["pixels_far_to_near"]
assert summary["heap_bytes"]["at_end"] == summary["heap_bytes"]["after_startup"]
PY
else
    fail "drav-bench exited with $? ($(cat "$work/err"))"
fi

for arguments in "--frames 0" "--frames x" "--walk X5" "--walk U" "--walk" "--scale 0" \
    "--threads 65" "--unknown 1" "stray"; do
    # shellcheck disable=SC2086
    "$bench" --data "$data" $arguments >/dev/null 2>"$work/bad.err"
    status=$?
    [ "$status" = 2 ] || fail "'$arguments' exited with $status, not 2"
    grep -q '^usage: drav-bench' "$work/bad.err" || fail "'$arguments' printed no usage"
    first=$(head -n1 "$work/bad.err")
    [[ $first == "drav-bench: "*"${arguments##* }"* ]] || fail "'$arguments' gave '$first'"
done
"$bench" --help >"$work/help.out" 2>&1 || fail "--help did not exit 0"
grep -q -- '--walk SCRIPT' "$work/help.out" || fail "--help does not list --walk"

"$bench" --data "$data" --frames 3 --json "$work/no/such/dir/s.json" >/dev/null 2>"$work/write.err"
[ "$?" = 2 ] || fail "a JSON file in a missing folder did not give status 2"
grep -q 'cannot write' "$work/write.err" || fail "the unwritable file was not named"

[ "$failures" -eq 0 ] && echo "all bench checks passed"
exit $((failures > 0))
