#!/usr/bin/env python3
"""Runs every command of tessalyctl's command table with --json on the
virtual mouse and checks each document against the published schema, and
that the text tables keep their columns in order.

usage: json_schema_check.py TESSALYCTL TESSALYCTL_FORMS SCHEMA [--dump]
"""

import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import zipfile

# One run per command, in an order that leaves what later runs need (a
# macro to show, a file to import). The words after the command's name.
RUNS = [
    ("devices", []),
    ("status", []),
    ("show", []),
    ("show", ["performance"]),
    ("dpi count", ["4"]),
    ("dpi select", ["1"]),
    ("dpi set", ["1", "1600"]),
    ("dpi colour", ["1", "#00FF00"]),
    ("dpi reset", []),
    ("rate", ["500"]),
    ("rate reset", []),
    ("liftoff", ["2"]),
    ("sensor", ["on", "off", "on"]),
    ("response", ["30"]),
    ("sleep", ["10"]),
    ("wake", ["off"]),
    ("closelight", ["off"]),
    ("macro new", []),
    ("macro list", []),
    ("macro rename", ["1", "Jump"]),
    ("macro settings", ["1", "count", "3"]),
    ("macro insert", ["1", "end", "key", "A"]),
    ("macro show", ["1"]),
    ("macro edit", ["1", "1", "key", "B"]),
    ("macro move", ["1", "2", "top"]),
    ("macro remove", ["1", "1"]),
    ("macro export", ["1", "@/one.xml"]),
    ("macro export-all", ["@/all.xml"]),
    ("macro import", ["@/one.xml"]),
    ("macro import-all", ["@/all.xml"]),
    ("macro delete", ["2"]),
    ("macro clear", ["3"]),
    ("button list", []),
    ("button set", ["3", "media", "volumeup"]),
    ("button key", ["4", "ctrl+shift+a"]),
    ("button repeat", ["5", "300", "4"]),
    ("button macro", ["3", "1"]),
    ("button disable", ["4"]),
    ("button reset", ["all"]),
    ("light list", []),
    ("light effect", ["2"]),
    ("light brightness", ["3"]),
    ("light speed", ["2"]),
    ("light colour", ["#102030"]),
    ("light reset", []),
    ("profile list", []),
    ("profile export", ["@/profile.xml"]),
    ("profile import", ["@/profile.xml"]),
    ("profile rename", ["2", "Work"]),
    ("profile switch", ["1"]),
    ("language list", []),
    ("language set", ["1033"]),
    ("autostart show", []),
    ("autostart set", ["on"]),
    ("autostart minimised", ["on"]),
    ("close-button set", ["tray"]),
    ("close-button show", []),
    ("update check", []),
    ("update download", []),
    ("firmware check", []),
    ("firmware upgrade", []),
    ("factory-reset", []),
]

# The header rows of the text tables, in the order scripts read them.
TEXT_TABLES = {
    "devices": ["type name attribute", "type name mode state version identified"],
    "button list": ["button key name function"],
    "light list": ["effect name brightness speed colour active"],
    "profile list": ["profile name current"],
    "macro list": ["macro name events play count delay delay_ms"],
    "language list": ["lcid name current"],
    "macro show 1": ["event kind text value stamp"],
}


def command_names(forms):
    listing = subprocess.run([forms, "list"], capture_output=True, text=True, check=True)
    return [line.split("\t")[0] for line in listing.stdout.splitlines() if line]


