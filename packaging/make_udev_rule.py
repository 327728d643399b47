#!/usr/bin/env python3
"""Writes the udev rule that gives the logged-in user access to the hidraw
nodes of every mouse the catalogue knows, cable and receiver alike.

    python3 packaging/make_udev_rule.py data/config.xml OUTPUT

The ids are read as the program reads them: base 16, an optional "0x", up to
the first character that is not a hex digit. An id that cannot match a USB
device (0 or above 0xFFFF) stops the build rather than leave a mouse out.
"""

import os
import sys
import xml.etree.ElementTree as ET

RULE = ('SUBSYSTEM=="hidraw", ATTRS{{idVendor}}=="{vid:04x}", '
        'ATTRS{{idProduct}}=="{pid:04x}", TAG+="uaccess"')


def hex_value(text):
    text = text or ""
    if text[:2] in ("0x", "0X"):
        text = text[2:]
    digits = ""
    for c in text:
        if c not in "0123456789abcdefABCDEF":
            break
        digits += c
    return int(digits, 16) if digits else 0


def identities(config_path):
    """(vid, pid, label) of every mode of every mouse, in file order."""
    root = ET.parse(config_path).getroot()
    found = []
    for mouse in root.iter("mouse"):
        for mode in mouse.iter("mode"):
            vid = hex_value(mode.get("vid"))
            pid = hex_value(mode.get("pid"))
            label = "%s, %s" % (mouse.get("name", "?"), mode.get("desc", "mode " + mode.get("value", "?")))
            if not (0 < vid <= 0xFFFF and 0 < pid <= 0xFFFF):
                sys.exit("%s: %s has no usable USB ids (vid=%r pid=%r)"
                         % (config_path, label, mode.get("vid"), mode.get("pid")))
            found.append((vid, pid, label))
    return found


def rule_text(config_path):
    lines = [
        "# Generated from config.xml when the program is built; do not edit.",
        "# Lets the user at the seat open the mouse's hidraw nodes (cable and",
        "# receiver) without root. Numbered below 73, where uaccess is applied.",
    ]
    seen = {}
    for vid, pid, label in identities(config_path):
        seen.setdefault((vid, pid), []).append(label)
    for (vid, pid), labels in seen.items():
        lines.append("")
        lines.extend("# " + label for label in labels)
        lines.append(RULE.format(vid=vid, pid=pid))
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    text = rule_text(sys.argv[1])
    temp = sys.argv[2] + ".tmp"
    with open(temp, "w", encoding="utf-8") as out:
        out.write(text)
    os.replace(temp, sys.argv[2])


if __name__ == "__main__":
    main()
