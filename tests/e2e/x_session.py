"""A virtual X server of the test's own and what a user does on it: key presses and clicks
through the XTEST extension, and the window manager's close message (the server runs no
window manager)."""
import contextlib
import os
import subprocess
import time

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest

WAIT = 20.0  # seconds, for anything the program is to do


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


@contextlib.contextmanager
def program_on_own_server(command):
    """The program running on a virtual X server of its own, and a connection to that server;
    both end when the block does. The command may start the program through another, such as
    Wine for the Windows build, which then draws with the toolkit's platform ORV_QPA_PLATFORM."""
    server, name = start_server()
    child = None
    try:
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM=os.environ.get("ORV_QPA_PLATFORM", "xcb"))
        child = subprocess.Popen(command, env=env)
        yield child, display.Display(name)
    finally:
        if child is not None and child.poll() is None:
            child.kill()
            child.wait()
        if "ORV_WINE_PREFIX" in os.environ:
            # Wine's processes of this prefix belong to this server, which ends now.
            subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=os.environ["ORV_WINE_PREFIX"]),
                           check=False)
        server.terminate()
        server.wait()


def viewable_windows(screen):
    """The mapped top-level windows, bottom of the stacking order first."""
    windows = []
    for window in screen.root.query_tree().children:
        try:
            if window.get_attributes().map_state == X.IsViewable:
                windows.append(window)
        except Exception:  # a window that went away meanwhile
            continue
    return windows


def shown_window(screen, title):
    for window in viewable_windows(screen):
        try:
            if window.get_wm_name() == title:
                return window
        except Exception:
            continue
    return None


def wait_for(condition, what, wait=WAIT):
    deadline = time.monotonic() + wait
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


def focus(conn, window):
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    conn.sync()
    time.sleep(0.4)
