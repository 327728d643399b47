#!/usr/bin/env python3
"""Draws the default skin's own images: the program icon (Tessaly.ico, PNG
inside ICO), logo.png and the tab icons (icon/tab_*.png, four frames side by
side: normal, hover, selected, disabled). Everything is drawn here from
shapes, with no outside input; run it and commit its output with it.

    python3 data/skins/src/make_skin_images.py
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "default")
ACCENT = (0x1E, 0x90, 0xFF)
SAMPLES = 4  # per axis, for smooth edges


# --- shapes: functions of (x, y) in 0..1 that say whether a point is inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def line(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


# --- drawing


def render(size, layers, width=None):
    """layers: (shape, (r, g, b, a)) painted in order; returns RGBA rows.
    Shapes see y in 0..1 and x in 0..width/size."""
    width = width or size
    pixels = [[(0, 0, 0, 0)] * width for _ in range(size)]
    step = 1.0 / (size * SAMPLES)
    for py in range(size):
        for px in range(width):
            r = g = b = a = 0.0
            for shape, colour in layers:
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px * SAMPLES + sx + 0.5) * step
                        y = (py * SAMPLES + sy + 0.5) * step
                        hits += shape(x, y)
                cover = hits / (SAMPLES * SAMPLES) * colour[3] / 255.0
                if cover == 0:
                    continue
                # "over" compositing with premultiplied sums
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            if a > 0:
                pixels[py][px] = (round(r / a), round(g / a), round(b / a), round(a * 255))
    return pixels


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def side_by_side(frames):
    return [sum((frame[y] for frame in frames), []) for y in range(len(frames[0]))]


def write(name, data):
    path = os.path.join(OUT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(os.path.relpath(path, os.path.join(HERE, "..", "..", "..")))


# --- the images


def mark():
    """The product mark: a mouse body cut by its wheel slot inside a ring."""
    body = rounded(0.34, 0.22, 0.66, 0.80, 0.16)
    slot = rect(0.485, 0.22, 0.515, 0.45)
    wheel = rounded(0.47, 0.30, 0.53, 0.40, 0.03)
    return [
        (circle(0.5, 0.5, 0.48), (0x16, 0x18, 0x1D, 255)),
        (ring(0.5, 0.5, 0.47, 0.42), ACCENT + (255,)),
        (minus(body, slot), (0xE8, 0xEA, 0xEE, 255)),
        (wheel, ACCENT + (255,)),
    ]


def program_icon():
    sizes = [16, 32, 48, 256]
    images = [png_bytes(render(s, mark())) for s in sizes]
    header = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    entries = b""
    for size, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(images)


# Stroke letters in a box 0.6 wide and 1 high.
LETTERS = {
    "T": [(0, 0, 0.6, 0), (0.3, 0, 0.3, 1)],
    "E": [(0, 0, 0, 1), (0, 0, 0.55, 0), (0, 0.5, 0.45, 0.5), (0, 1, 0.55, 1)],
    "S": [(0.55, 0.02, 0.12, 0.02), (0.12, 0.02, 0.02, 0.22), (0.02, 0.22, 0.12, 0.44),
          (0.12, 0.44, 0.48, 0.56), (0.48, 0.56, 0.58, 0.78), (0.58, 0.78, 0.46, 0.98),
          (0.46, 0.98, 0.02, 0.98)],
    "A": [(0, 1, 0.3, 0), (0.3, 0, 0.6, 1), (0.12, 0.62, 0.48, 0.62)],
    "L": [(0, 0, 0, 1), (0, 1, 0.55, 1)],
    "Y": [(0, 0, 0.3, 0.5), (0.6, 0, 0.3, 0.5), (0.3, 0.5, 0.3, 1)],
}


def word(text, left, top, height, stroke):
    strokes = []
    x = left
    for letter in text:
        for x0, y0, x1, y1 in LETTERS[letter]:
            strokes.append(line(x + x0 * height, top + y0 * height, x + x1 * height,
                                top + y1 * height, stroke))
        x += 0.85 * height
    return union(*strokes)


def logo(height, width):
    """The mark on the left, the name beside it (shapes in units of the height)."""
    layers = list(mark())
    name = word("TESSALY", 1.25, 0.28, 0.44, 0.085)
    layers.append((name, (0xE8, 0xEA, 0xEE, 255)))
    return render(height, layers, width)


TAB_SHAPES = {
    "tab_home": union(polygon([(0.5, 0.12), (0.9, 0.5), (0.1, 0.5)]),
                      minus(rect(0.22, 0.45, 0.78, 0.88), rect(0.42, 0.6, 0.58, 0.88))),
    "tab_key": minus(rounded(0.26, 0.1, 0.74, 0.9, 0.22),
                     union(rect(0.47, 0.1, 0.53, 0.42), rect(0.26, 0.42, 0.74, 0.46))),
    "tab_dpi": union(minus(ring(0.5, 0.6, 0.42, 0.32), rect(0.0, 0.62, 1.0, 1.0)),
                     line(0.5, 0.6, 0.72, 0.34, 0.09), circle(0.5, 0.6, 0.08)),
    "tab_macro": union(minus(rounded(0.08, 0.24, 0.92, 0.76, 0.08),
                             rounded(0.14, 0.30, 0.86, 0.70, 0.04)),
                       rect(0.22, 0.38, 0.32, 0.46), rect(0.45, 0.38, 0.55, 0.46),
                       rect(0.68, 0.38, 0.78, 0.46), rect(0.28, 0.54, 0.72, 0.62)),
    "tab_light": union(circle(0.5, 0.42, 0.24), rect(0.4, 0.64, 0.6, 0.74),
                       rect(0.43, 0.78, 0.57, 0.86)),
    "tab_set": union(minus(circle(0.5, 0.5, 0.32), circle(0.5, 0.5, 0.13)),
                     *[minus(line(0.5 + 0.3 * math.cos(a), 0.5 + 0.3 * math.sin(a),
                                  0.5 + 0.44 * math.cos(a), 0.5 + 0.44 * math.sin(a), 0.16),
                             circle(0.5, 0.5, 0.13))
                       for a in [i * math.pi / 4 for i in range(8)]]),
}
FRAME_COLOURS = [(0x8D, 0x93, 0xA0, 255), (0xE8, 0xEA, 0xEE, 255), ACCENT + (255,),
                 (0x55, 0x5A, 0x64, 255)]


def main():
    write("Tessaly.ico", program_icon())
    write("logo.png", png_bytes(logo(40, 180)))
    for name, shape in TAB_SHAPES.items():
        frames = [render(24, [(shape, colour)]) for colour in FRAME_COLOURS]
        write(os.path.join("icon", name + ".png"), png_bytes(side_by_side(frames)))


if __name__ == "__main__":
    main()
