#!/usr/bin/env python3
"""Fails when an include in src/ points against the layer direction that
src/CMakeLists.txt declares (deps_<folder>): a folder may include its own
headers and those of the folders it builds on, directly or through them.
The core never includes Qt or the Qt front end."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
src = root / "src"
cmake = (src / "CMakeLists.txt").read_text()

deps = {}
for name, body in re.findall(r"set\(deps_(\w+)((?:[^()]|\n)*?)\)", cmake):
    deps[name] = body.replace('""', "").split()
if not deps:
    sys.exit("check-layers: no deps_<folder> lists found in src/CMakeLists.txt")


def closure(folder, seen=None):
    seen = set() if seen is None else seen
    for dep in deps.get(folder, []):
        if dep not in seen:
            seen.add(dep)
            closure(dep, seen)
    return seen


include = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.M)
qt_header = re.compile(r"^Q[A-Za-z]|^Qt[A-Z]")
faults = []
for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp") or not path.is_file():
        continue
    relative = path.relative_to(src)
    folder = relative.parts[0]
    if folder not in deps or relative.parts[:2] == ("ui", "qt"):
        continue  # the programs and the Qt front end sit above every layer
    allowed = closure(folder) | {folder}
    for target in include.findall(path.read_text(errors="replace")):
        first = target.split("/")[0]
        if qt_header.match(first) or target.startswith("ui/qt/"):
            faults.append(f"{relative}: includes {target}, but the core never includes Qt")
        elif "/" in target and first in deps and first not in allowed:
            faults.append(f"{relative}: includes {target}, but {folder}/ does not build on {first}/")

for fault in faults:
    print(fault)
if faults:
    sys.exit(f"check-layers: {len(faults)} include(s) against the declared layers")
print(f"check-layers: {len(deps)} folders, every include follows the declared layers")
