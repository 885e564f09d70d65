#!/usr/bin/python3
"""Starts the real program on a virtual X server of its own, waits for the main window, ends
the program one way a user can, and passes when the program exits by itself with code 0.

    program_exit.py PROGRAM WAY      WAY: close-box | close-item | quit-item | ctrl-q

The input is what a user's would be: key presses and clicks through the XTEST extension, and
for the close box the WM_DELETE_WINDOW message that a window manager sends when its close
box is clicked (the virtual server runs no window manager).
"""
import os
import subprocess
import sys
import time

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest

MAIN_TITLE = "Orvantide"
WAIT = 20.0  # seconds, for the main window and for the exit


def start_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise SystemExit("the virtual X server did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def shown_window(screen, title):
    for window in screen.root.query_tree().children:
        try:
            if window.get_wm_name() == title and window.get_attributes().map_state == X.IsViewable:
                return window
        except Exception:  # a window that went away meanwhile
            continue
    return None


def wait_for(condition, what):
    deadline = time.monotonic() + WAIT
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise SystemExit("timed out waiting for " + what)


def key(conn, name, down):
    code = conn.keysym_to_keycode(XK.string_to_keysym(name))
    xtest.fake_input(conn, X.KeyPress if down else X.KeyRelease, code)
    conn.sync()
    time.sleep(0.05)


def press(conn, *names):
    """Presses the keys together, the first ones being the modifiers, as a user would."""
    for name in names:
        key(conn, name, True)
    for name in reversed(names):
        key(conn, name, False)


def click(conn, window, x, y):
    origin = window.translate_coords(conn.screen().root, 0, 0)
    xtest.fake_input(conn, X.MotionNotify, x=x - origin.x, y=y - origin.y)
    conn.sync()
    time.sleep(0.2)
    xtest.fake_input(conn, X.ButtonPress, 1)
    conn.sync()
    time.sleep(0.05)
    xtest.fake_input(conn, X.ButtonRelease, 1)
    conn.sync()
    time.sleep(0.4)


def close_box(conn, window):
    protocols = conn.intern_atom("WM_PROTOCOLS")
    delete = conn.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    conn.sync()


def popup_shown(screen):
    """A menu that stands open: a mapped window that no window manager would frame."""
    for window in screen.root.query_tree().children:
        try:
            attributes = window.get_attributes()
            if attributes.override_redirect and attributes.map_state == X.IsViewable:
                return window
        except Exception:
            continue
    return None


def file_menu_entry(conn, window, downs):
    """Opens the File menu by a click on its title, the first title of the menu bar, then
    walks down to the entry and chooses it with Return."""
    click(conn, window, 16, 10)
    wait_for(lambda: popup_shown(conn.screen()), "the File menu")
    for _ in range(downs):
        press(conn, "Down")
    press(conn, "Return")


def focus(conn, window):
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    conn.sync()
    time.sleep(0.4)


def main():
    program, way = sys.argv[1], sys.argv[2]
    server, name = start_server()
    child = None
    try:
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb")
        child = subprocess.Popen([program], env=env)
        conn = display.Display(name)
        window = wait_for(lambda: shown_window(conn.screen(), MAIN_TITLE), "the main window")
        time.sleep(0.5)
        if way == "close-box":
            close_box(conn, window)
        elif way == "close-item":
            focus(conn, window)
            file_menu_entry(conn, window, 1)
        elif way == "quit-item":
            focus(conn, window)
            file_menu_entry(conn, window, 2)
        elif way == "ctrl-q":
            focus(conn, window)
            press(conn, "Control_L", "q")
        else:
            raise SystemExit("unknown way: " + way)
        try:
            code = child.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            raise SystemExit(way + ": the program did not end")
        print(f"{way}: the program ended with exit code {code}")
        return 0 if code == 0 else 1
    finally:
        if child is not None and child.poll() is None:
            child.kill()
            child.wait()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    sys.exit(main())
