#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/ from a generated
data set: a few small inputs per target, each a plain record in the layout its target reads.
   make_corpora.py DATA_DIR"""
import os
import struct
import sys

data = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))


def read(name):
    with open(os.path.join(data, name), "rb") as f:
        return f.read()


def write(target, name, payload):
    directory = os.path.join(here, "corpus", target)
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, name), "wb") as f:
        f.write(payload)


def floats(*values):
    return struct.pack("<%df" % len(values), *values)


def triangles(model, first, count):
    """count triangles of a model file from triangle index first, as vertex tuples."""
    body = read(model)[12:]
    result = []
    for t in range(first, first + count):
        record = body[96 * t:96 * (t + 1)]
        result.append([struct.unpack_from("<8f", record, 32 * k) for k in range(3)])
    return result


# Model loader: texture length, texture, model file.
def loader_seed(texture, model):
    return struct.pack("<H", len(texture)) + texture + model


write("model_loader", "plane", loader_seed(read("tex1.raw"), read("plane.hgm")))
write("model_loader", "ceil-short-texture", loader_seed(read("tex6.raw")[:100], read("ceil.hgm")))
write("model_loader", "cube-cut", loader_seed(b"", read("cube.hgm")[:500]))
write("model_loader", "huge-count", loader_seed(b"", b"HGM!" + struct.pack("<ii", 0, 22369621)))

# Raster: mode 0 a span, 1 a triangle near the frame, 2 a triangle anywhere.
vertex = struct.Struct("<hhBBB")
write("raster", "span", bytes([0]) + struct.pack("<I8i", 5, -5, 3, 0, 0, 40 << 16, 0, 255 << 16, 0))
write("raster", "near", bytes([1]) + vertex.pack(42, 41, 0, 0, 255) + vertex.pack(46, 45, 64, 0, 0)
      + vertex.pack(40, 47, 0, 64, 128))
write("raster", "whole-frame", bytes([2]) + vertex.pack(-50, -50, 0, 0, 255)
      + vertex.pack(1000, -50, 63, 0, 255) + vertex.pack(-50, 1000, 0, 63, 255))

# Triangle setup: the model 3 units ahead of the camera and 1 below, the program's projection.
view = floats(1, 0, 0, 0, 0, 1, 0, -1, 0, 0, 1, 3, 0, 0, 0, 1)
occluder = struct.pack("<4I", 10, 10, 100, 60)
for model in ("plane.hgm", "cube.hgm", "heart.hgm"):
    corners = [v for t in triangles(model, 0, 2) for v in t]
    positions = []
    for v in corners:
        if v[:3] not in positions:
            positions.append(v[:3])
    seed = view + bytes([0, len(positions)]) + b"".join(floats(*p) for p in positions)
    seed += bytes([2])
    for v in corners:
        seed += bytes([positions.index(v[:3])]) + floats(v[6], v[7])
    write("triangle", model.split(".")[0], seed + occluder)

# Whole frames: camera x, y, z, pitch, yaw, roll, the hearts' phase, eye-height byte, keys.
for name, camera in {"start": (18, 1, 2, 0, 1, 0), "ceiling": (18, 1, 2, 1.45, 1, 0),
                     "heart": (22.5, 1, 0, -0.1, -1.5707964, 0), "outside": (0, 1, -17, 0, 0, 0),
                     "rolled": (18, 1, 2, 0.2, 1, 0.4)}.items():
    write("frame", name, floats(*camera, 3.85) + bytes([1, 0x20, 0x20, 0x08, 0x21]))

# Command lines: a byte choosing drav-render, drav-bench, drav or the page query, then the
# arguments separated by NUL bytes.
for name, (parser, words) in {
        "render": (0, ["--data", "data", "--ticks", "40", "--camera", "24.6,2,-1.5707964",
                       "--png", "start.png", "--raw", "start.raw"]),
        "render-help": (0, ["--help"]),
        "bench": (1, ["--walk", "U30 LP10 E1", "--frames", "50", "--trace", "t", "--json", "s"]),
        "demo": (2, ["--scale", "2", "--threads", "1"]),
        "query": (3, ["scale=2&threads=1"])}.items():
    write("options", name, bytes([parser]) + b"\0".join(w.encode() for w in words))

# Demo files: a closed one with a scheduled and a last check, one never closed, one with the
# mouse's motion, and the shipped demo cut short, as a recording that stopped.
def check(tick):
    return bytes([0x80]) + struct.pack("<I6IQQ", tick, *range(6), 0x1234, 0x5678)


def demo(ticks, closed=True, mouse=False):
    header = b"DRAVDEMO" + struct.pack("<IIQ", 2 if mouse else 1,
                                       ticks if closed else 0xffffffff, 0xabcdef)
    if mouse:
        header += struct.pack("<II", 150, 1)
    body = b""
    for tick in range(ticks):
        if tick and tick % 64 == 0:
            body += check(tick)
        if mouse and tick % 2:
            body += bytes([0x81]) + struct.pack("<hh", tick - 40, -tick)
        body += bytes([(tick * 5) % 0x80])
    return header + body + check(ticks) + (bytes([0xff]) + struct.pack("<I", ticks) if closed
                                           else b"")


write("demo_reader", "closed", demo(70))
write("demo_reader", "empty", demo(0))
write("demo_reader", "mouse", demo(70, mouse=True))
write("demo_reader", "unfinished", demo(130, closed=False)[:-20])
with open(os.path.join(here, "..", "demos", "walk.dem"), "rb") as f:
    write("demo_reader", "walk-cut", f.read()[:400])

write("settings_reader", "plain", b"# drav's settings\nscale = 2\nfullscreen = true\n"
      b"# vsync = false\nkey-forward = \"W,Left Shift\"\n")
write("settings_reader", "mixed", b"scale = 2\nfullscreen\n; note\n[window]\n"
      b"key-forward = {W, \"Left Shift\"}\ncaptures = \"a b\" # c\nbogus=\n")
