#!/usr/bin/env python3
"""Checks a demo recorded with --mouse while the pointer moved right, then (freed by Escape)
left, then (taken again by a click) forward: version 2 with the given sensitivity, rightward
and forward motion and no leftward, plays back in drav-render and drav-bench, and the camera
turned and tilted by the motion.   usage: mouse_demo_check.py DEMO RENDER BENCH DATA SENSITIVITY"""
import struct
import subprocess
import sys

demo, render, bench, data, sensitivity = sys.argv[1:6]
content = open(demo, "rb").read()
version, _, _, recorded_sensitivity, _ = struct.unpack_from("<IIQII", content, 8)
ticks, offset, motion = [], 32, (0, 0)
while content[offset] != 0xFF:
    if content[offset] == 0x80:
        offset += 45
    elif content[offset] == 0x81:
        motion, offset = struct.unpack_from("<hh", content, offset + 1), offset + 5
    else:
        ticks, motion, offset = ticks + [motion], (0, 0), offset + 1
dx, dy = sum(x for x, _ in ticks), sum(y for _, y in ticks)
print(f"version {version}, {len(ticks)} ticks, dx {dx}, dy {dy}")
failures = []
if (version, recorded_sensitivity) != (2, int(sensitivity)) or dx <= 0 or dy >= 0:
    failures.append(f"sensitivity {recorded_sensitivity}, or no motion right and forward")
if any(x < 0 for x, _ in ticks):
    failures.append("leftward motion was recorded after Escape freed the pointer")
for program in (render, bench):
    if subprocess.run([program, "--data", data, "--play", demo]).returncode != 0:
        failures.append(f"{program} --play found a mismatch")


def camera(tick):
    fields = subprocess.run([render, "--data", data, "--play", demo, "--tick", str(tick)],
                            capture_output=True, text=True).stdout.split()
    return float(fields[fields.index("yaw") + 1]), float(fields[fields.index("pitch") + 1])


radians = int(sensitivity) * 0.002 / 100
(yaw0, pitch0), (yaw1, pitch1) = camera(0), camera(len(ticks))
if abs(yaw1 - yaw0 - dx * radians) > 1e-4 or abs(pitch1 - pitch0 + dy * radians) > 1e-4:
    failures.append(f"the camera turned {yaw1 - yaw0} and tilted {pitch1 - pitch0}")
print("\n".join("FAIL: " + f for f in failures) or "ok: the camera turned by the motion")
sys.exit(1 if failures else 0)
