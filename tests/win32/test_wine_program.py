#!/usr/bin/python3
"""End to end for the Windows build: the executable under Wine on a private
Xvfb display with openbox, driven and observed with the same X tools and
helpers as the Linux build's end-to-end tests (tests/e2e/x11session.py).

Usage: test_wine_program.py EXECUTABLE WINEPREFIX [TestClass[.test_name] ...]
"""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from x11session import (APPLICATION_TITLE, MAIN_CLIENT_SIZE, MAIN_TITLE,  # noqa: E402
                        MANUAL_LINK_BUTTON, TROUBLESHOOTING_BUTTON, TROUBLESHOOTING_CLIENT_SIZE,
                        TROUBLESHOOTING_TITLE, App, X11Session, wait_until)

WINE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wine.sh")
# Starting Wine on a new display takes longer than starting the Qt build.
START_SECONDS = 60.0


class WineSession(X11Session):
    """The X session of the Linux tests, with the program started under Wine.
    Windows are found by title: Wine stamps them with its own process id."""

    def __init__(self, executable, prefix):
        super().__init__(executable)
        self.prefix = os.path.abspath(prefix)

    def launch(self, *arguments):
        log_path = os.path.join(self.directory, "app-%d.log" % len(self.apps))
        with open(log_path, "wb") as log:
            process = subprocess.Popen(
                [WINE, "--fresh-server", self.prefix, self.executable, *arguments],
                env=self.app_env, cwd=self.directory, stdin=subprocess.DEVNULL,
                stdout=log, stderr=log, start_new_session=True)
        app = App(process, log_path)
        self.apps.append(app)
        return app

    def windows_of(self, app):
        return self.client_list() if app.running() else []


class WineTestCase(unittest.TestCase):
    executable = None
    prefix = None

    def setUp(self):
        self.session = WineSession(self.executable, self.prefix)
        self.addCleanup(self.session.stop)
        self.session.start()
        self.app = self.session.launch()
        self.addCleanup(self._report_output)
        self.form1 = wait_until(
            lambda: self._single(MAIN_TITLE), "the main window titled %r" % MAIN_TITLE,
            timeout=START_SECONDS, last_seen=self.session.describe_windows)
        self.session.wait_settled(self.form1)

    def _single(self, title):
        if not self.app.running():
            raise AssertionError("the program ended with status %s; output:\n%s"
                                 % (self.app.process.returncode, self.app.output()))
        windows = self.session.windows_titled(self.app, title)
        if len(windows) > 1:
            raise AssertionError("%d windows titled %r" % (len(windows), title))
        if windows and (self.session.geometry(windows[0]) or {}).get("viewable"):
            return windows[0]
        return None

    def _report_output(self):
        output = self.app.output().strip()
        if output:
            sys.stderr.write("\n--- program output ---\n%s\n" % output)

    def wait_for(self, title):
        return wait_until(lambda: self._single(title), "one window titled %r" % title,
                          last_seen=self.session.describe_windows)

    def open_troubleshooting_window(self):
        self.session.click(self.form1, TROUBLESHOOTING_BUTTON)
        return self.wait_for(TROUBLESHOOTING_TITLE)


class MainWindowTest(WineTestCase):

    def test_exact_title_client_size_frame_and_no_taskbar_entry(self):
        self.assertEqual(self.session.property_bytes(self.form1, "_NET_WM_NAME"),
                         MAIN_TITLE.encode("utf-8"))
        self.assertEqual(self.session.client_size(self.form1), MAIN_CLIENT_SIZE)
        self.assertEqual(self.session.size_hints(self.form1),
                         (MAIN_CLIENT_SIZE, MAIN_CLIENT_SIZE), "fixed size")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR",
                      self.session.atoms(self.form1, "_NET_WM_STATE"))
        self.session.wait_centred(self.form1)
        icons = self.session.icons(self.form1)
        self.assertIn(32, [width for width, _, _ in icons], "the 32 x 32 application icon")


class MessageBoxTest(WineTestCase):

    def test_manual_link_shows_the_box_with_the_application_title(self):
        for _ in range(2):  # and the same box again
            self.session.click(self.form1, MANUAL_LINK_BUTTON)
            box = self.wait_for(APPLICATION_TITLE)
            self.assertEqual(self.session.property_bytes(box, "_NET_WM_NAME"),
                             APPLICATION_TITLE.encode("utf-8"))
            self.session.wait_active(box)
            self.session.key("Return")
            wait_until(lambda: not self.session.windows_titled(self.app, APPLICATION_TITLE),
                       "the box to close", last_seen=self.session.describe_windows)
        self.assertTrue(self.app.running())


class TroubleshootingWindowTest(WineTestCase):

    def test_two_clicks_open_one_window(self):
        form2 = self.open_troubleshooting_window()
        self.assertEqual(self.session.client_size(form2), TROUBLESHOOTING_CLIENT_SIZE)
        self.session.wait_centred(form2)
        self.session.click(self.form1, TROUBLESHOOTING_BUTTON)
        self.session.wait_active(form2)
        self.assertEqual(self.session.windows_titled(self.app, TROUBLESHOOTING_TITLE), [form2])


class LifetimeTest(WineTestCase):

    def test_ends_with_status_0_when_the_last_window_closes(self):
        form2 = self.open_troubleshooting_window()
        self.session.close_through_wm(self.form1)
        wait_until(lambda: not self.session.windows_titled(self.app, MAIN_TITLE),
                   "the main window to close", last_seen=self.session.describe_windows)
        self.assertTrue(self.app.running(), "still running with the troubleshooting window")
        self.session.close_through_wm(form2)
        self.assertEqual(self.app.wait_exit(timeout=30), 0)


def main():
    if len(sys.argv) < 3:
        sys.stderr.write(__doc__)
        sys.exit(2)
    WineTestCase.executable, WineTestCase.prefix = sys.argv[1], sys.argv[2]
    # A machine that cannot run the program says why; the test is then skipped.
    check = subprocess.run([WINE, "--check", WineTestCase.executable],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if check.returncode != 0:
        sys.stdout.write(check.stdout)
        sys.exit(check.returncode)
    unittest.main(module="__main__", argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)


if __name__ == "__main__":
    main()
