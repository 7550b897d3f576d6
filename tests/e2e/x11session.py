"""Helpers for the end-to-end tests: a private X display with a window manager,
the program under test on it, and small wrappers around the X command-line tools.

Every wait is a bounded poll of a condition; a timeout fails the test with a
message that says what was expected and what was last seen.
"""

import atexit
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 1024
WAIT_SECONDS = 10.0
POLL_SECONDS = 0.05

# What the program shows.
MAIN_TITLE = ("岚溯 Lansu  X  Read-only operation    "
              "穹岳（汀川）科技有限公司数据研究院电子数字取证刑事技术侦查局 ")
TROUBLESHOOTING_TITLE = "岚溯 Lansu  X  Read-only operation    故障排查"
APPLICATION_TITLE = "岚溯穹岳（"
MAIN_CLIENT_SIZE = (1008, 813)
TROUBLESHOOTING_CLIENT_SIZE = (769, 565)


def _centre(x, y, width, height):
    return x + width // 2, y + height // 2


# Client-area pixel rectangles of the two buttons that do something.
MANUAL_LINK_BUTTON = _centre(744, 152, 97, 33)     # Command12 "手动链接"
TROUBLESHOOTING_BUTTON = _centre(744, 192, 97, 33)  # Command13 "故障协助"
# Points where a click reaches no control, used to prove the program handles input.
MAIN_INERT_POINT = (1000, 800)          # the footer band at the bottom right
TROUBLESHOOTING_INERT_POINT = (5, 5)    # empty background at the top left

# Tool -> Debian package.
REQUIRED_TOOLS = {
    "Xvfb": "xvfb",
    "openbox": "openbox",
    "xprop": "x11-utils",
    "xwininfo": "x11-utils",
    "xdotool": "xdotool",
    "wmctrl": "wmctrl",
    "import": "imagemagick",
}


# Sessions not yet stopped, ended at interpreter exit even when a test run is
# interrupted (SIGINT, SIGTERM) before its clean-ups ran.
_live_sessions = set()


def _stop_live_sessions():
    for session in list(_live_sessions):
        session.stop()


def _exit_on_sigterm(signum, frame):
    raise SystemExit(128 + signum)


atexit.register(_stop_live_sessions)
signal.signal(signal.SIGTERM, _exit_on_sigterm)


def missing_tools():
    return sorted({"%s (%s)" % (tool, package)
                   for tool, package in REQUIRED_TOOLS.items()
                   if shutil.which(tool) is None})


def wait_until(condition, what, timeout=WAIT_SECONDS, last_seen=None):
    """Polls condition() until it returns something true and returns that.

    On timeout raises AssertionError naming `what` and, if given, the result
    of last_seen() at that moment."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            message = "timed out after %.0f s waiting for %s" % (timeout, what)
            if last_seen is not None:
                message += "; last seen: %s" % (last_seen(),)
            raise AssertionError(message)
        time.sleep(POLL_SECONDS)


def _kill_group(process, grace=5.0):
    """Ends a process started in its own session, with everything it started."""
    if process is None:
        return
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            process.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass
    # Whatever is left of the group (the leader may be gone already).
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        pass


class App:
    """One run of the program under test."""

    def __init__(self, process, log_path):
        self.process = process
        self.log_path = log_path

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    def output(self):
        try:
            with open(self.log_path, "rb") as log:
                return log.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def wait_exit(self, timeout=WAIT_SECONDS):
        """Waits for the process to end and returns its exit status."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(
                "the program (pid %d) was still running %.0f s later; output:\n%s"
                % (self.pid, timeout, self.output())) from None

    def stop(self):
        _kill_group(self.process)


