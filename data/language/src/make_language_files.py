#!/usr/bin/env python3
"""Builds the language files ../<id>.lan from the UTF-8 tables <id>.txt here.

A table holds one text per line, "number=text"; blank lines and lines starting
with "#" are skipped. The output is what the program reads: UTF-16LE with a
byte-order mark, CRLF line ends, every text in the section [LAN].

Run it after editing a table:  python3 data/language/src/make_language_files.py
With --check it only reports whether the .lan files are up to date.
"""

import argparse
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
OUTPUT = HERE.parent
ENGLISH = "1033"
# The reader keeps 259 UTF-16 units of a value; a longer text would be cut.
MAX_UNITS = 259
LINE = re.compile(r"^(\d+)=(.*)$")


class TableError(Exception):
    pass


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def read_table(path):
    texts = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        match = LINE.match(line)
        if not match or match.group(1) != str(int(match.group(1))):
            raise TableError(f"{path.name}:{number}: expected number=text")
        key, text = int(match.group(1)), match.group(2)
        if key in texts:
            raise TableError(f"{path.name}:{number}: text {key} given twice")
        if utf16_units(text) > MAX_UNITS:
            raise TableError(f"{path.name}:{number}: text {key} is longer than {MAX_UNITS} units")
        texts[key] = text
    return texts


def encode_value(text):
    # The reader trims blanks and drops one pair of enclosing quotes, so a
    # text that would lose either is wrapped in quotes of its own.
    needs_quotes = text != text.strip(" \t") or (
        len(text) >= 2 and text[0] in "'\"" and text[-1] == text[0])
    return f'"{text}"' if needs_quotes else text


def render(texts):
    lines = ["[LAN]"] + [f"{key}={encode_value(text)}" for key, text in texts.items()]
    return "\ufeff".encode("utf-16-le") + ("\r\n".join(lines) + "\r\n").encode("utf-16-le")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="only compare, write nothing")
    args = parser.parse_args()

    tables = {path.stem: read_table(path) for path in sorted(HERE.glob("*.txt"))}
    if ENGLISH not in tables:
        raise TableError(f"{ENGLISH}.txt is missing")
    numbers = set(tables[ENGLISH])
    for lcid, texts in tables.items():
        missing = sorted(numbers - set(texts))
        extra = sorted(set(texts) - numbers)
        if missing or extra:
            raise TableError(f"{lcid}.txt: missing {missing}, not in English {extra}")

    stale = []
    for lcid, texts in tables.items():
        target = OUTPUT / f"{lcid}.lan"
        content = render(texts)
        if target.exists() and target.read_bytes() == content:
            continue
        stale.append(target.name)
        if not args.check:
            target.write_bytes(content)
    if args.check and stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    if not args.check:
        print(f"{len(tables)} language files, {len(numbers)} texts each"
              + (f"; rewrote {', '.join(stale)}" if stale else "; all up to date"))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except TableError as error:
        print(f"error: {error}", file=sys.stderr)
        sys.exit(2)
