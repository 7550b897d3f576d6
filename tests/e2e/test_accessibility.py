#!/usr/bin/python3
"""End to end: both windows and the message box as a screen reader reads them
over AT-SPI, and the program used from the keyboard alone. Run it on a session
bus of its own (dbus-run-session): the bus starts the accessibility bus.

Usage: test_accessibility.py EXECUTABLE [TestClass[.test_name] ...]
"""

import json
import os
import subprocess

from x11session import (APPLICATION_TITLE, MAIN_TITLE, TROUBLESHOOTING_TITLE, SessionTestCase,
                        main, wait_until)

PROMPT = "未检测到一体化平台的驱动程序，请重新安装或者联系穹岳科技一体化驱动平台客服。"
FOCUSABLE = ("PictureBox", "TextBox", "CommandButton", "CheckBox", "OptionButton",
             "HScrollBar", "VScrollBar")
ROLE_OF_KIND = {"PictureBox": "image", "Label": "label", "TextBox": "text", "Frame": "panel",
                "CommandButton": "push button", "CheckBox": "check box",
                "OptionButton": "radio button", "HScrollBar": "scroll bar",
                "VScrollBar": "scroll bar"}


def one_line(caption):
    return caption.replace("\r\n", "\n").replace("\r", "\n")


def spoken_name(control):
    """A control's caption on one line, or, for the kinds without a caption,
    the name given for screen readers."""
    if control["kind"] in ("TextBox", "PictureBox", "HScrollBar", "VScrollBar") \
            or control["caption"] is None:
        return control["accessible_name"]
    return " ".join(one_line(control["caption"]).split("\n")).strip()


class AccessibleTestCase(SessionTestCase):
    """One display and program per class: an AT-SPI client keeps its bus
    connection for the life of the process."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        # What the program loads for each window (window_facts.cpp).
        facts = os.path.join(os.path.dirname(cls.executable), "tests", "e2e", "window_facts")
        cls.facts = json.loads(subprocess.run([facts], check=True, capture_output=True).stdout)
        # What a screen reader does when it starts.
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                        "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                        "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                       check=True, capture_output=True, timeout=10)
        import pyatspi  # only once the bus is known
        cls.pyatspi = pyatspi

    def top_level(self, app, role, name):
        def found():
            desktop = self.pyatspi.Registry.getDesktop(0)
            for application in desktop:
                if application is not None and application.get_process_id() == app.pid:
                    for child in application:
                        if child is not None and (child.getRoleName(), child.name) == (role, name):
                            return child
            return None
        return wait_until(found, "a top-level %s named %r" % (role, name))

    def descendants(self, accessible):
        for child in accessible:
            yield child
            yield from self.descendants(child)

    def by_name(self, window, facts):
        """Each described control's accessible object, found by name and role."""
        objects = [(o.getRoleName(), o.name, o) for o in self.descendants(window)]
        found = {}
        for control in facts["controls"]:
            key = ROLE_OF_KIND[control["kind"]], spoken_name(control)
            matches = [o for role, name, o in objects if (role, name) == key]
            self.assertEqual(len(matches), 1, "%s: one %s named %r" % (control["name"], *key))
            found[control["name"]] = matches[0]
        return found

    def states(self, accessible):
        return {self.pyatspi.stateToString(s) for s in accessible.getState().getStates()}

    def focused(self, objects):
        return [name for name, o in objects.items() if "focused" in self.states(o)]

    def wait_focus(self, objects, expected):
        wait_until(lambda: self.focused(objects) == [expected], "the focus on " + expected,
                   last_seen=lambda: self.focused(objects))


