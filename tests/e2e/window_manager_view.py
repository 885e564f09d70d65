#!/usr/bin/python3
"""Starts the real program on a virtual X server of its own and passes when a window manager
is told what the program's windows are: the About window's empty title is empty in both of
its title properties, and its size hints give its minimum and maximum sizes; and when the
About window's timer fires while a message box stands open, the box stays on top of the
stacking order with the keyboard focus, the main window shown below it.

    window_manager_view.py PROGRAM
"""
import sys
import time

from Xlib import Xatom, Xutil

from x_session import click, focus, program_on_own_server, shown_window, viewable_windows, wait_for

MAIN_TITLE = "Orvantide"
TIMER_MS = 4000
CALCULATE = (535 + 40, 155 + 10)  # the middle of the Calculate button in the content area


def about_window_failures(conn, about):
    failures = []
    net_wm_name = about.get_full_property(conn.intern_atom("_NET_WM_NAME"), conn.intern_atom("UTF8_STRING"))
    wm_name = about.get_full_property(Xatom.WM_NAME, 0)
    for name, prop in (("WM_NAME", wm_name), ("_NET_WM_NAME", net_wm_name)):
        if prop is not None and bytes(prop.value) != b"":
            failures.append(f"the About window's {name} is {bytes(prop.value)!r}, not empty")
    hints = about.get_wm_normal_hints()
    sizes = {"minimum": (Xutil.PMinSize, (hints.min_width, hints.min_height), (64, 64)),
             "maximum": (Xutil.PMaxSize, (hints.max_width, hints.max_height), (32000, 32000))}
    for what, (flag, told, wanted) in sizes.items():
        if not hints.flags & flag or told != wanted:
            failures.append(f"the About window's {what} size is told as {told if hints.flags & flag else None}")
    return failures


def modal_box_failures(conn, shown_at):
    screen = conn.screen()
    main = wait_for(lambda: shown_window(screen, MAIN_TITLE), "the main window")
    focus(conn, main)
    menu_height = main.get_geometry().height - 500
    click(conn, main, CALCULATE[0], CALCULATE[1] + menu_height)
    box = wait_for(lambda: next((w for w in viewable_windows(screen) if w.id != main.id), None), "the message box")
    if time.monotonic() - shown_at > (TIMER_MS - 500) / 1000:
        return ["the message box opened too late to see the About window's timer fire under it"]
    time.sleep(max(0.0, shown_at + TIMER_MS / 1000 + 1.0 - time.monotonic()))
    failures = []
    stack = [w.id for w in viewable_windows(screen)]
    if main.id not in stack:
        failures.append("the main window is not shown")
    if not stack or stack[-1] != box.id:
        failures.append("the message box is not on top once the About window's timer has fired")
    if conn.get_input_focus().focus.id != box.id:
        failures.append("the message box lost the keyboard focus when the About window's timer fired")
    return failures


def main():
    with program_on_own_server(sys.argv[1:]) as (child, conn):
        about = wait_for(lambda: next(iter(viewable_windows(conn.screen())), None), "the About window")
        shown_at = time.monotonic()
        time.sleep(0.3)
        failures = about_window_failures(conn, about)
        click(conn, about, 20, 100)
        failures += modal_box_failures(conn, shown_at)
        for failure in failures:
            print(failure)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
