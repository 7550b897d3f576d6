"""A private Xvfb display managed by openbox, the program under test on it,
and wrappers around the X tools (xprop, xwininfo, xdotool, wmctrl, import).
Every wait is a bounded poll that fails saying what it last saw."""

import atexit
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

SCREEN = (1280, 1024)
WAIT_SECONDS = 10.0

# What the program shows.
MAIN_TITLE = ("岚溯 Lansu  X  Read-only operation    "
              "穹岳（汀川）科技有限公司数据研究院电子数字取证刑事技术侦查局 ")
TROUBLESHOOTING_TITLE = "岚溯 Lansu  X  Read-only operation    故障排查"
APPLICATION_TITLE = "岚溯穹岳（"
MAIN_CLIENT_SIZE = (1008, 813)
TROUBLESHOOTING_CLIENT_SIZE = (769, 565)
# Client-area centres of the two buttons that act, and points where a click
# reaches no control (the footer band; the top-left background).
MANUAL_LINK_BUTTON = (744 + 97 // 2, 152 + 33 // 2)      # Command12 "手动链接"
TROUBLESHOOTING_BUTTON = (744 + 97 // 2, 192 + 33 // 2)  # Command13 "故障协助"
MAIN_INERT_POINT = (1000, 800)
TROUBLESHOOTING_INERT_POINT = (5, 5)

# Sessions still running are ended at exit, also when a run is interrupted.
_live_sessions = set()
atexit.register(lambda: [session.stop() for session in list(_live_sessions)])
signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(128 + signum))


def wait_until(condition, what, timeout=WAIT_SECONDS, last_seen=None):
    """Polls condition() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.0f s waiting for %s%s" % (
                timeout, what, "" if last_seen is None else "; last seen: %s" % (last_seen(),)))
        time.sleep(0.05)
    return value


def stop_group(process):
    """Ends a process started in a session of its own, with all it started."""
    for signum in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, signum)
            process.wait(timeout=5)
        except (ProcessLookupError, PermissionError, subprocess.TimeoutExpired):
            pass


class App:
    """One run of a program, its output going to a log file."""

    def __init__(self, command, env, directory):
        with tempfile.NamedTemporaryFile(prefix="app-", suffix=".log", dir=directory,
                                         delete=False) as log:
            self.log_path = log.name
            self.process = subprocess.Popen(command, env=env, cwd=directory,
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                            start_new_session=True)
        self.pid = self.process.pid

    def running(self):
        return self.process.poll() is None

    def output(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode("utf-8", "replace")

    def wait_exit(self, timeout=WAIT_SECONDS):
        """The exit status, once the program has ended."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program still runs %.0f s later; output:\n%s"
                                 % (timeout, self.output())) from None


