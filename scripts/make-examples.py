#!/usr/bin/python3
"""Draws the sample pictures of examples/: small landscapes as JPEG (through cjpeg of
libjpeg-turbo-progs), PNG and BMP, so the demo has pictures of every common kind."""
import math
import pathlib
import struct
import subprocess
import sys
import zlib

SKIES = [(40, 90, 170, 250, 190, 130), (20, 30, 80, 240, 120, 90), (90, 160, 220, 220, 235, 245),
         (60, 40, 110, 250, 160, 180), (15, 80, 90, 200, 230, 200), (110, 70, 30, 250, 210, 120)]


def mix(a, b, t):
    return int(round(a + (b - a) * min(1.0, max(0.0, t))))


def scene(width, height, seed):
    """Rows of (r, g, b) pixels: sky, sun and two lines of hills that move with the seed."""
    sky = SKIES[seed % len(SKIES)]
    sun_x = width * (0.2 + 0.6 * ((seed * 37) % 100) / 100)
    sun_y = height * (0.18 + 0.2 * ((seed * 53) % 100) / 100)
    sun_r = min(width, height) * (0.07 + 0.03 * (seed % 3))
    rows = []
    for y in range(height):
        t = y / height
        row = []
        for x in range(width):
            far = height * (0.55 + 0.08 * math.sin(x * 6 / width + seed))
            near = height * (0.72 + 0.06 * math.sin(x * 9 / width + seed * 2.1))
            if y > near:
                row.append((mix(40, 10, t - 0.7), mix(95 + seed * 9 % 60, 40, t - 0.7), mix(45, 20, t - 0.7)))
            elif y > far:
                row.append((mix(70, 40, t - 0.5), mix(120, 90, t - 0.5), mix(110 + seed * 13 % 70, 70, t - 0.5)))
            elif math.hypot(x - sun_x, y - sun_y) < sun_r:
                row.append((255, 236, 170))
            else:
                row.append((mix(sky[0], sky[3], t * 1.6), mix(sky[1], sky[4], t * 1.6), mix(sky[2], sky[5], t * 1.6)))
        rows.append(row)
    return rows


def write_jpeg(path, rows, quality=82):
    ppm = b"P6 %d %d 255\n" % (len(rows[0]), len(rows)) + bytes(v for row in rows for px in row for v in px)
    jpeg = subprocess.run(["cjpeg", "-quality", str(quality), "-optimize"], input=ppm,
                          stdout=subprocess.PIPE, check=True).stdout
    path.write_bytes(jpeg)


def write_png(path, rows):
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                     + chunk(b"IEND", b""))


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes(v for px in row for v in reversed(px)).ljust(stride, b"\0") for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path.write_bytes(b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + info + pixels)


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "examples")
    folder.mkdir(parents=True, exist_ok=True)
    write_jpeg(folder / "lake.jpg", scene(240, 160, 0))
    write_jpeg(folder / "dusk.jpg", scene(240, 150, 1))
    write_jpeg(folder / "tower.jpg", scene(150, 220, 3))
    write_png(folder / "meadow.png", scene(96, 64, 4))
    write_bmp(folder / "desert.bmp", scene(48, 32, 5))


if __name__ == "__main__":
    main()
