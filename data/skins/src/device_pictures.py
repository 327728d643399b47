#!/usr/bin/env python3
"""Draws the mouse pictures of the shipped models into ../default/device/.

Each model gets a top view <mouse_img> (the picture the button page puts
callouts on) and a small list picture (<image> of its config.xml entry).
A model with lights also gets <mouse_img stem>_light.png, the top view's
lit parts as opaque pixels, which the window fills with the light's colour.
The button shapes are defined here; every callout of the model's
description file must start or end on the button of its key code, so a
description file and its picture cannot drift apart unnoticed.

Run after changing a model or its description file:
    python3 data/skins/src/device_pictures.py
With --check it only verifies the callouts and that the pictures exist.
Only the standard library is used.
"""

import argparse
import pathlib
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

HERE = pathlib.Path(__file__).resolve().parent
DATA = HERE.parent.parent
OUTPUT = HERE.parent / "default" / "device"

WIDTH, HEIGHT = 460, 480
LIST_SIZE = 150
SAMPLES = 3  # per axis, for smooth edges

CENTRE_X, CENTRE_Y = 230.0, 250.0
HALF_W, HALF_H, ROUNDNESS = 110.0, 210.0, 2.6
SPLIT_Y = 200.0  # where the two main buttons end

# Key code -> the shape that button has on the picture.
def body(x, y):
    dx, dy = abs(x - CENTRE_X) / HALF_W, abs(y - CENTRE_Y) / HALF_H
    return dx ** ROUNDNESS + dy ** ROUNDNESS <= 1.0


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def left_button(x, y):
    return body(x, y) and y < SPLIT_Y and x < CENTRE_X - 4


def right_button(x, y):
    return body(x, y) and y < SPLIT_Y and x > CENTRE_X + 4


BUTTONS = {
    0: left_button,
    1: right_button,
    2: rounded_rect(220, 90, 240, 150, 9),     # wheel
    3: rounded_rect(111, 270, 129, 312, 8),    # back, left side
    4: rounded_rect(111, 220, 129, 262, 8),    # forward, left side
    5: rounded_rect(221, 162, 239, 182, 5),    # DPI
    6: rounded_rect(221, 196, 239, 216, 5),    # lighting / top
    7: rounded_rect(331, 245, 349, 288, 8),    # right side
}
ON_TOP = [2, 5, 6, 3, 4, 7]  # drawn over the body, in this order

STYLES = {
    "tx7w": {
        "body": (43, 47, 54), "buttons": (55, 60, 68), "accent": (0, 200, 230),
        "dpi": (200, 60, 50), "top": (60, 120, 210), "glow": True, "cable": False,
    },
    "tx3": {
        "body": (58, 58, 62), "buttons": (72, 72, 78), "accent": (150, 150, 160),
        "dpi": (170, 170, 180), "top": (110, 110, 120), "glow": False, "cable": True,
    },
}

SEAM = (18, 19, 22)
WHEEL = (95, 102, 115)
SIDE = (80, 86, 96)