class AccessibleTreeTest(AccessibleTestCase):

    def assert_window_reads_as_described(self, app, title, facts):
        window = self.top_level(app, "frame", title)
        x11 = self.session.wait_window(app, title)
        self.session.wait_settled(x11)
        client = self.session.geometry(x11)
        component = window.queryComponent()
        # Qt learns where the window manager put the window a moment later.
        wait_until(lambda: component.getPosition(self.pyatspi.DESKTOP_COORDS)
                   == (client["x"], client["y"]), "the window's place as X11 has it",
                   last_seen=lambda: component.getPosition(self.pyatspi.DESKTOP_COORDS))
        self.assertEqual(component.getSize(), tuple(facts["client"]))

        objects = self.by_name(window, facts)
        for control in facts["controls"]:
            with self.subTest(control=control["name"]):
                accessible = objects[control["name"]]
                x, y, width, height = control["rect"]
                part = accessible.queryComponent()
                # Qt reports a window-relative size grown by the window's
                # position, so the position and the size are asked apart.
                self.assertEqual(part.getPosition(self.pyatspi.WINDOW_COORDS), (x, y))
                self.assertEqual(part.getPosition(self.pyatspi.DESKTOP_COORDS),
                                 (client["x"] + x, client["y"] + y))
                self.assertEqual(part.getSize(), (width, height))
                states = self.states(accessible)
                self.assertEqual("focusable" in states, control["kind"] in FOCUSABLE)
                if control["kind"] == "Label":
                    text = accessible.queryText()
                    self.assertEqual(text.getText(0, -1), one_line(control["caption"]))
                if control["kind"] == "CheckBox":
                    self.assertEqual("indeterminate" in states, control["value"] == 2)
                    if control["value"] != 2:
                        self.assertEqual("checked" in states, control["value"] == 1)
                if control["kind"] == "OptionButton":
                    self.assertEqual("checked" in states, control["value"] == 1)
                if control["kind"] in ("HScrollBar", "VScrollBar"):
                    self.assertNotIn("enabled", states, "greyed at load")
                # A frame's controls are inside its grouping.
                parent = accessible.parent
                self.assertIn(parent.getRoleName(), ("panel", "frame"))
        return window, objects

    def test_both_windows_and_the_box(self):
        app = self.launch()
        self.session.wait_window(app, MAIN_TITLE)
        form1, objects = self.assert_window_reads_as_described(app, MAIN_TITLE,
                                                               self.facts["Form1"])
        self.assertEqual(objects["Option2"].parent.name, "微信数据内容预览窗口")
        self.wait_focus(objects, "Picture1")

        objects["Command12"].queryAction().doAction(0)
        box = self.top_level(app, "alert", APPLICATION_TITLE)
        self.assertIn(PROMPT, [o.name for o in self.descendants(box)]
                      + [box.description])
        buttons = [o.name for o in self.descendants(box) if o.getRoleName() == "push button"]
        self.assertEqual(len(buttons), 1, buttons)
        self.assertIn(buttons[0], ("确定", "OK"))
        self.session.key("Escape")
        wait_until(lambda: not self.session.windows_titled(app, APPLICATION_TITLE),
                   "the box to close")

        objects["Command13"].queryAction().doAction(0)
        self.session.wait_window(app, TROUBLESHOOTING_TITLE)
        _, form2 = self.assert_window_reads_as_described(app, TROUBLESHOOTING_TITLE,
                                                         self.facts["Form2"])
        self.wait_focus(form2, "Picture1")


class KeyboardTest(AccessibleTestCase):
    """The focus read back over AT-SPI after each key."""

    def tab_stops(self, facts):
        """The described focus order with what Load greys and the option
        buttons that are not selected left out: one stop per option group."""
        stops = [c for c in facts["controls"] if c["kind"] in FOCUSABLE
                 and c["kind"] not in ("HScrollBar", "VScrollBar")
                 and not (c["kind"] == "OptionButton" and c["value"] != 1)]
        return [c["name"] for c in sorted(stops, key=lambda c: c["tab_index"])]

    def test_keyboard_alone(self):
        app = self.launch()
        form1_x11 = self.session.wait_window(app, MAIN_TITLE)
        self.session.wait_active(form1_x11)
        window = self.top_level(app, "frame", MAIN_TITLE)
        objects = self.by_name(window, self.facts["Form1"])
        stops = self.tab_stops(self.facts["Form1"])
        self.assertEqual(stops[0], "Picture1")

        # Round the whole order forwards, wrapping, then backwards.
        for name in stops[1:] + stops[:1]:
            self.session.key("Tab")
            self.wait_focus(objects, name)
        for name in reversed(stops):
            self.session.key("shift+Tab")
            self.wait_focus(objects, name)

        # The option group: one stop, at Option2; arrows move in tab order
        # and select, wrapping round.
        for _ in range(stops.index("Option2")):
            self.session.key("Tab")
        self.wait_focus(objects, "Option2")
        for key, name in (("Down", "Option3"), ("Right", "Option4"), ("Down", "Option1"),
                          ("Up", "Option4")):
            self.session.key(key)
            self.wait_focus(objects, name)
            wait_until(lambda: "checked" in self.states(objects[name]), name + " selected")
            self.assertNotIn("checked", self.states(objects["Option2"]))
        # Tab leaves the group from Option4, whose tab index comes before Command11's.
        self.session.key("Tab")
        self.wait_focus(objects, "Command11")

        # Space ticks a check box, and again clears it.
        while self.focused(objects) != ["Check4"]:
            self.session.key("shift+Tab")
            wait_until(lambda: self.focused(objects), "a focus")
        self.session.key("space")
        wait_until(lambda: "checked" in self.states(objects["Check4"]), "Check4 ticked")
        self.session.key("space")
        wait_until(lambda: "checked" not in self.states(objects["Check4"]), "Check4 cleared")

        # The box opens with Enter and Space on 手动链接, and closes with
        # Enter and Escape.
        while self.focused(objects) != ["Command12"]:
            self.session.key("Tab")
            wait_until(lambda: self.focused(objects), "a focus")
        for opening, closing in (("Return", "Escape"), ("space", "Return")):
            self.session.key(opening)
            box = self.session.wait_window(app, APPLICATION_TITLE)
            self.session.wait_active(box)
            self.session.key(closing)
            self.session.wait_window_gone(app, box)
            self.wait_focus(objects, "Command12")

        # 故障协助 opens the troubleshooting window; Alt+F4 closes each window.
        self.session.key("Tab")
        self.wait_focus(objects, "Command13")
        self.session.key("space")
        form2_x11 = self.session.wait_window(app, TROUBLESHOOTING_TITLE)
        self.session.wait_active(form2_x11)
        self.session.key("alt+F4")
        self.session.wait_window_gone(app, form2_x11)
        self.assertTrue(app.running())
        self.session.wait_active(form1_x11)
        self.session.key("alt+F4")
        self.assertEqual(app.wait_exit(), 0)


if __name__ == "__main__":
    main()
