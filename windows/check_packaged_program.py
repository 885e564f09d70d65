#!/usr/bin/python3
"""Checks the Windows zip as a user meets it: unpacked alone into an empty folder and started
under Wine, with nothing else on Wine's search path, on a virtual X server with a window
manager. Passes when the About window opens with an empty title, gives way to the main window
titled "Orvantide", and Ctrl+Q then ends the program with exit code 0.

    check_packaged_program.py ZIP WINEPREFIX [SCREENSHOT_FOLDER]
"""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from x_session import WAIT, focus, press, start_server, wait_for  # noqa: E402
from Xlib import X, Xatom, display  # noqa: E402

MAIN_TITLE = "Orvantide"


def managed_windows(conn):
    """The client windows that the window manager lists, with their titles."""
    root = conn.screen().root
    listed = root.get_full_property(conn.intern_atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
    windows = []
    for wid in (listed.value if listed else []):
        window = conn.create_resource_object("window", wid)
        try:
            if window.get_attributes().map_state != X.IsViewable:
                continue
            net_name = window.get_full_property(conn.intern_atom("_NET_WM_NAME"), conn.intern_atom("UTF8_STRING"))
            name = bytes(net_name.value).decode() if net_name else (window.get_wm_name() or "")
            windows.append((window, name))
        except Exception:  # a window that went away meanwhile
            continue
    return windows


def screenshot(folder, name, display_name):
    if folder:
        subprocess.run(["import", "-display", display_name, "-window", "root", os.path.join(folder, name)],
                       check=False)


def main():
    zip_path, prefix = sys.argv[1], os.path.abspath(sys.argv[2])
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    unpacked = tempfile.mkdtemp(prefix="orvantide-zip-")
    server, name = start_server()
    manager = program = conn = None
    try:
        with zipfile.ZipFile(zip_path) as archive:
            archive.extractall(unpacked)
        folders = os.listdir(unpacked)
        if len(folders) != 1:
            raise SystemExit(f"the zip holds {folders}, not one folder")
        folder = os.path.join(unpacked, folders[0])
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("WINE", "QT_"))}
        env.update(DISPLAY=name, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        manager = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        conn = display.Display(name)
        wait_for(lambda: conn.screen().root.get_full_property(
            conn.intern_atom("_NET_SUPPORTING_WM_CHECK"), Xatom.WINDOW), "the window manager")
        program = subprocess.Popen(["wine", os.path.join(folder, "orvantide.exe")], cwd=folder, env=env)

        about = wait_for(lambda: next((w for w, title in managed_windows(conn) if title != MAIN_TITLE), None),
                         "the About window", wait=60)
        titles = [title for w, title in managed_windows(conn) if w.id == about.id]
        time.sleep(1)
        screenshot(shots, "zip-about.png", name)
        if titles != [""]:
            raise SystemExit(f"the About window's title is {titles}, not empty")
        main_window = wait_for(lambda: next((w for w, title in managed_windows(conn) if title == MAIN_TITLE), None),
                               "the main window")
        time.sleep(1)
        screenshot(shots, "zip-main.png", name)
        if any(w.id == about.id for w, _ in managed_windows(conn)):
            raise SystemExit("the About window is still shown beside the main window")
        focus(conn, main_window)
        press(conn, "Control_L", "q")
        try:
            code = program.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            raise SystemExit("Ctrl+Q did not end the program")
        if code != 0:
            raise SystemExit(f"the program ended with exit code {code}")
        print(f"{os.path.basename(zip_path)}: untitled About window, then the main window; exit code 0")
        return 0
    finally:
        if conn is not None:
            conn.close()
        for process in (program, manager):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        # Wine's own processes of the prefix (its desktop) belong to this server, which ends now.
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), check=False)
        server.terminate()
        server.wait()
        shutil.rmtree(unpacked, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