def shade(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def sample(style, x, y):
    """RGBA at one point of the top view."""
    if style["cable"] and abs(x - CENTRE_X) <= 4 and y < 60:
        return (*SEAM, 255)
    for key in ON_TOP:
        if BUTTONS[key](x, y):
            if key == 2:
                rib = 0.8 if int(y) % 6 < 2 else 1.0
                return (*shade(WHEEL, rib), 255)
            if key == 5:
                return (*style["dpi"], 255)
            if key == 6:
                return (*style["top"], 255)
            return (*SIDE, 255)
    if not body(x, y):
        return (0, 0, 0, 0)
    # Light from the front: the rear is a little darker.
    light = 1.15 - 0.35 * (y - (CENTRE_Y - HALF_H)) / (2 * HALF_H)
    if abs(y - SPLIT_Y) < 1.5 or (y < SPLIT_Y and abs(x - CENTRE_X) < 4):
        return (*SEAM, 255)
    if style["glow"]:
        d = ((x - CENTRE_X) / 34) ** 2 + ((y - 370) / 22) ** 2
        if d <= 1.0:
            return (*shade(style["accent"], 1.1 - 0.4 * d), 255)
    edge = not body(x + 4, y) or not body(x - 4, y)
    if edge and y > SPLIT_Y:
        return (*style["accent"], 255) if style["glow"] else (*shade(style["body"], 0.7), 255)
    colour = style["buttons"] if y < SPLIT_Y else style["body"]
    return (*shade(colour, light), 255)


LIT = (255, 255, 255, 255)


def light_zone(style, x, y):
    """The lit parts of the top view, opaque; the rest transparent."""
    if not style["glow"]:
        return (0, 0, 0, 0)
    lit = sample(style, x, y)[:3] in {style["accent"]} or (
        body(x, y) and not any(BUTTONS[key](x, y) for key in ON_TOP)
        and ((x - CENTRE_X) / 34) ** 2 + ((y - 370) / 22) ** 2 <= 1.0)
    return LIT if lit else (0, 0, 0, 0)


def render(style, width, height, scale, offset_x, offset_y, sampler=None):
    sampler = sampler or sample
    rows = []
    step = 1.0 / SAMPLES
    for py in range(height):
        row = bytearray()
        for px in range(width):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) * step - offset_x) / scale
                    y = (py + (sy + 0.5) * step - offset_y) / scale
                    r, g, b, a = sampler(style, x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] // n
            if acc[3]:
                row += bytes((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], alpha))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(width, height, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def light_zone_name(mouse_img):
    return mouse_img.rsplit(".", 1)[0] + "_light.png"


def models():
    """(device_attr, list image) of every model in config.xml."""
    root = ET.parse(DATA / "config.xml").getroot()
    return [(m.get("device_attr"), m.get("image")) for m in root.find("device").findall("mouse")]


def check_callouts(attr):
    root = ET.parse(DATA / "device" / f"{attr}.xml").getroot()
    problems = []
    for key in root.find("mouse_key").findall("key"):
        code = int(key.get("key_value"))
        x1, x2, y = (int(v) for v in key.get("rect").split("#"))
        shape = BUTTONS.get(code)
        if shape is None:
            problems.append(f"{attr}: key {code} has no button on the picture")
        elif not (shape(x1, y) or shape(x2, y)):
            problems.append(f"{attr}: callout of key {code} touches no part of its button")
        if not all(0 <= v < WIDTH for v in (x1, x2)) or not 0 <= y < HEIGHT:
            problems.append(f"{attr}: callout of key {code} leaves the picture")
    return root.find("image_file").get("mouse_img"), problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    problems = []
    for attr, list_image in models():
        if attr not in STYLES:
            problems.append(f"{attr}: no drawing style")
            continue
        mouse_img, found = check_callouts(attr)
        problems += found
        if args.check:
            names = [mouse_img, list_image]
            if STYLES[attr]["glow"]:
                names.append(light_zone_name(mouse_img))
            for name in names:
                if not (OUTPUT / name).is_file():
                    problems.append(f"{attr}: {name} is missing")
            continue
        style = STYLES[attr]
        OUTPUT.mkdir(parents=True, exist_ok=True)
        (OUTPUT / mouse_img).write_bytes(png(WIDTH, HEIGHT, render(style, WIDTH, HEIGHT, 1, 0, 0)))
        if style["glow"]:
            zone = render(style, WIDTH, HEIGHT, 1, 0, 0, light_zone)
            (OUTPUT / light_zone_name(mouse_img)).write_bytes(png(WIDTH, HEIGHT, zone))
        scale = (LIST_SIZE - 6) / HEIGHT
        offset_x = (LIST_SIZE - WIDTH * scale) / 2
        small = render(style, LIST_SIZE, LIST_SIZE, scale, offset_x, 3)
        (OUTPUT / list_image).write_bytes(png(LIST_SIZE, LIST_SIZE, small))
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