class X11Session:
    """Xvfb on a free display, openbox on it, and programs when asked."""

    def __init__(self, executable):
        self.executable = os.path.abspath(executable)
        self.apps, self.servers = [], []

    def start(self):
        _live_sessions.add(self)
        self.directory = tempfile.mkdtemp(prefix="lansu-e2e-")
        # Xvfb writes its display number to the pipe once it takes clients.
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                 "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"],
                                os.environ, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()
        if self.display == ":":
            raise AssertionError("Xvfb reported no display: " + self.log("Xvfb"))
        for folder in ("runtime", "config"):
            os.mkdir(os.path.join(self.directory, folder), 0o700)
        self.env = {name: value for name, value in os.environ.items() if name not in (
            "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE", "WAYLAND_DISPLAY",
            "XAUTHORITY")}
        self.env.update(DISPLAY=self.display, LANG="C.UTF-8",
                        XDG_RUNTIME_DIR=os.path.join(self.directory, "runtime"),
                        XDG_CONFIG_HOME=os.path.join(self.directory, "config"))
        # The X tools keep a neutral locale; the program runs on a Chinese desktop.
        self.app_env = dict(self.env, LANG="zh_CN.UTF-8")
        self._spawn(["openbox", "--sm-disable"], self.env)
        wait_until(lambda: self.root_windows("_NET_SUPPORTING_WM_CHECK"),
                   "openbox to manage " + self.display, last_seen=lambda: self.log("openbox"))
        # The pointer starts outside the windows, so that no control is hovered.
        self.xdotool("mousemove", "0", "0")

    def stop(self):
        """Ends everything this session started; safe to call more than once."""
        for process in [app.process for app in self.apps] + self.servers:
            stop_group(process)
        self.apps, self.servers = [], []
        shutil.rmtree(getattr(self, "directory", ""), ignore_errors=True)
        _live_sessions.discard(self)

    def _spawn(self, command, env, **options):
        with open(os.path.join(self.directory, command[0] + ".log"), "wb") as log:
            self.servers.append(subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                                 stdout=log, stderr=log, start_new_session=True,
                                                 **options))

    def log(self, name):
        with open(os.path.join(self.directory, name + ".log"), "rb") as log:
            return log.read().decode("utf-8", "replace")

    def launch(self, *arguments, env=None, command=None):
        """Starts the program (or `command`) with these arguments."""
        app = App([*(command or [self.executable]), *arguments], env or self.app_env,
                  self.directory)
        self.apps.append(app)
        return app

    # ---- X tools -----------------------------------------------------------

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, timeout=WAIT_SECONDS)

    def xdotool(self, *arguments):
        result = self.run("xdotool", *arguments)
        if result.returncode != 0:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(arguments), result.stderr))

    def values(self, window, name, format_="32c", convert=int):
        """A property's values as xprop prints them in `format_`, converted; None if absent."""
        text = self.run("xprop", "-id", str(window), "-notype", "-f", name, format_, name).stdout
        match = re.search(re.escape(name) + r" = (.*)", text.decode("utf-8", "replace"), re.S)
        return None if match is None else [convert(v.strip()) for v in match.group(1).split(",")]

    def title(self, window):
        """_NET_WM_NAME, which must be UTF-8, or None if absent."""
        values = self.values(window, "_NET_WM_NAME", "8x", lambda value: int(value, 16))
        return None if values is None else bytes(values).decode("utf-8", "replace")

    def root_windows(self, name):
        """The windows a root window property lists (_NET_CLIENT_LIST_STACKING
        from bottom to top)."""
        text = self.run("xprop", "-root", "-notype", name).stdout.decode()
        return [int(hex_id, 16) for hex_id in re.findall(r"0x[0-9a-fA-F]+", text)]

    def windows_of(self, app):
        """The managed windows of app."""
        return [window for window in self.root_windows("_NET_CLIENT_LIST")
                if self.values(window, "_NET_WM_PID") == [app.pid]]

    def windows_titled(self, app, title):
        return [window for window in self.windows_of(app) if self.title(window) == title]

    def describe_windows(self):
        return [(hex(w), self.title(w)) for w in self.root_windows("_NET_CLIENT_LIST")]

    def geometry(self, window):
        """Client geometry from xwininfo: dict x, y, width, height, viewable."""
        text = self.run("xwininfo", "-id", str(window)).stdout.decode("utf-8", "replace")
        fields = dict(zip(("x", "y", "width", "height"), map(int, re.findall(
            r"^\s*(?:Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", text, re.M))))
        if len(fields) != 4:
            return None
        return dict(fields, viewable="Map State: IsViewable" in text)

    def client_size(self, window):
        return tuple((self.geometry(window) or {}).get(key) for key in ("width", "height"))

    def frame_geometry(self, window):
        """(x, y, width, height) of the window with its frame, or None."""
        geometry = self.geometry(window)
        extents = self.values(window, "_NET_FRAME_EXTENTS")
        if geometry is None or extents is None or len(extents) != 4:
            return None
        left, right, top, bottom = extents
        return (geometry["x"] - left, geometry["y"] - top, geometry["width"] + left + right,
                geometry["height"] + top + bottom)

    def size_hints(self, window):
        """(minimum, maximum) sizes from WM_NORMAL_HINTS, each (w, h) or None."""
        text = self.run("xprop", "-id", str(window), "WM_NORMAL_HINTS").stdout.decode()
        return tuple(tuple(map(int, match.groups())) if match else None for match in (
            re.search(kind + r" size: (\d+) by (\d+)", text) for kind in ("minimum", "maximum")))

    def icons(self, window):
        """The images of _NET_WM_ICON as {(width, height): pixels}."""
        values, images = self.values(window, "_NET_WM_ICON") or [], {}
        while len(values) > 2 and len(values) >= 2 + values[0] * values[1]:
            size = values[0] * values[1]
            images[tuple(values[:2])], values = values[2:2 + size], values[2 + size:]
        return images

    # ---- input -------------------------------------------------------------

    def click(self, window, point):
        """A left click at a point in the window's client coordinates."""
        self.xdotool("mousemove", "--window", str(window), *map(str, point), "click", "1")

    def key(self, name):
        self.xdotool("key", name)

    def close_through_wm(self, window):
        """Has the window manager close the window (it sends WM_DELETE_WINDOW)."""
        if self.run("wmctrl", "-i", "-c", "0x%x" % window).returncode != 0:
            raise AssertionError("wmctrl could not close 0x%x" % window)

    # ---- waits -------------------------------------------------------------

    def wait_window(self, app, title, timeout=WAIT_SECONDS):
        """Waits until exactly one viewable window of app has this title; fails
        at once if two show up or the program ends."""
        def single():
            if not app.running():
                raise AssertionError("the program ended (status %s) while waiting for %r:\n%s"
                                     % (app.process.returncode, title, app.output()))
            windows = self.windows_titled(app, title)
            if len(windows) > 1:
                raise AssertionError("%d windows titled %r" % (len(windows), title))
            return windows and (self.geometry(windows[0]) or {}).get("viewable") and windows[0]

        return wait_until(single, "one window titled %r" % title, timeout,
                          last_seen=self.describe_windows)

    def wait_stable_capture(self, window):
        """The window's pixels as packed 8-bit RGB, once two captures in a row
        agree: none taken while the program still paints is used."""
        previous = [None]

        def stable():
            result = self.run("import", "-window", str(window), "-depth", "8", "rgb:-")
            current = result.returncode == 0 and result.stdout
            same, previous[0] = current == previous[0], current
            return same and current
        return wait_until(stable, "window 0x%x to stop changing" % window)

    def wait_window_gone(self, app, window):
        wait_until(lambda: window not in self.windows_of(app), "window 0x%x to close" % window,
                   last_seen=self.describe_windows)

    def wait_centred(self, window):
        """Waits until the framed window sits centred on the screen (1 px)."""
        def centred():
            x, y, width, height = self.frame_geometry(window) or (-SCREEN[0], 0, 0, 0)
            return abs(2 * x + width - SCREEN[0]) <= 2 and abs(2 * y + height - SCREEN[1]) <= 2
        wait_until(centred, "window 0x%x to be centred on the screen" % window,
                   last_seen=lambda: "frame %s" % (self.frame_geometry(window),))

    def wait_settled(self, window):
        """Waits until the frame has stayed the same over four polls (the
        program and the window manager are done placing it), and returns it."""
        history = []

        def settled():
            history.append(self.frame_geometry(window))
            return len(history) >= 4 and history[-1] and history[-4:].count(history[-1]) == 4
        wait_until(settled, "window 0x%x to stop moving" % window,
                   last_seen=lambda: "frames %s" % history[-4:])
        return history[-1]

    def wait_active(self, window):
        wait_until(lambda: self.root_windows("_NET_ACTIVE_WINDOW") == [window],
                   "window 0x%x %r to become active" % (window, self.title(window)),
                   last_seen=lambda: list(map(self.title, self.root_windows("_NET_ACTIVE_WINDOW"))))

    def wait_input_handled(self, window, point):
        """Clicks an inert point and waits until the program has handled it (it
        stamps _NET_WM_USER_TIME): the program is alive and has processed all
        input sent before."""
        before = self.values(window, "_NET_WM_USER_TIME")
        self.click(window, point)
        wait_until(lambda: self.values(window, "_NET_WM_USER_TIME") != before,
                   "the program to handle a click on window 0x%x" % window)


