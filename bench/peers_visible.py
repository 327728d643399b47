#!/usr/bin/env python3
"""Process start to the first visible top-level window on Xvfb, for tessaly
and for two peer programs (Piper, Solaar) in turns, so all see the same load.
Medians over RUNS runs and the ratio of tessaly to each peer and to an
empty Qt window of the same size (the floor of any Qt program).

  BUILD=build/release RUNS=9 python3 bench/peers_visible.py

A peer that is not installed is skipped. The peers run without their daemon
or a device: Piper shows its "no daemon" window, Solaar its empty window.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

DISPLAY = ":96"
TIMEOUT = 20.0


def viewable_windows(env):
    out = subprocess.run(["xwininfo", "-root", "-children"], env=env, capture_output=True,
                         text=True).stdout
    ids = [line.split()[0] for line in out.splitlines() if line.strip().startswith("0x")]
    shown = set()
    for wid in ids:
        info = subprocess.run(["xwininfo", "-id", wid], env=env, capture_output=True,
                              text=True).stdout
        if "IsViewable" not in info:
            continue
        size = {k.strip(): v.strip() for k, _, v in
                (line.partition(":") for line in info.splitlines()) if v}
        if int(size.get("Width", "0")) > 50 and int(size.get("Height", "0")) > 50:
            shown.add(wid)
    return shown


def time_to_window(command, env):
    before = viewable_windows(env)
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        while time.monotonic() - start < TIMEOUT:
            if viewable_windows(env) - before:
                return time.monotonic() - start
            if process.poll() is not None:
                return None
            time.sleep(0.005)
        return None
    finally:
        try:
            os.killpg(process.pid, 9)
        except ProcessLookupError:
            pass
        process.wait()
        time.sleep(0.2)


def main():
    build = os.environ.get("BUILD", "build/release")
    runs = int(os.environ.get("RUNS", "9"))
    data = tempfile.mkdtemp()
    env = dict(os.environ, DISPLAY=DISPLAY, QT_QPA_PLATFORM="xcb",
               TESSALY_NO_UPDATE_CHECK="1", HOME=data, XDG_CONFIG_HOME=data + "/config",
               XDG_CACHE_HOME=data + "/cache", XDG_DATA_HOME=data + "/share")
    # The empty Qt window is the floor: what any Qt program pays to show one.
    programs = [("tessaly", [f"{build}/tessaly", "--data-dir", data + "/t/", "--emulate"]),
                ("empty Qt", [f"{build}/empty_qt_window", "--stay"])]
    for name, command in (("piper", ["piper"]), ("solaar", ["solaar", "--window=show"])):
        if shutil.which(command[0]):
            programs.append((name, ["dbus-run-session", "--"] + command))
        else:
            print(f"{name}: not installed, skipped")
    xvfb = subprocess.Popen(["Xvfb", DISPLAY, "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    try:
        times = {name: [] for name, _ in programs}
        for _ in range(runs):
            for name, command in programs:
                seconds = time_to_window(command, env)
                if seconds is not None:
                    times[name].append(seconds)
        medians = {}
        for name, _ in programs:
            if not times[name]:
                print(f"  {name:<8} showed no window within {TIMEOUT:.0f} s")
                continue
            medians[name] = statistics.median(times[name])
            print(f"  {name:<8} median {medians[name] * 1000:6.0f} ms to a visible window "
                  f"({len(times[name])} of {runs} runs)")
        for peer in ("empty Qt", "piper", "solaar"):
            if "tessaly" in medians and peer in medians:
                print(f"  tessaly / {peer}: {medians['tessaly'] / medians[peer]:.2f} x")
    finally:
        xvfb.kill()
        shutil.rmtree(data, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
