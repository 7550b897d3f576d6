#!/usr/bin/python3
"""End to end: both windows as the window manager sees them, the rule by which
the program ends, and the command line being ignored. (What the buttons do
inside the program is tested in process, in tests/app/program_test.cpp.)

Usage: test_windows.py EXECUTABLE [TestClass[.test_name] ...]
"""

from x11session import (MAIN_CLIENT_SIZE, MAIN_INERT_POINT, MAIN_TITLE, TROUBLESHOOTING_BUTTON,
                        TROUBLESHOOTING_INERT_POINT, TROUBLESHOOTING_TITLE, SessionTestCase,
                        assert_main_window, main)

MWM_HINTS_FUNCTIONS, MWM_FUNC_ALL, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE, MWM_FUNC_CLOSE = (
    0x01, 0x01, 0x08, 0x10, 0x20)


class MainWindowTest(SessionTestCase):
    """The main window as the window manager sees it, with and without the
    options Qt would take from a command line: they change nothing."""

    QT_ARGUMENTS = ("-reverse", "-style", "windows", "-platform", "offscreen",
                    "-geometry", "10x10+0+0")

    def run_and_capture(self, *arguments):
        """The frame and client pixels of the main window once checked; then
        closing it, the only window, ends the program with status 0."""
        session, app = self.session, self.launch(*arguments)
        window = session.wait_window(app, MAIN_TITLE)
        assert_main_window(self, session, window)

        # A close box but no minimize or maximize box.
        hints = session.values(window, "_MOTIF_WM_HINTS") or [0, 0]
        self.assertTrue(hints[0] & MWM_HINTS_FUNCTIONS, "functions not restricted: %s" % hints)
        functions = hints[1] if not hints[1] & MWM_FUNC_ALL else ~hints[1]  # ALL: listed = removed
        self.assertEqual(functions & (MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE | MWM_FUNC_CLOSE),
                         MWM_FUNC_CLOSE, "_MOTIF_WM_HINTS %s" % hints)

        frame = session.wait_settled(window)
        session.wait_active(window)
        picture = session.wait_stable_capture(window)
        session.close_through_wm(window)
        self.assertEqual(app.wait_exit(), 0, app.output())
        return frame, picture

    def test_as_the_window_manager_sees_it_whatever_the_qt_options(self):
        plain_frame, plain = self.run_and_capture()
        frame, pixels = self.run_and_capture(*self.QT_ARGUMENTS)
        self.assertEqual(frame, plain_frame, "frame (x, y, w, h) with %s" % (self.QT_ARGUMENTS,))
        width = MAIN_CLIENT_SIZE[0]
        differing = [i // 3 for i in range(0, len(plain), 3) if plain[i:i + 3] != pixels[i:i + 3]]
        self.assertEqual(len(pixels), len(plain))
        self.assertFalse(differing, "%d client pixels differ, the first at (%d, %d)" % (
            len(differing), differing[0] % width, differing[0] // width) if differing else "")


class TroubleshootingWindowTest(SessionTestCase):

    def test_opens_once_and_the_program_ends_with_its_last_window(self):
        session, app = self.session, self.launch()
        form1 = session.wait_window(app, MAIN_TITLE)
        session.wait_settled(form1)

        # A second click brings the open window to the front; no second one.
        session.click(form1, TROUBLESHOOTING_BUTTON)
        form2 = session.wait_window(app, TROUBLESHOOTING_TITLE)
        session.wait_centred(form2)
        session.wait_settled(form2)
        session.wait_input_handled(form1, MAIN_INERT_POINT)
        session.wait_active(form1)
        session.click(form1, TROUBLESHOOTING_BUTTON)
        session.wait_active(form2)
        stacking = session.root_windows("_NET_CLIENT_LIST_STACKING")
        self.assertGreater(stacking.index(form2), stacking.index(form1), "not in front")
        session.wait_input_handled(form2, TROUBLESHOOTING_INERT_POINT)
        self.assertEqual(session.windows_titled(app, TROUBLESHOOTING_TITLE), [form2])

        # Closing the main window first keeps the program until the other
        # closes. (Closing this one first: the Orca walk.)
        session.close_through_wm(form1)
        session.wait_window_gone(app, form1)
        session.wait_input_handled(form2, TROUBLESHOOTING_INERT_POINT)
        self.assert_running(app)
        self.assertEqual(session.windows_of(app), [form2])
        session.close_through_wm(form2)
        self.assertEqual(app.wait_exit(), 0, app.output())


if __name__ == "__main__":
    main()
