#!/usr/bin/env python3
"""Copies the PNG images inside the program's icon (an ICO of PNGs) into a
hicolor icon theme tree: OUTDIR/<n>x<n>/apps/NAME.png for each size asked.

    python3 packaging/extract_icons.py Tessaly.ico OUTDIR NAME 16 32 48 256

A size the icon does not hold, or an image that is not a PNG, stops the build.
"""

import os
import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_images(ico):
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    images = {}
    for i in range(count):
        width, height, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        data = ico[offset:offset + size]
        if not data.startswith(PNG_SIGNATURE):
            raise ValueError("image %d is not a PNG" % i)
        # The PNG's own header is the truth; the directory stores 256 as 0.
        png_width, png_height = struct.unpack_from(">II", data, 16)
        if png_width != png_height:
            raise ValueError("image %d is not square" % i)
        images[png_width] = data
    return images


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    ico_path, out_dir, name = sys.argv[1:4]
    with open(ico_path, "rb") as f:
        images = png_images(f.read())
    for size in (int(s) for s in sys.argv[4:]):
        if size not in images:
            sys.exit("%s holds no %dx%d image" % (ico_path, size, size))
        folder = os.path.join(out_dir, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".png"), "wb") as out:
            out.write(images[size])


if __name__ == "__main__":
    main()