def assert_main_window(test, session, window):
    """The main window as the window manager sees it, in either build."""
    test.assertEqual(session.title(window), MAIN_TITLE)
    test.assertEqual(session.client_size(window), MAIN_CLIENT_SIZE)
    test.assertEqual(session.size_hints(window), (MAIN_CLIENT_SIZE, MAIN_CLIENT_SIZE))
    test.assertIn("_NET_WM_STATE_SKIP_TASKBAR",
                  session.values(window, "_NET_WM_STATE", "32a", str) or [])
    session.wait_centred(window)
    test.assertIn((32, 32), session.icons(window), "the 32 x 32 icon")


class SessionTestCase(unittest.TestCase):
    """One display and window manager for each test class."""

    executable = None

    @classmethod
    def setUpClass(cls):
        cls.session = X11Session(cls.executable)
        cls.addClassCleanup(cls.session.stop)
        cls.session.start()

    def launch(self, *arguments, **options):
        app = self.session.launch(*arguments, **options)
        self.addCleanup(stop_group, app.process)
        return app

    def assert_running(self, app):
        self.assertTrue(app.running(), "the program ended with status %s; output:\n%s"
                        % (app.process.returncode, app.output()))


def main():
    """Entry point for a test file: `test_x.py EXECUTABLE [unittest arguments]`."""
    if len(sys.argv) < 2:
        sys.exit("usage: %s EXECUTABLE [TestClass[.test_name] ...]" % sys.argv[0])
    SessionTestCase.executable = sys.argv[1]
    unittest.main(module="__main__", argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
