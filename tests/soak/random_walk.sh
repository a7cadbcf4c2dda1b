#!/usr/bin/env bash
# Soak test: drav-bench on a long seeded random walk of random keys that also leads far outside
# the level and tilts the view past plus and minus pi, with a frame rendered after every tick.
# Passes when drav-bench finishes cleanly (under the sanitizers any report ends it with an
# error), the heap in use at the end equals that after start-up, and the trace shows that the
# walk went where it was meant to.
#   random_walk.sh DRAV_BENCH DATA_DIR [SEED] [STEPS]
set -uo pipefail

bench=$1
data=$2
seed=${3:-20240611}
steps=${4:-1400}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Random steps of one to three keys held for 1 to 40 ticks, with a long walk out of the level,
# a long tilt up and a long tilt down among them.
script=$(python3 - "$seed" "$steps" <<'PY'
import sys
seed, steps = int(sys.argv[1]), int(sys.argv[2])
state = seed
def draw(n):
    global state
    state = (state * 6364136223846793005 + 1442695040888963407) % 2**64
    return (state >> 33) % n
words = []
for i in range(steps):
    keys = "".join(sorted({"UDLRPNE"[draw(7)] for _ in range(1 + draw(3))}))
    words.append(keys + str(1 + draw(40)))
    if i == steps // 4:
        words.append("U2400")        # 60 units straight on: far outside the level
    elif i == steps // 2:
        words.append("E1 P300")      # pitch up to 3.75
    elif i == 3 * steps // 4:
        words.append("E1 N300")      # pitch down to -3.75
print(" ".join(words))
PY
) || { echo "FAIL: cannot make the walk script" >&2; exit 1; }

"$bench" --data "$data" --walk "$script" --trace "$work/trace" --json "$work/summary.json" \
    >"$work/out" 2>"$work/err"
status=$?
cat "$work/out"
if [ "$status" != 0 ] || [ -s "$work/err" ]; then
    echo "FAIL: drav-bench exited with $status" >&2
    head -50 "$work/err" >&2
    exit 1
fi

python3 - "$work/trace" "$work/summary.json" <<'PY'
import json, math, sys
rows = [line.split() for line in open(sys.argv[1])]
summary = json.load(open(sys.argv[2]))
failures = []
heap = summary["heap_bytes"]
if heap["after_startup"] < 0 or heap["at_end"] != heap["after_startup"]:
    failures.append(f"heap in use grew: {heap}")
if summary["frames"] != len(rows) or len(rows) < 20000:
    failures.append(f"{len(rows)} trace lines for {summary['frames']} frames")
pitches = [float(r[4]) for r in rows]
if max(pitches) <= math.pi or min(pitches) >= -math.pi:
    failures.append(f"pitch stayed within {min(pitches)}..{max(pitches)}")
farthest = max(math.hypot(float(r[1]), float(r[3])) for r in rows)
if farthest < 40:
    failures.append(f"never farther than {farthest} from the centre")
if not any(int(r[6]) == 0 for r in rows) or not any(int(r[6]) > 100 for r in rows):
    failures.append("the walk never left the level or never saw it")
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
PY
