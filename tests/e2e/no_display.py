#!/usr/bin/python3
"""Starts the real program where no graphical display can be opened and passes when it says so
in one line on stderr and exits with code 1; and where one can (Qt's offscreen platform), when
it starts and keeps running.

    no_display.py PROGRAM
"""
import os
import subprocess
import sys
import time

LINE = "Orvantide needs a graphical display, and none could be opened."
WAIT = 20.0  # seconds, for the program to end
GRAPHICAL = ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM")


def unused_display():
    number = 4000
    while os.path.exists(f"/tmp/.X11-unix/X{number}"):
        number += 1
    return f":{number}"


def environment(**settings):
    env = {name: value for name, value in os.environ.items() if name not in GRAPHICAL}
    env.update(settings)
    return env


def ends_with_the_line(program, what, env):
    try:
        run = subprocess.run([program], env=env, capture_output=True, text=True, timeout=WAIT)
    except subprocess.TimeoutExpired:
        return f"{what}: the program did not end"
    lines = run.stderr.splitlines()
    if run.returncode != 1 or lines != [LINE]:
        return f"{what}: exit code {run.returncode}, stderr {run.stderr!r}"
    return None


def keeps_running(program, what, env):
    child = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1.5)
        code = child.poll()
        return None if code is None else f"{what}: the program ended with exit code {code}"
    finally:
        if child.poll() is None:
            child.kill()
        child.wait()


def main():
    program = sys.argv[1]
    checks = [
        (ends_with_the_line, "no display at all", environment()),
        (ends_with_the_line, "an X display that is not there", environment(DISPLAY=unused_display())),
        (ends_with_the_line, "the X platform asked for, no display", environment(QT_QPA_PLATFORM="xcb")),
        (keeps_running, "the offscreen platform", environment(QT_QPA_PLATFORM="offscreen")),
    ]
    failures = [f for f in (check(program, what, env) for check, what, env in checks) if f]
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
