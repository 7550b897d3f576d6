"""The installed program starts from its menu entry's command and shows its
main window, with an ASCII WM_CLASS, on a private Xvfb display:
start_test.py <root>."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from layout import DESKTOP_ENTRY, PROGRAM, WM_CLASS, check, main, read_desktop_entry

MAIN_CAPTION_PREFIX = "岚溯 Lansu"
WAIT_SECONDS = 20.0


def start_xvfb(log):
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp"],
        stdin=subprocess.DEVNULL, stdout=log, stderr=log, pass_fds=(write_end,),
        start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + WAIT_SECONDS
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    check(number.strip().isdigit(), "Xvfb reported no display")
    return xvfb, ":" + number.decode().strip()


def stop(process):
    if process is None or process.poll() is not None:
        return
    os.killpg(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


def x_tool(display, arguments):
    """Output of an X tool; in a UTF-8 locale, so that window names come out
    as text rather than as conversion failures."""
    result = subprocess.run(arguments, env=dict(os.environ, DISPLAY=display, LC_ALL="C.UTF-8"),
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                            encoding="utf-8", errors="replace")
    return result.stdout


WINDOW_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": \(', re.MULTILINE)


def windows(display, prefix):
    """Ids of the viewable windows whose name begins with prefix."""
    found = []
    for window, name in WINDOW_LINE.findall(x_tool(display, ["xwininfo", "-root", "-tree"])):
        if name.startswith(prefix) and "Map State: IsViewable" in x_tool(
                display, ["xwininfo", "-id", window]):
            found.append(window)
    return found


def test(root):
    for tool in ["Xvfb", "xwininfo", "xdotool", "xprop"]:
        check(shutil.which(tool), "missing tool: " + tool)
    keys = read_desktop_entry(os.path.join(root, DESKTOP_ENTRY))
    command = os.path.join(root, "usr/bin", keys.get("Exec", "").split()[0])
    check(os.path.realpath(command) == os.path.realpath(os.path.join(root, PROGRAM)),
          "the menu entry's command is not the staged program")

    directory = tempfile.mkdtemp(prefix="lansu-packaging-")
    xvfb = program = None
    try:
        with open(os.path.join(directory, "xvfb.log"), "wb") as log:
            xvfb, display = start_xvfb(log)
        environment = {key: value for key, value in os.environ.items()
                       if not key.startswith("QT_")}
        environment.update(DISPLAY=display, LANG="zh_CN.UTF-8", QT_QPA_PLATFORM="xcb",
                           PATH=os.path.join(root, "usr/bin") + ":" + os.environ["PATH"])
        program_log = os.path.join(directory, "program.log")
        with open(program_log, "wb") as log:
            program = subprocess.Popen([os.path.basename(command)], env=environment,
                                       stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                       start_new_session=True)

        def output():
            with open(program_log, encoding="utf-8", errors="replace") as log:
                return log.read()

        found = []
        deadline = time.monotonic() + WAIT_SECONDS
        while not found:
            check(program.poll() is None,
                  "the program ended (status %s) before showing a window:\n%s"
                  % (program.returncode, output()))
            check(time.monotonic() < deadline,
                  "no window titled %r within %.0f s:\n%s"
                  % (MAIN_CAPTION_PREFIX, WAIT_SECONDS, output()))
            found = windows(display, MAIN_CAPTION_PREFIX)
            time.sleep(0.1)

        executable = os.path.realpath("/proc/%d/exe" % program.pid)
        check(executable == os.path.realpath(os.path.join(root, PROGRAM)),
              "the process runs %s, not the staged program" % executable)
        owners = {x_tool(display, ["xdotool", "getwindowpid", window]).strip()
                  for window in found}
        check(owners == {str(program.pid)},
              "the window belongs to %s, not to the program (%d)" % (owners, program.pid))
        # Window managers read WM_CLASS as Latin-1.
        expected_class = 'WM_CLASS(STRING) = "%s", "%s"' % WM_CLASS
        for window in found:
            wm_class = x_tool(display, ["xprop", "-id", window, "WM_CLASS"]).strip()
            check(wm_class == expected_class, "window %s has %s, not %s"
                  % (window, wm_class, expected_class))
        print("window %s shown by pid %d on %s" % (found, program.pid, display))
    finally:
        stop(program)
        stop(xvfb)
        shutil.rmtree(directory, ignore_errors=True)


main(test)
