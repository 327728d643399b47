#!/usr/bin/env python3
"""Fails when an include in src/ points against the layer direction that
src/CMakeLists.txt declares (deps_<folder>): a folder may include its own
headers and those of the folders it builds on, directly or through them.
The core never includes Qt or the Qt front end. The feature folders reach
the main window only through their page contexts (ui/main/page_context.h):
they neither include the window's headers nor name DeviceMainDlg."""
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
feature_folders = {"buttons", "macros", "lighting", "profiles", "performance", "update", "catalogue"}
window_headers = {"ui/main/device_main_dlg.h", "ui/main/device_main_def.h",
                  "ui/main/window_page_contexts.h"}
window_name = re.compile(r"\bDeviceMainDlg\b")
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
    text = path.read_text(errors="replace")
    if folder in feature_folders:
        for target in include.findall(text):
            if target in window_headers:
                faults.append(f"{relative}: includes {target}; pages take their context instead")
        for number, line in enumerate(text.splitlines(), 1):
            if window_name.search(line):
                faults.append(f"{relative}:{number}: names DeviceMainDlg; pages take their context")
    for target in include.findall(text):
        first = target.split("/")[0]
        if qt_header.match(first) or target.startswith("ui/qt/"):
            faults.append(f"{relative}: includes {target}, but the core never includes Qt")
        elif "/" in target and first in deps and first not in allowed:
            faults.append(f"{relative}: includes {target}, but {folder}/ does not build on {first}/")

for fault in faults:
    print(fault)
if faults:
    sys.exit(f"check-layers: {len(faults)} fault(s) against the declared layers")
print(
    f"check-layers: {len(deps)} folders, every include follows the declared layers, and the"
    " feature folders reach the main window only through their page contexts"
)