class Folder:
    """The run's own folders, program folder and loopback update server."""

    def __init__(self, tool):
        self.root = tempfile.mkdtemp(prefix="tessalyctl-json-")
        build = os.path.dirname(os.path.abspath(tool))
        self.program = os.path.join(self.root, "program")
        os.makedirs(self.program)
        shutil.copy(os.path.join(build, "config.xml"), self.program)
        shutil.copytree(os.path.join(build, "device"), os.path.join(self.program, "device"))
        for linked in ("language", "skins"):
            os.symlink(os.path.join(build, linked), os.path.join(self.program, linked))
        served = os.path.join(self.root, "served")
        os.makedirs(os.path.join(served, "soft"))
        os.makedirs(os.path.join(served, "fw", "mouse"))
        with open(os.path.join(served, "soft", "version"), "w") as out:
            out.write("1.0.2")
        # The update's archive holds a package any machine takes.
        with zipfile.ZipFile(os.path.join(served, "soft", "Mouse-Setup-1.0.2.zip"), "w") as archive:
            archive.writestr("tessaly_1.0.2_all.deb", "!<arch>\n")
        # The mouse's own version: the upgrade leaves it alone.
        with open(os.path.join(served, "fw", "mouse", "version"), "w") as out:
            out.write("105")
        handler = functools.partial(QuietHandler, directory=served)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        address = "http://127.0.0.1:%d/" % self.server.server_address[1]
        replace(os.path.join(self.program, "config.xml"),
                "https://update.example.invalid/tessaly/", address + "soft/")
        replace(os.path.join(self.program, "device", "tx7w.xml"),
                "https://update.example.invalid/firmware/tx7w", address + "fw")
        for sub in ("run", "config", "data"):
            os.makedirs(os.path.join(self.root, sub))
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("XDG_", "TESSALY_", "ASAN_OPTIONS"))}
        # The desktop's opener: the package is handed to it, and nothing opens.
        opener = os.path.join(self.root, "bin")
        os.makedirs(opener)
        with open(os.path.join(opener, "xdg-open"), "w") as script:
            script.write("#!/bin/sh\nexit 0\n")
        os.chmod(os.path.join(opener, "xdg-open"), 0o755)
        self.env["PATH"] = opener + os.pathsep + self.env.get("PATH", "")
        self.env.update(XDG_RUNTIME_DIR=os.path.join(self.root, "run"),
                        XDG_CONFIG_HOME=os.path.join(self.root, "config"),
                        ASAN_OPTIONS="detect_leaks=0")

    def close(self):
        self.server.shutdown()
        shutil.rmtree(self.root, ignore_errors=True)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def replace(path, old, new):
    with open(path, encoding="utf-8") as text:
        content = text.read()
    if old not in content:
        raise SystemExit("%s does not hold %s" % (path, old))
    with open(path, "w", encoding="utf-8") as text:
        text.write(content.replace(old, new, 1))


def run(tool, folder, words, link="both"):
    line = [tool, "--emulate", link, "--yes", "--program-dir", folder.program + "/",
            "--data-dir", os.path.join(folder.root, "data") + "/",
            "--emulator-state", os.path.join(folder.root, "mouse.state")] + words
    return subprocess.run(line, capture_output=True, text=True, env=folder.env, timeout=120)


def main():
    from jsonschema import Draft202012Validator

    tool, forms, schema_path = sys.argv[1:4]
    dump = "--dump" in sys.argv[4:]
    with open(schema_path, encoding="utf-8") as text:
        schema = json.load(text)
    Draft202012Validator.check_schema(schema)
    failures = []
    names = command_names(forms)
    run_names = {name for name, _ in RUNS}
    for name in names:
        if name not in run_names:
            failures.append("no run of \"%s\" here" % name)
        if name not in schema.get("$defs", {}):
            failures.append("the schema has no definition for \"%s\"" % name)

    folder = Folder(tool)
    try:
        for name, args in RUNS:
            words = name.split() + [a.replace("@", folder.root, 1) if a.startswith("@/") else a
                                    for a in args]
            result = run(tool, folder, ["--json"] + words)
            if result.returncode != 0:
                failures.append("%s: exit %d: %s" % (name, result.returncode, result.stderr))
                continue
            try:
                document = json.loads(result.stdout)
            except json.JSONDecodeError as error:
                failures.append("%s: not JSON: %s" % (name, error))
                continue
            if dump:
                print("== %s\n%s" % (name, json.dumps(document, ensure_ascii=False)))
            if name not in schema.get("$defs", {}):
                continue
            validator = Draft202012Validator({"$ref": "#/$defs/" + name.replace(" ", "%20"),
                                              "$defs": schema["$defs"]})
            for error in validator.iter_errors(document):
                failures.append("%s: %s at %s" % (name, error.message, list(error.absolute_path)))
        # The receiver alone and the cable alone give the same shapes.
        for link in ("receiver", "cable"):
            for name in ("devices", "status"):
                if name not in schema.get("$defs", {}):
                    continue
                result = run(tool, folder, ["--json", name], link)
                validator = Draft202012Validator({"$ref": "#/$defs/" + name, "$defs": schema["$defs"]})
                for error in validator.iter_errors(json.loads(result.stdout or "null")):
                    failures.append("%s (%s): %s" % (name, link, error.message))
        for words, headers in TEXT_TABLES.items():
            lines = [" ".join(line.split()) for line in run(tool, folder, words.split()).stdout.splitlines()]
            for header in headers:
                if header not in lines:
                    failures.append("%s: no table headed \"%s\"" % (words, header))
    finally:
        folder.close()
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
