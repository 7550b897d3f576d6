#!/usr/bin/python3
"""End to end for the Windows build: the executable under Wine, on the X
session of the Linux build's end-to-end tests (tests/e2e/x11session.py).
Wine starts slowly: one program start goes through everything.

Usage: test_wine_program.py EXECUTABLE WINEPREFIX
"""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from x11session import (APPLICATION_TITLE, MAIN_TITLE, MANUAL_LINK_BUTTON,  # noqa: E402
                        TROUBLESHOOTING_BUTTON, TROUBLESHOOTING_CLIENT_SIZE, TROUBLESHOOTING_TITLE,
                        X11Session, assert_main_window)

WINE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wine.sh")
# Starting Wine on a new display takes longer than starting the Qt build.
START_SECONDS = 60.0


class WineSession(X11Session):
    """The program started under Wine. Its windows are found by title: Wine
    stamps them with its own process id."""

    def __init__(self, executable, prefix):
        super().__init__(executable)
        self.prefix = os.path.abspath(prefix)

    def launch(self):
        return super().launch(command=[WINE, "--fresh-server", self.prefix, self.executable])

    def windows_of(self, app):
        return self.root_windows("_NET_CLIENT_LIST") if app.running() else []


class WineProgramTest(unittest.TestCase):

    def test_windows_box_and_lifetime(self):
        session = WineSession(*sys.argv[1:3])
        self.addCleanup(session.stop)
        session.start()
        app = session.launch()
        form1 = session.wait_window(app, MAIN_TITLE, timeout=START_SECONDS)
        session.wait_settled(form1)
        assert_main_window(self, session, form1)

        # "手动链接" shows the box with the application's title, and again.
        for _ in range(2):
            session.click(form1, MANUAL_LINK_BUTTON)
            box = session.wait_window(app, APPLICATION_TITLE)
            session.wait_active(box)
            session.key("Return")
            session.wait_window_gone(app, box)

        # Two clicks on "故障协助" open one window, centred.
        session.click(form1, TROUBLESHOOTING_BUTTON)
        form2 = session.wait_window(app, TROUBLESHOOTING_TITLE)
        self.assertEqual(session.client_size(form2), TROUBLESHOOTING_CLIENT_SIZE)
        session.wait_centred(form2)
        session.click(form1, TROUBLESHOOTING_BUTTON)
        session.wait_active(form2)
        self.assertEqual(session.windows_titled(app, TROUBLESHOOTING_TITLE), [form2])

        # The program ends with status 0 when its last window closes.
        session.close_through_wm(form1)
        session.wait_window_gone(app, form1)
        self.assertTrue(app.running(), "still running with the troubleshooting window")
        session.close_through_wm(form2)
        self.assertEqual(app.wait_exit(timeout=30), 0, app.output())


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    # A machine that cannot run the program says why; the test is then skipped.
    check = subprocess.run([WINE, "--check", sys.argv[1]], stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True)
    if check.returncode != 0:
        print(check.stdout, end="")
        sys.exit(check.returncode)
    unittest.main(argv=sys.argv[:1], verbosity=2)
