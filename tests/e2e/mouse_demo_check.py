#!/usr/bin/env python3
"""Checks a demo recorded with --mouse while a test moved the pointer right, pressed Escape,
moved it left, clicked in the window and moved it forward: the demo is version 2 with the
sensitivity given, holds rightward and forward motion and no leftward motion (Escape had
freed the pointer), plays back with every check matching in drav-render and drav-bench, and
the camera turned and tilted by the recorded motion.

usage: mouse_demo_check.py DEMO DRAV_RENDER DRAV_BENCH DATA_DIR SENSITIVITY"""
import struct
import subprocess
import sys

demo, render, bench, data, sensitivity = sys.argv[1:6]
RADIANS_PER_PIXEL = int(sensitivity) * (0.002 / 100)
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, file=sys.stderr)


def motions(path):
    """The header's sensitivity, and every tick's (dx, dy)."""
    content = open(path, "rb").read()
    version, _, _, recorded_sensitivity, _ = struct.unpack_from("<IIQII", content, 8)
    assert content[:8] == b"DRAVDEMO" and version == 2, f"not a version 2 demo: {version}"
    ticks, offset, pending = [], 32, (0, 0)
    while content[offset] != 0xFF:
        tag = content[offset]
        if tag == 0x80:
            offset += 45
        elif tag == 0x81:
            pending = struct.unpack_from("<hh", content, offset + 1)
            offset += 5
        else:
            ticks.append(pending)
            pending = (0, 0)
            offset += 1
    return recorded_sensitivity, ticks


def camera_at(tick):
    out = subprocess.run([render, "--data", data, "--play", demo, "--tick", str(tick)],
                         capture_output=True, text=True)
    fields = out.stdout.split()
    return {fields[i]: float(fields[i + 1]) for i in range(2, 10, 2)}


recorded_sensitivity, ticks = motions(demo)
dx = sum(x for x, _ in ticks)
dy = sum(y for _, y in ticks)
print(f"{len(ticks)} ticks, {sum(1 for m in ticks if m != (0, 0))} with motion, dx {dx}, dy {dy}")
if recorded_sensitivity != int(sensitivity):
    fail(f"the header's sensitivity is {recorded_sensitivity}, not {sensitivity}")
if dx <= 0 or dy >= 0:
    fail(f"expected motion to the right and forward, got dx {dx} and dy {dy}")
if any(x < 0 for x, _ in ticks):
    fail("motion to the left was recorded after Escape freed the pointer")

for program in (render, bench):
    played = subprocess.run([program, "--data", data, "--play", demo], capture_output=True,
                            text=True)
    if played.returncode != 0:
        fail(f"{program} --play exited with {played.returncode}: {played.stderr}")

start, end = camera_at(0), camera_at(len(ticks))
turned, tilted = end["yaw"] - start["yaw"], end["pitch"] - start["pitch"]
if abs(turned - dx * RADIANS_PER_PIXEL) > 1e-4 or abs(tilted + dy * RADIANS_PER_PIXEL) > 1e-4:
    fail(f"the camera turned {turned:.6f} and tilted {tilted:.6f}, not "
         f"{dx * RADIANS_PER_PIXEL:.6f} and {-dy * RADIANS_PER_PIXEL:.6f}")
else:
    print(f"ok: the camera turned {turned:.6f} and tilted {tilted:.6f} radian")
sys.exit(1 if failures else 0)