class X11Session:
    """Xvfb on a free display, openbox on it, and the program when asked."""

    def __init__(self, executable):
        self.executable = os.path.abspath(executable)
        self.directory = None
        self.display = None
        self.env = None
        self.app_env = None
        self.xvfb = None
        self.openbox = None
        self.apps = []

    # ---- set-up and tear-down ----------------------------------------------

    def start(self):
        missing = missing_tools()
        if missing:
            raise AssertionError("missing tools: " + ", ".join(missing))
        if not os.access(self.executable, os.X_OK):
            raise AssertionError("not an executable: " + self.executable)
        _live_sessions.add(self)
        self.directory = tempfile.mkdtemp(prefix="lansu-e2e-")
        self._start_xvfb()
        self.env = self._environment()
        self._start_openbox()
        # Park the pointer outside where the windows will be, so that no
        # control starts hovered.
        self.xdotool("mousemove", "0", "0")

    def stop(self):
        """Ends everything this session started; safe to call more than once."""
        for app in self.apps:
            app.stop()
        _kill_group(self.openbox)
        _kill_group(self.xvfb)
        self.apps = []
        self.openbox = None
        self.xvfb = None
        if self.directory is not None:
            shutil.rmtree(self.directory, ignore_errors=True)
            self.directory = None
        _live_sessions.discard(self)

    def _log(self, name):
        return open(os.path.join(self.directory, name), "wb")

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        try:
            with self._log("xvfb.log") as log:
                self.xvfb = subprocess.Popen(
                    ["Xvfb", "-displayfd", str(write_end),
                     "-screen", "0", "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT),
                     "-nolisten", "tcp", "-noreset"],
                    stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                    pass_fds=(write_end,), start_new_session=True)
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.monotonic() + WAIT_SECONDS
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or self.xvfb.poll() is not None:
                    raise AssertionError(
                        "Xvfb did not report a display number; its log:\n"
                        + self._read("xvfb.log"))
                ready, _, _ = select.select([read_end], [], [], remaining)
                if ready:
                    chunk = os.read(read_end, 64)
                    if not chunk:
                        raise AssertionError(
                            "Xvfb closed the display pipe; its log:\n"
                            + self._read("xvfb.log"))
                    number += chunk
            self.display = ":" + number.decode().strip()
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)

    def _environment(self):
        env = dict(os.environ)
        for name in ("QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE",
                     "WAYLAND_DISPLAY", "XAUTHORITY"):
            env.pop(name, None)
        runtime = os.path.join(self.directory, "runtime")
        config = os.path.join(self.directory, "config")
        os.mkdir(runtime, 0o700)
        os.mkdir(config, 0o700)
        env.update(DISPLAY=self.display, LANG="C.UTF-8",
                   XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=config)
        # The X tools keep a neutral locale; the program runs on a Chinese desktop.
        self.app_env = dict(env, LANG="zh_CN.UTF-8")
        return env

    def _start_openbox(self):
        with self._log("openbox.log") as log:
            self.openbox = subprocess.Popen(
                ["openbox", "--sm-disable"], env=self.env,
                stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                start_new_session=True)

        def managing():
            if self.openbox.poll() is not None:
                raise AssertionError("openbox ended; its log:\n"
                                     + self._read("openbox.log"))
            return "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.xprop_text(
                "-root", "_NET_SUPPORTING_WM_CHECK")

        wait_until(managing, "openbox to manage the display " + self.display)

    def _read(self, name):
        try:
            with open(os.path.join(self.directory, name), "rb") as log:
                return log.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def launch(self, *arguments):
        """Starts the program with the given command-line arguments."""
        log_path = os.path.join(self.directory, "app-%d.log" % len(self.apps))
        with open(log_path, "wb") as log:
            process = subprocess.Popen(
                [self.executable, *arguments], env=self.app_env,
                cwd=self.directory, stdin=subprocess.DEVNULL,
                stdout=log, stderr=log, start_new_session=True)
        app = App(process, log_path)
        self.apps.append(app)
        return app

    # ---- X tools -------------------------------------------------------------

    def run(self, *command):
        result = subprocess.run(command, env=self.env, capture_output=True,
                                timeout=WAIT_SECONDS)
        return result

    def xdotool(self, *arguments):
        result = self.run("xdotool", *arguments)
        if result.returncode != 0:
            raise AssertionError("xdotool %s failed: %s" % (
                " ".join(arguments), result.stderr.decode(errors="replace")))

    def xprop_text(self, *arguments):
        """xprop's output as text; empty if the window is gone."""
        result = self.run("xprop", *arguments)
        if result.returncode != 0:
            return ""
        return result.stdout.decode("utf-8", "replace")

    def _property_values(self, window, name, format_):
        text = self.xprop_text("-id", str(window), "-notype", "-f", name,
                               format_, name)
        match = re.search(re.escape(name) + r" = (.*)", text, re.S)
        if match is None:
            return None
        return [value.strip() for value in match.group(1).split(",")]

    def cardinals(self, window, name):
        """A 32-bit CARDINAL property as a list of ints, or None if absent."""
        values = self._property_values(window, name, "32c")
        return None if values is None else [int(value) for value in values]

    def atoms(self, window, name):
        values = self._property_values(window, name, "32a")
        return [] if values is None else values

    def property_bytes(self, window, name):
        """An 8-bit property's bytes exactly as stored, or None if absent."""
        values = self._property_values(window, name, "8x")
        return None if values is None else bytes(int(v, 16) for v in values)

    def _root_windows(self, name):
        text = self.xprop_text("-root", "-notype", name)
        return [int(hex_id, 16) for hex_id in re.findall(r"0x[0-9a-fA-F]+", text)]

    def client_list(self):
        """The windows the window manager manages (mapped ones)."""
        return self._root_windows("_NET_CLIENT_LIST")

    def stacking_order(self):
        """Managed windows from bottom to top."""
        return self._root_windows("_NET_CLIENT_LIST_STACKING")

    def active_window(self):
        windows = self._root_windows("_NET_ACTIVE_WINDOW")
        return windows[0] if windows else None

    def title(self, window):
        name = self.property_bytes(window, "_NET_WM_NAME")
        return None if name is None else name.decode("utf-8", "replace")

    def windows_of(self, app):
        result = []
        for window in self.client_list():
            pid = self.cardinals(window, "_NET_WM_PID")
            if pid == [app.pid]:
                result.append(window)
        return result

    def windows_titled(self, app, title):
        """The program's managed windows whose _NET_WM_NAME is exactly title."""
        wanted = title.encode("utf-8")
        return [window for window in self.windows_of(app)
                if self.property_bytes(window, "_NET_WM_NAME") == wanted]

    def describe_windows(self, app=None):
        windows = self.client_list() if app is None else self.windows_of(app)
        return ", ".join("0x%x %r" % (window, self.title(window))
                         for window in windows) or "no managed window"

    def geometry(self, window):
        """Client geometry from xwininfo: dict x, y, width, height, viewable."""
        result = self.run("xwininfo", "-id", str(window))
        if result.returncode != 0:
            return None
        text = result.stdout.decode("utf-8", "replace")
        fields = {}
        for key, label in (("x", "Absolute upper-left X"),
                           ("y", "Absolute upper-left Y"),
                           ("width", "Width"), ("height", "Height")):
            match = re.search(r"^\s*%s:\s+(-?\d+)" % label, text, re.M)
            if match is None:
                return None
            fields[key] = int(match.group(1))
        fields["viewable"] = "Map State: IsViewable" in text
        return fields

    def client_size(self, window):
        geometry = self.geometry(window)
        return None if geometry is None else (geometry["width"], geometry["height"])

    def frame_geometry(self, window):
        """(x, y, width, height) of the window with its frame, or None."""
        geometry = self.geometry(window)
        extents = self.cardinals(window, "_NET_FRAME_EXTENTS")
        if geometry is None or extents is None or len(extents) != 4:
            return None
        left, right, top, bottom = extents
        return (geometry["x"] - left, geometry["y"] - top,
                geometry["width"] + left + right,
                geometry["height"] + top + bottom)

    def size_hints(self, window):
        """(min, max) sizes from WM_NORMAL_HINTS, each (w, h) or None."""
        text = self.xprop_text("-id", str(window), "WM_NORMAL_HINTS")
        found = []
        for kind in ("minimum", "maximum"):
            match = re.search(r"%s size: (\d+) by (\d+)" % kind, text)
            found.append(None if match is None
                         else (int(match.group(1)), int(match.group(2))))
        return tuple(found)

    def icons(self, window):
        """The images of _NET_WM_ICON as a list of (width, height, pixels)."""
        values = self.cardinals(window, "_NET_WM_ICON") or []
        images = []
        index = 0
        while index + 2 <= len(values):
            width, height = values[index], values[index + 1]
            pixels = values[index + 2:index + 2 + width * height]
            if width <= 0 or height <= 0 or len(pixels) != width * height:
                break
            images.append((width, height, pixels))
            index += 2 + width * height
        return images

    def capture_rgb(self, window):
        """The window's pixels as packed 8-bit RGB bytes, with its size."""
        geometry = self.geometry(window)
        if geometry is None:
            raise AssertionError("window 0x%x is gone" % window)
        result = self.run("import", "-window", str(window), "-depth", "8", "rgb:-")
        if result.returncode != 0:
            raise AssertionError("import failed: "
                                 + result.stderr.decode(errors="replace"))
        expected = geometry["width"] * geometry["height"] * 3
        if len(result.stdout) != expected:
            raise AssertionError("capture of 0x%x has %d bytes, expected %d"
                                 % (window, len(result.stdout), expected))
        return geometry["width"], geometry["height"], result.stdout

    # ---- input ---------------------------------------------------------------

    def click(self, window, point):
        """A left click at a point given in the window's client coordinates."""
        x, y = point
        self.xdotool("mousemove", "--window", str(window), str(x), str(y),
                     "click", "1")

    def key(self, name):
        self.xdotool("key", name)

    def move(self, window, x, y):
        self.xdotool("windowmove", str(window), str(x), str(y))

    def close_through_wm(self, window):
        """Asks the window manager to close the window (_NET_CLOSE_WINDOW; the
        manager sends WM_DELETE_WINDOW)."""
        result = self.run("wmctrl", "-i", "-c", "0x%x" % window)
        if result.returncode != 0:
            raise AssertionError("wmctrl -c failed: "
                                 + result.stderr.decode(errors="replace"))

    # ---- waits on the program's windows ------------------------------------

    def wait_single_window(self, app, title):
        """Waits until exactly one viewable window of app has this title.

        Fails at once if two or more show up, or if the program ends."""
        def single():
            if not app.running():
                raise AssertionError(
                    "the program ended (status %s) while waiting for %r; output:\n%s"
                    % (app.process.returncode, title, app.output()))
            windows = self.windows_titled(app, title)
            if len(windows) > 1:
                raise AssertionError("%d windows titled %r: %s"
                                     % (len(windows), title, self.describe_windows(app)))
            if windows and (self.geometry(windows[0]) or {}).get("viewable"):
                return windows[0]
            return None

        return wait_until(single, "one window titled %r" % title,
                          last_seen=lambda: self.describe_windows(app))

    def wait_any_window(self, app):
        """Waits for the first viewable managed window of app, whatever its title."""
        def first():
            if not app.running():
                raise AssertionError(
                    "the program ended (status %s) before showing a window; output:\n%s"
                    % (app.process.returncode, app.output()))
            for window in self.windows_of(app):
                if (self.geometry(window) or {}).get("viewable"):
                    return window
            return None

        return wait_until(first, "a window of the program (pid %d)" % app.pid,
                          last_seen=lambda: self.describe_windows())

    def wait_stable_capture(self, window):
        """Captures the window until two captures in a row agree, so that a
        capture taken while the program still paints is never used."""
        previous = [None]

        def stable():
            current = self.capture_rgb(window)
            if current == previous[0]:
                return current
            previous[0] = current
            return None

        return wait_until(stable, "window 0x%x to stop changing" % window)

    def wait_window_gone(self, app, window):
        wait_until(lambda: window not in self.windows_of(app),
                   "window 0x%x %r to close" % (window, self.title(window)),
                   last_seen=lambda: self.describe_windows(app))

    def wait_centred(self, window):
        """Waits until the framed window sits centred on the screen (1 px)."""
        def centred():
            frame = self.frame_geometry(window)
            if frame is None:
                return None
            x, y, width, height = frame
            if (abs(2 * x + width - SCREEN_WIDTH) <= 2
                    and abs(2 * y + height - SCREEN_HEIGHT) <= 2):
                return frame
            return None

        return wait_until(
            centred, "window 0x%x to be centred on the %dx%d screen"
                     % (window, SCREEN_WIDTH, SCREEN_HEIGHT),
            last_seen=lambda: "frame (x, y, w, h) = %s" % (self.frame_geometry(window),))

    def wait_settled(self, window):
        """Waits until the window's frame geometry has stayed the same over
        several polls (the program and the window manager are done placing it)."""
        history = []

        def settled():
            history.append(self.frame_geometry(window))
            recent = history[-4:]
            if len(recent) == 4 and recent[0] is not None and recent.count(recent[0]) == 4:
                return recent[0]
            return None

        return wait_until(settled, "window 0x%x to stop moving" % window,
                          last_seen=lambda: "frames %s" % history[-4:])

    def wait_active(self, window):
        wait_until(lambda: self.active_window() == window,
                   "window 0x%x %r to become the active window" % (window, self.title(window)),
                   last_seen=lambda: "active window %s %r" % (
                       self.active_window() and "0x%x" % self.active_window(),
                       self.active_window() and self.title(self.active_window())))

    def wait_input_handled(self, window, point):
        """Clicks an inert point of the window and waits until the program has
        handled that click (it stamps _NET_WM_USER_TIME on the window). Proves
        the program is alive and has processed everything sent before."""
        before = self.cardinals(window, "_NET_WM_USER_TIME")
        self.click(window, point)
        wait_until(lambda: self.cardinals(window, "_NET_WM_USER_TIME") != before,
                   "the program to handle a click on window 0x%x" % window)


class SessionTestCase(unittest.TestCase):
    """A test case with a fresh display, window manager and program per test."""

    executable = None

    def setUp(self):
        self.session = X11Session(self.executable)
        self.addCleanup(self.session.stop)
        self.session.start()

    def launch(self, *arguments):
        app = self.session.launch(*arguments)
        self.addCleanup(self._report_output, app)
        return app

    def _report_output(self, app):
        outcome = getattr(self, "_outcome", None)
        if outcome is None or not getattr(outcome, "success", False):
            output = app.output().strip()
            if output:
                sys.stderr.write("\n--- program output (pid %d) ---\n%s\n" % (app.pid, output))

    def main_window(self, app):
        return self.session.wait_single_window(app, MAIN_TITLE)


def main():
    """Entry point for a test file: `test_x.py EXECUTABLE [unittest args]`."""
    if len(sys.argv) < 2:
        sys.stderr.write("usage: %s EXECUTABLE [TestClass[.test_name] ...]\n" % sys.argv[0])
        sys.exit(2)
    SessionTestCase.executable = sys.argv[1]
    unittest.main(module="__main__", argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
