#!/usr/bin/env python3
"""Writes the seamless background tiles of resources/Hintergrund/ as 24-bit
Windows BMP files (BITMAPINFOHEADER, bottom-up, uncompressed).

Every texture is built from periodic terms whose periods divide the tile
size, so the tiles join without seams. Uses only the standard library.
Usage: python3 resources/tools/make_tiles.py [output folder]
"""
import math
import os
import random
import struct
import sys

N = 128  # tile width and height


class PeriodicNoise:
    """Smooth value noise on a lattice that wraps around every N pixels."""

    def __init__(self, cells, seed):
        rnd = random.Random(seed)
        self.cells = cells
        self.v = [[rnd.random() for _ in range(cells)] for _ in range(cells)]

    def __call__(self, x, y):
        c = self.cells
        fx = x * c / N
        fy = y * c / N
        x0 = int(math.floor(fx))
        y0 = int(math.floor(fy))
        tx = fx - x0
        ty = fy - y0
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        x0 %= c
        y0 %= c
        x1 = (x0 + 1) % c
        y1 = (y0 + 1) % c
        a = self.v[y0][x0] + (self.v[y0][x1] - self.v[y0][x0]) * tx
        b = self.v[y1][x0] + (self.v[y1][x1] - self.v[y1][x0]) * tx
        return a + (b - a) * ty  # 0 .. 1


def fractal(layers, x, y):
    """Sum of noise octaves, result roughly 0 .. 1."""
    total = 0.0
    weight = 0.0
    amp = 1.0
    for layer in layers:
        total += amp * layer(x, y)
        weight += amp
        amp *= 0.5
    return total / weight


def clamp(v):
    return max(0, min(255, int(round(v))))


def write_bmp(path, pixels):
    """pixels[y][x] = (r, g, b), y = 0 is the top row."""
    h = len(pixels)
    w = len(pixels[0])
    row_size = (w * 3 + 3) & ~3
    image_size = row_size * h
    data = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((clamp(b), clamp(g), clamp(r)))
        row += b"\0" * (row_size - len(row))
        data += row
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info_header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(file_header + info_header + data)


def marble():
    """Light beige-green marble: veins from a sine of a turbulent phase."""
    layers = [PeriodicNoise(c, 11 + c) for c in (4, 8, 16, 32)]
    fine = PeriodicNoise(64, 5)
    two_pi = 2 * math.pi
    px = []
    for y in range(N):
        row = []
        for x in range(N):
            t = fractal(layers, x, y)
            phase = two_pi * (x + y) / N * 2 + 7.0 * t
            vein = abs(math.sin(phase))  # 0 at the veins
            vein = vein ** 0.35
            grain = (fine(x, y) - 0.5) * 4
            cloud = (t - 0.5) * 14
            r = 0xDE + cloud + grain - (1 - vein) * 16
            g = 0xE6 + cloud + grain - (1 - vein) * 12
            b = 0xC1 + cloud * 0.8 + grain - (1 - vein) * 18
            row.append((r, g, b))
        px.append(row)
    return px


def linen():
    """Light linen: thread streaks along rows and columns, fine noise."""
    rnd = random.Random(21)
    rows = [rnd.uniform(-1, 1) for _ in range(N)]
    cols = [rnd.uniform(-1, 1) for _ in range(N)]
    soft = PeriodicNoise(8, 3)
    fine = PeriodicNoise(64, 4)
    px = []
    for y in range(N):
        row = []
        for x in range(N):
            weave = 1 if (x + y) % 2 == 0 else -1
            v = rows[y] * 6 + cols[x] * 6 + weave * 2.5 + (fine(x, y) - 0.5) * 6
            s = (soft(x, y) - 0.5) * 8
            row.append((0xF0 + v + s, 0xEA + v + s, 0xDA + v * 0.9 + s))
        px.append(row)
    return px


def wood():
    """Light wood: horizontal grain lines bent by periodic noise."""
    layers = [PeriodicNoise(c, 31 + c) for c in (2, 4, 8)]
    streak = PeriodicNoise(32, 7)
    rnd = random.Random(9)
    fibre = [rnd.uniform(-1, 1) for _ in range(N)]
    two_pi = 2 * math.pi
    px = []
    for y in range(N):
        row = []
        for x in range(N):
            t = fractal(layers, x, y)
            phase = two_pi * y / N * 5 + 6.0 * t
            ring = (math.sin(phase) + 1) / 2  # 0 .. 1
            ring = ring ** 3
            v = -ring * 18 + (streak(x, y) - 0.5) * 8 + fibre[y] * 3
            row.append((0xE8 + v, 0xCF + v * 1.05, 0xA6 + v * 1.1))
        px.append(row)
    return px


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join("resources", "Hintergrund")
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "marbl24m.bmp"), marble())
    write_bmp(os.path.join(out, "leinen24.bmp"), linen())
    write_bmp(os.path.join(out, "holz24.bmp"), wood())


if __name__ == "__main__":
    main()
