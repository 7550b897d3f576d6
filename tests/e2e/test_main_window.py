#!/usr/bin/python3
"""End to end: the main window as the window manager sees it, closing it, and
the command line being ignored.

Usage: test_main_window.py EXECUTABLE [TestClass[.test_name] ...]
"""

import unittest

from x11session import (MAIN_CLIENT_SIZE, MAIN_TITLE, SCREEN_HEIGHT, SCREEN_WIDTH,
                        SessionTestCase, X11Session, main)

MWM_HINTS_FUNCTIONS = 0x01
MWM_FUNC_ALL = 0x01
MWM_FUNC_MINIMIZE = 0x08
MWM_FUNC_MAXIMIZE = 0x10
MWM_FUNC_CLOSE = 0x20
MWM_FUNC_EVERY = 0x3E


class MainWindowPropertiesTest(unittest.TestCase):
    """One program start; each test reads one property of the main window."""

    @classmethod
    def setUpClass(cls):
        cls.session = X11Session(SessionTestCase.executable)
        cls.addClassCleanup(cls.session.stop)
        cls.session.start()
        cls.app = cls.session.launch()
        cls.window = cls.session.wait_any_window(cls.app)

    def test_client_area_is_1008_by_813(self):
        self.assertEqual(self.session.client_size(self.window), MAIN_CLIENT_SIZE)

    def test_window_is_centred_on_the_screen(self):
        x, y, width, height = self.session.wait_centred(self.window)
        # The frame is the client plus a border, and inside the screen.
        self.assertGreater(width, MAIN_CLIENT_SIZE[0])
        self.assertGreater(height, MAIN_CLIENT_SIZE[1])
        self.assertGreaterEqual(x, 0)
        self.assertGreaterEqual(y, 0)
        self.assertLessEqual(x + width, SCREEN_WIDTH)
        self.assertLessEqual(y + height, SCREEN_HEIGHT)

    def test_title_is_exact_to_the_byte(self):
        name = self.session.property_bytes(self.window, "_NET_WM_NAME")
        self.assertIsNotNone(name, "the window has no _NET_WM_NAME")
        self.assertEqual(name, MAIN_TITLE.encode("utf-8"))
        self.assertTrue(name.endswith(b"\xe5\xb1\x80 "), "the trailing space is missing")

    def test_not_in_the_taskbar(self):
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR",
                      self.session.atoms(self.window, "_NET_WM_STATE"))

    def test_size_is_fixed(self):
        minimum, maximum = self.session.size_hints(self.window)
        self.assertEqual(minimum, MAIN_CLIENT_SIZE, "minimum size hint")
        self.assertEqual(maximum, MAIN_CLIENT_SIZE, "maximum size hint")

    def test_close_but_no_minimize_or_maximize(self):
        hints = self.session.cardinals(self.window, "_MOTIF_WM_HINTS")
        self.assertIsNotNone(hints, "the window has no _MOTIF_WM_HINTS")
        self.assertGreaterEqual(len(hints), 2)
        flags, functions = hints[0], hints[1]
        self.assertTrue(flags & MWM_HINTS_FUNCTIONS,
                        "_MOTIF_WM_HINTS does not restrict the functions: %s" % hints)
        if functions & MWM_FUNC_ALL:
            # With the ALL bit the listed functions are the ones removed.
            functions = MWM_FUNC_EVERY & ~functions
        self.assertFalse(functions & MWM_FUNC_MINIMIZE, "minimize is allowed: %s" % hints)
        self.assertFalse(functions & MWM_FUNC_MAXIMIZE, "maximize is allowed: %s" % hints)
        self.assertTrue(functions & MWM_FUNC_CLOSE, "close is not allowed: %s" % hints)

    def test_icon_has_a_32_by_32_image(self):
        images = self.session.icons(self.window)
        sizes = [(width, height) for width, height, _ in images]
        self.assertIn((32, 32), sizes, "_NET_WM_ICON sizes: %s" % sizes)
        pixels = next(p for w, h, p in images if (w, h) == (32, 32))
        alphas = [pixel >> 24 for pixel in pixels]
        self.assertIn(255, alphas, "the icon has no opaque pixel")
        self.assertTrue(any(alpha < 255 for alpha in alphas),
                        "the icon has no transparent edge")
        self.assertGreater(len(set(p & 0xFFFFFF for p, a in zip(pixels, alphas) if a)), 2,
                           "the icon is a flat colour")


class MainWindowCloseTest(SessionTestCase):

    def test_closing_through_the_window_manager_exits_with_status_0(self):
        app = self.launch()
        window = self.main_window(app)
        self.session.close_through_wm(window)
        self.assertEqual(app.wait_exit(), 0, app.output())


class ArgumentsIgnoredTest(SessionTestCase):

    QT_ARGUMENTS = ("-reverse", "-style", "windows", "-platform", "offscreen",
                    "-geometry", "10x10+0+0")

    def run_and_capture(self, *arguments):
        """Starts the program, returns its frame geometry and client pixels,
        and closes it again."""
        app = self.launch(*arguments)
        window = self.main_window(app)
        self.assertEqual(self.session.client_size(window), MAIN_CLIENT_SIZE,
                         "client size with arguments %s" % (arguments,))
        frame = self.session.wait_settled(window)
        self.session.wait_active(window)
        picture = self.session.wait_stable_capture(window)
        self.session.close_through_wm(window)
        self.assertEqual(app.wait_exit(), 0, app.output())
        return frame, picture

    def test_qt_options_change_nothing(self):
        plain_frame, (width, height, plain) = self.run_and_capture()
        frame, (_, _, pixels) = self.run_and_capture(*self.QT_ARGUMENTS)
        self.assertEqual(frame, plain_frame, "frame (x, y, w, h) with arguments %s differs "
                         "from the frame without" % (self.QT_ARGUMENTS,))
        if pixels != plain:
            differing = [i // 3 for i in range(0, len(plain), 3)
                         if plain[i:i + 3] != pixels[i:i + 3]]
            xs = [i % width for i in differing]
            ys = [i // width for i in differing]
            self.fail("%d of %d client pixels differ, within x %d..%d, y %d..%d"
                      % (len(differing), width * height, min(xs), max(xs),
                         min(ys), max(ys)))


if __name__ == "__main__":
    main()
