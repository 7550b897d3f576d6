"""The installed program starts from its menu entry's command and shows its
main window, with an ASCII WM_CLASS, on the X display it is given (a
private one: xvfb-run start_test.py <root>)."""

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


def stop(process):
    if process is None or process.poll() is not None:
        return
    os.killpg(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


def x_tool(arguments):
    """Output of an X tool; in a UTF-8 locale, so that window names come out
    as text rather than as conversion failures."""
    result = subprocess.run(arguments, env=dict(os.environ, LC_ALL="C.UTF-8"),
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                            encoding="utf-8", errors="replace")
    return result.stdout


WINDOW_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": \(', re.MULTILINE)


def windows(prefix):
    """Ids of the viewable windows whose name begins with prefix."""
    found = []
    for window, name in WINDOW_LINE.findall(x_tool(["xwininfo", "-root", "-tree"])):
        if name.startswith(prefix) and "Map State: IsViewable" in x_tool(
                ["xwininfo", "-id", window]):
            found.append(window)
    return found


def test(root):
    check(os.environ.get("DISPLAY"), "no X display: run under xvfb-run")
    for tool in ["xwininfo", "xdotool", "xprop"]:
        check(shutil.which(tool), "missing tool: " + tool)
    keys = read_desktop_entry(os.path.join(root, DESKTOP_ENTRY))
    # desktop_entry_test.py checks that it leads to the program.
    command = keys.get("Exec", "").split()[0]

    directory = tempfile.mkdtemp(prefix="lansu-packaging-")
    program = None
    try:
        environment = {key: value for key, value in os.environ.items()
                       if not key.startswith("QT_")}
        environment.update(LANG="zh_CN.UTF-8", QT_QPA_PLATFORM="xcb",
                           PATH=os.path.join(root, "usr/bin") + ":" + os.environ["PATH"])
        program_log = os.path.join(directory, "program.log")
        with open(program_log, "wb") as log:
            program = subprocess.Popen([command], env=environment,
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
            found = windows(MAIN_CAPTION_PREFIX)
            time.sleep(0.1)

        executable = os.path.realpath("/proc/%d/exe" % program.pid)
        check(executable == os.path.realpath(os.path.join(root, PROGRAM)),
              "the process runs %s, not the staged program" % executable)
        owners = {x_tool(["xdotool", "getwindowpid", window]).strip()
                  for window in found}
        check(owners == {str(program.pid)},
              "the window belongs to %s, not to the program (%d)" % (owners, program.pid))
        # Window managers read WM_CLASS as Latin-1.
        expected_class = 'WM_CLASS(STRING) = "%s", "%s"' % WM_CLASS
        for window in found:
            wm_class = x_tool(["xprop", "-id", window, "WM_CLASS"]).strip()
            check(wm_class == expected_class, "window %s has %s, not %s"
                  % (window, wm_class, expected_class))
        print("window %s shown by pid %d" % (found, program.pid))
    finally:
        stop(program)
        shutil.rmtree(directory, ignore_errors=True)


main(test)
