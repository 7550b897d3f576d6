#!/usr/bin/python3
"""End to end: the two buttons that act ("手动链接", "故障协助") and the rule by
which the program ends.

Usage: test_actions.py EXECUTABLE [TestClass[.test_name] ...]
"""

from x11session import (APPLICATION_TITLE, MAIN_INERT_POINT, MANUAL_LINK_BUTTON,
                        TROUBLESHOOTING_BUTTON, TROUBLESHOOTING_CLIENT_SIZE,
                        TROUBLESHOOTING_INERT_POINT, TROUBLESHOOTING_TITLE,
                        SessionTestCase, main, wait_until)


class ActionTestCase(SessionTestCase):

    def start_program(self):
        self.app = self.launch()
        self.form1 = self.main_window(self.app)
        self.session.wait_settled(self.form1)
        return self.form1

    def open_message_box(self):
        """Clicks "手动链接" and returns the box once it is up and has the focus."""
        self.session.click(self.form1, MANUAL_LINK_BUTTON)
        box = self.session.wait_single_window(self.app, APPLICATION_TITLE)
        self.session.wait_active(box)
        return box

    def dismiss_message_box(self, box):
        self.session.wait_active(box)
        self.session.key("Escape")
        self.session.wait_window_gone(self.app, box)

    def sync_with_program(self):
        """Shows and dismisses the message box: when it is up, the program has
        handled all input sent before."""
        self.dismiss_message_box(self.open_message_box())

    def open_troubleshooting_window(self):
        self.session.click(self.form1, TROUBLESHOOTING_BUTTON)
        return self.session.wait_single_window(self.app, TROUBLESHOOTING_TITLE)

    def assert_running(self):
        self.assertTrue(self.app.running(), "the program ended with status %s; output:\n%s"
                        % (self.app.process.returncode, self.app.output()))

    def assert_viewable(self, window, what):
        geometry = self.session.geometry(window)
        self.assertTrue(geometry and geometry["viewable"], "%s is not mapped" % what)
        self.assertIn(window, self.session.windows_of(self.app),
                      "%s is no longer managed" % what)


class MessageBoxTest(ActionTestCase):

    def test_manual_link_box_is_application_modal_and_shown_again(self):
        self.start_program()
        box = self.open_message_box()
        self.assertEqual(self.session.property_bytes(box, "_NET_WM_NAME"),
                         APPLICATION_TITLE.encode("utf-8"))
        self.assertIn("_NET_WM_STATE_MODAL", self.session.atoms(box, "_NET_WM_STATE"))

        # While the box is up, "故障协助" must not react.
        x, y, width, height = self.session.frame_geometry(box)
        form1 = self.session.geometry(self.form1)
        button_x = form1["x"] + TROUBLESHOOTING_BUTTON[0]
        button_y = form1["y"] + TROUBLESHOOTING_BUTTON[1]
        self.assertFalse(x <= button_x < x + width and y <= button_y < y + height,
                         "the message box covers the button; the click would not reach it")
        self.session.click(self.form1, TROUBLESHOOTING_BUTTON)
        self.dismiss_message_box(box)

        # Second click: the same box again. Once it is up the program has
        # handled the earlier click on "故障协助" too.
        box = self.open_message_box()
        self.assertEqual(self.session.property_bytes(box, "_NET_WM_NAME"),
                         APPLICATION_TITLE.encode("utf-8"))
        self.assertEqual(sorted(self.session.windows_of(self.app)),
                         sorted([self.form1, box]),
                         "windows besides the main window and the box: "
                         + self.session.describe_windows(self.app))
        self.dismiss_message_box(box)
        self.assert_running()
        self.assert_viewable(self.form1, "the main window")


class TroubleshootingWindowTest(ActionTestCase):

    def assert_fixed_size(self, window):
        self.assertEqual(self.session.client_size(window), TROUBLESHOOTING_CLIENT_SIZE)
        minimum, maximum = self.session.size_hints(window)
        self.assertEqual(minimum, TROUBLESHOOTING_CLIENT_SIZE, "minimum size hint")
        self.assertEqual(maximum, TROUBLESHOOTING_CLIENT_SIZE, "maximum size hint")

    def test_opens_once_stays_where_moved_and_reopens_centred(self):
        session = self.session
        self.start_program()
        form2 = self.open_troubleshooting_window()
        self.assert_fixed_size(form2)
        session.wait_centred(form2)
        session.wait_settled(form2)

        # Move it clear of the main window's buttons.
        session.move(form2, 10, 300)

        def moved_left():
            frame = session.frame_geometry(form2)
            return frame if frame and frame[0] < 100 and frame[1] > 250 else None

        wait_until(moved_left, "the troubleshooting window to move to the left",
                   last_seen=lambda: session.frame_geometry(form2))
        moved = session.wait_settled(form2)

        # Bring the main window to the front, then click "故障协助" again: the
        # open window comes to the front where it is; no second one appears.
        session.click(self.form1, MAIN_INERT_POINT)
        session.wait_active(self.form1)
        session.click(self.form1, TROUBLESHOOTING_BUTTON)
        session.wait_active(form2)
        stacking = session.stacking_order()
        self.assertGreater(stacking.index(form2), stacking.index(self.form1),
                           "the troubleshooting window is not in front of the main window")
        self.sync_with_program()
        self.assertEqual(session.windows_titled(self.app, TROUBLESHOOTING_TITLE), [form2],
                         session.describe_windows(self.app))
        self.assertEqual(session.frame_geometry(form2), moved, "it was moved back")

        # Closing it leaves the main window and the program.
        session.close_through_wm(form2)
        session.wait_window_gone(self.app, form2)
        self.sync_with_program()
        self.assert_running()
        self.assert_viewable(self.form1, "the main window")
        self.assertEqual(session.windows_titled(self.app, TROUBLESHOOTING_TITLE), [])

        # A further click opens it afresh, centred again.
        form2 = self.open_troubleshooting_window()
        self.assert_fixed_size(form2)
        session.wait_centred(form2)


class LifetimeTest(ActionTestCase):

    def test_closing_main_window_first_keeps_the_program_until_the_other_closes(self):
        session = self.session
        self.start_program()
        form2 = self.open_troubleshooting_window()
        session.close_through_wm(self.form1)
        session.wait_window_gone(self.app, self.form1)
        # The program still takes input in the remaining window.
        session.wait_input_handled(form2, TROUBLESHOOTING_INERT_POINT)
        self.assert_running()
        self.assert_viewable(form2, "the troubleshooting window")
        self.assertEqual(session.windows_of(self.app), [form2])

        session.close_through_wm(form2)
        self.assertEqual(self.app.wait_exit(), 0, self.app.output())

    def test_closing_troubleshooting_window_only_keeps_the_main_window(self):
        session = self.session
        self.start_program()
        form2 = self.open_troubleshooting_window()
        session.close_through_wm(form2)
        session.wait_window_gone(self.app, form2)
        self.sync_with_program()
        self.assert_running()
        self.assert_viewable(self.form1, "the main window")
        self.assertEqual(session.windows_of(self.app), [self.form1])

        # The filled slot of the closed window keeps nothing alive.
        session.close_through_wm(self.form1)
        self.assertEqual(self.app.wait_exit(), 0, self.app.output())


if __name__ == "__main__":
    main()
