#!/usr/bin/env python3
"""Checks a demo recorded while a test held each key in turn: the recorded runs of held keys
are the expected keys in the expected order, each held for some ticks with nothing else, the
demo plays back with every check matching, and each run changed the camera as the tick rules
say (read back with drav-render --play --tick).

usage: key_demo_check.py DEMO DRAV_RENDER DATA_DIR KEY...   (KEY: End PageUp PageDown Left
Right Up Down, in the order they were held)"""
import math
import struct
import subprocess
import sys

KEYS = ["End", "PageUp", "PageDown", "Left", "Right", "Up", "Down"]
PITCH_STEP = 0.0125
YAW_STEP = 0.025
WALK_STEP = 0.025
TOLERANCE = 1e-4
MIN_TICKS = 3

demo, render, data, expected = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, file=sys.stderr)


def key_bytes(path):
    """The key byte of every tick; check records are skipped."""
    content = open(path, "rb").read()
    assert content[:8] == b"DRAVDEMO", "not a demo file"
    keys, offset = [], 24
    while content[offset] != 0xFF:
        if content[offset] == 0x80:
            offset += 45
        else:
            keys.append(content[offset])
            offset += 1
    return keys


def held_runs(keys):
    """(bits, first tick, last tick) of every run of one non-empty key set; ticks from 1."""
    runs = []
    for tick, bits in enumerate(keys, start=1):
        if bits and runs and runs[-1][0] == bits and runs[-1][2] == tick - 1:
            runs[-1][2] = tick
        elif bits:
            runs.append([bits, tick, tick])
    return runs


def names(bits):
    return "+".join(name for i, name in enumerate(KEYS) if bits & (1 << i)) or "none"


def camera_at(tick):
    out = subprocess.run([render, "--data", data, "--play", demo, "--tick", str(tick)],
                         capture_output=True, text=True)
    if out.returncode != 0:
        fail(f"drav-render --play --tick {tick} exited with {out.returncode}: {out.stderr}")
        return None
    fields = out.stdout.split()
    return {fields[i]: float(fields[i + 1]) for i in range(2, 10, 2)}


def expected_change(key, before, ticks):
    """The camera after holding key for ticks from before, by the tick rules."""
    after = dict(before)
    if key == "End":
        after["pitch"] = 0.0
    elif key in ("PageUp", "PageDown"):
        after["pitch"] += (PITCH_STEP if key == "PageUp" else -PITCH_STEP) * ticks
    elif key in ("Left", "Right"):
        after["yaw"] += (-YAW_STEP if key == "Left" else YAW_STEP) * ticks
    else:
        step = (WALK_STEP if key == "Up" else -WALK_STEP) * ticks
        after["x"] -= math.sin(before["yaw"]) * step
        after["z"] += math.cos(before["yaw"]) * step
    return after


runs = held_runs(key_bytes(demo))
print("held:", " ".join(f"{names(bits)}x{last - first + 1}" for bits, first, last in runs))
if [names(bits) for bits, _, _ in runs] != expected:
    fail(f"the recorded keys are {[names(b) for b, _, _ in runs]}, not {expected}")

played = subprocess.run([render, "--data", data, "--play", demo], capture_output=True, text=True)
if played.returncode != 0:
    fail(f"playing the recording back exited with {played.returncode}: {played.stderr}")

for (bits, first, last), key in zip(runs, expected):
    ticks = last - first + 1
    if ticks < MIN_TICKS:
        fail(f"{key} was held for only {ticks} ticks")
    before, after = camera_at(first - 1), camera_at(last)
    if before is None or after is None:
        continue
    wanted = expected_change(key, before, ticks)
    off = [f"{field} {after[field]:.6f} (expected {wanted[field]:.6f})" for field in wanted
           if abs(after[field] - wanted[field]) > TOLERANCE]
    if key == "End" and before["pitch"] == 0.0:
        off.append("the view was level already, so End showed nothing")
    if off:
        fail(f"{key} held for {ticks} ticks from tick {first}: " + ", ".join(off))
    else:
        print(f"ok: {key} held for {ticks} ticks changes the camera as the tick rules say")

sys.exit(1 if failures else 0)
