#!/usr/bin/python3
"""Starts the real program on a virtual X server of its own, waits for the main window, ends
the program one way a user can, and passes when the program exits by itself with code 0.

    program_exit.py WAY COMMAND...      WAY: close-box | close-item | quit-item | ctrl-q

COMMAND is the program, or a starter (such as Wine) and the program.

The input is what a user's would be: key presses and clicks through the XTEST extension, and
for the close box the WM_DELETE_WINDOW message that a window manager sends when its close
box is clicked (the virtual server runs no window manager).
"""
import subprocess
import sys
import time

from Xlib import X

from x_session import WAIT, click, close_box, focus, press, program_on_own_server, shown_window, wait_for

MAIN_TITLE = "Orvantide"


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


def main():
    way, command = sys.argv[1], sys.argv[2:]
    with program_on_own_server(command) as (child, conn):
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


if __name__ == "__main__":
    sys.exit(main())
