#!/usr/bin/env python3
"""Runs every command of tessalyctl's command table twice: headless on one
set of folders, and with the window running offscreen on another, where
the window takes the command. Output, exit code, the stored rows and the
HID reports the command sent must be the same both ways.

usage: window_both_ways_check.py TESSALY TESSALYCTL TESSALYCTL_FORMS
"""

import glob
import os
import re
import sqlite3
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from json_schema_check import RUNS, Folder, command_names  # noqa: E402

# Commands not run here, and why.
SKIPPED = {}


def options(folder, trace):
    return ["--emulate", "--program-dir", folder.program + "/",
            "--data-dir", os.path.join(folder.root, "data") + "/",
            "--emulator-state", os.path.join(folder.root, "mouse.state"),
            "--hid-trace", trace]


# A macro event's stamp is the clock's when it was made; two runs made at
# different times differ only there.
STAMP_COLUMNS = ("stamp", "time")


def without_stamps(text):
    text = re.sub(r'("stamp": )\d+', r"\1#", text)
    # A download's folder is made with a name of its own each time.
    text = re.sub(r"temp-[A-Za-z0-9]{6}", "temp-#", text)
    return re.sub(r"(?m)(  )\d{6,}$", r"\1#", text)


def tool_run(tool, folder, trace, words):
    line = [tool] + options(folder, trace) + ["--yes"] + words
    result = subprocess.run(line, capture_output=True, text=True, env=folder.env, timeout=180)
    same = lambda text: without_stamps(text.replace(folder.root, "@"))
    return result.returncode, same(result.stdout), same(result.stderr)


# What each start-up read stores from the mouse and nothing else writes: a
# headless run reads at its every start, the window once at its own.
STARTUP_ONLY = ("'dpi_flag'",)


def stored_rows(folder):
    rows = {}
    for path in sorted(glob.glob(os.path.join(folder.root, "data", "**", "*"), recursive=True)):
        if not os.path.isfile(path) or path.endswith(("-journal", "-wal", "-shm")):
            continue
        with open(path, "rb") as head:
            if head.read(16) != b"SQLite format 3\x00":
                continue
        connection = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
        try:
            for (table,) in connection.execute(
                    "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"):
                key = "%s:%s" % (os.path.relpath(path, folder.root), table)
                columns = [c[1] for c in connection.execute('PRAGMA table_info("%s")' % table)
                           if not any(word in c[1].lower() for word in STAMP_COLUMNS)]
                selected = ", ".join('"%s"' % c for c in columns)
                rows[key] = sorted(row for row in map(repr, connection.execute(
                    'SELECT %s FROM "%s"' % (selected, table)))
                    if not any(k in row for k in STARTUP_ONLY))
        finally:
            connection.close()
    return rows


def trace_lines(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as text:
        return text.read().splitlines()


def reports(path, start=0):
    """The reports written to the mouse from line `start` on, without their
    times: the window also reads by itself while it waits (the receiver's
    link, the battery), so only what was sent is the command's."""
    written = []
    for line in trace_lines(path)[start:]:
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[1] == "W":
            written.append(parts[2])
    return written


def line_count(path):
    return len(trace_lines(path))


def row_differences(one, other):
    texts = []
    for key in sorted(set(one) | set(other)):
        mine, theirs = set(one.get(key, [])), set(other.get(key, []))
        if mine != theirs:
            texts.append("  %s: headless only %s; beside the window only %s"
                         % (key, sorted(mine - theirs)[:4], sorted(theirs - mine)[:4]))
    return "\n".join(texts)


class Window:
    def __init__(self, program, folder):
        self.trace = os.path.join(folder.root, "window.trace")
        env = dict(folder.env, QT_QPA_PLATFORM="offscreen", TESSALY_NO_UPDATE_CHECK="1")
        self.process = subprocess.Popen([program] + options(folder, self.trace),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        text=True, env=env)
        line = self.process.stdout.readline()
        if "running" not in line:
            raise SystemExit("the window did not start: %r %s" % (line, self.process.stderr.read()))

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def main():
    program, tool, forms = sys.argv[1:4]
    failures = []
    run_names = {name for name, _ in RUNS}
    for name in command_names(forms):
        if name not in run_names and name not in SKIPPED:
            failures.append("no run of \"%s\" here" % name)

    alone = Folder(tool)
    beside = Folder(tool)
    window = None
    try:
        # Both mice start from the same stored state.
        start_trace = os.path.join(alone.root, "start.trace")
        tool_run(tool, alone, start_trace, ["devices"])
        window = Window(program, beside)
        # The window's start-up read is not part of any command.
        time.sleep(1)
        only = os.environ.get("BOTH_WAYS_ONLY")
        for index, (name, args) in enumerate(RUNS):
            if name in SKIPPED or (only and name not in only.split(",")):
                continue
            words = lambda folder: name.split() + [
                a.replace("@", folder.root, 1) if a.startswith("@/") else a for a in args]
            # What a headless start sends by itself, then the command.
            startup = os.path.join(alone.root, "startup-%d.trace" % index)
            tool_run(tool, alone, startup, ["devices"])
            alone_trace = os.path.join(alone.root, "run-%d.trace" % index)
            headless = tool_run(tool, alone, alone_trace, words(alone))
            before = line_count(window.trace)
            forwarded = tool_run(tool, beside, os.path.join(beside.root, "unused.trace"),
                                 words(beside))
            if window.process.poll() is not None:
                failures.append("%s: the window ended (%s)" % (name, window.process.returncode))
                break
            label = " ".join([name] + args)
            if headless != forwarded:
                failures.append("%s: headless %r\n  beside the window %r" % (label, headless, forwarded))
            differences = row_differences(stored_rows(alone), stored_rows(beside))
            if differences:
                failures.append("%s: the stored rows differ\n%s" % (label, differences))
            opening = reports(startup)
            sent_alone = reports(alone_trace)
            if sent_alone[:len(opening)] != opening:
                failures.append("%s: the headless start-up sent other reports than before" % label)
            sent_alone = sent_alone[len(opening):]
            sent_beside = reports(window.trace, before)
            if sent_alone != sent_beside:
                failures.append("%s: HID reports differ\n  headless %s\n  beside the window %s"
                                % (label, sent_alone[:8], sent_beside[:8]))
    finally:
        if window:
            window.close()
        alone.close()
        beside.close()
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
