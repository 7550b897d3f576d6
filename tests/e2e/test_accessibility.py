#!/usr/bin/python3
"""End to end: both windows as a screen reader reads them over AT-SPI, and
the program used from the keyboard alone. Run it on a session
bus of its own (dbus-run-session): the bus starts the accessibility bus.

Usage: test_accessibility.py EXECUTABLE [TestClass[.test_name] ...]
"""

import json
import os
import subprocess

from x11session import (APPLICATION_TITLE, MAIN_TITLE, TROUBLESHOOTING_TITLE, SessionTestCase,
                        main, wait_until)

FOCUSABLE = ("PictureBox", "TextBox", "CommandButton", "CheckBox", "OptionButton",
             "HScrollBar", "VScrollBar")
ROLE_OF_KIND = {"PictureBox": "image", "Label": "label", "TextBox": "text", "Frame": "panel",
                "CommandButton": "push button", "CheckBox": "check box",
                "OptionButton": "radio button", "HScrollBar": "scroll bar",
                "VScrollBar": "scroll bar"}


def spoken_name(control):
    """A control's caption on one line, or, for the kinds without a caption,
    the name given for screen readers."""
    if control["kind"] in ("TextBox", "PictureBox", "HScrollBar", "VScrollBar") \
            or control["caption"] is None:
        return control["accessible_name"]
    return " ".join(control["caption"].splitlines()).strip()


class AccessibleTestCase(SessionTestCase):
    """One display and program per class: an AT-SPI client keeps its bus
    connection for the life of the process."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        # What the program loads for each window (window_facts.cpp).
        facts = os.path.join(os.path.dirname(cls.executable), "tests", "e2e", "window_facts")
        cls.facts = json.loads(subprocess.run([facts], check=True, capture_output=True).stdout,
                               strict=False)
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
    """What the accessibility bus carries: each described control by role and
    name, where the window manager put it. (Roles, names, states and texts are
    checked in process too, in tests/shell/qt/accessibility_test.cpp.)"""

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
            x, y, width, height = control["rect"]
            part = objects[control["name"]].queryComponent()
            # Qt reports a window-relative size grown by the window's
            # position, so the position and the size are asked apart.
            self.assertEqual((*part.getPosition(self.pyatspi.DESKTOP_COORDS), *part.getSize()),
                             (client["x"] + x, client["y"] + y, width, height), control["name"])
        return objects

    def test_both_windows(self):
        app = self.launch()
        objects = self.assert_window_reads_as_described(app, MAIN_TITLE, self.facts["Form1"])
        self.wait_focus(objects, "Picture1")
        objects["Command13"].queryAction().doAction(0)
        form2 = self.assert_window_reads_as_described(app, TROUBLESHOOTING_TITLE,
                                                      self.facts["Form2"])
        self.wait_focus(form2, "Picture1")


class KeyboardTest(AccessibleTestCase):
    """Keys typed through the X server and the window manager, the focus read
    back over AT-SPI. (Focus order and option groups: in process too.)"""

    def tab_to(self, objects, name):
        while self.focused(objects) != [name]:
            self.session.key("Tab")
            wait_until(lambda: self.focused(objects), "a focus")

    def test_keyboard_alone(self):
        app = self.launch()
        form1_x11 = self.session.wait_window(app, MAIN_TITLE)
        self.session.wait_active(form1_x11)
        objects = self.by_name(self.top_level(app, "frame", MAIN_TITLE), self.facts["Form1"])
        # The described focus order less what Load greys and the option
        # buttons that are not selected, round once and back to the start.
        stops = sorted((c for c in self.facts["Form1"]["controls"] if c["kind"] in FOCUSABLE
                        and c["kind"] not in ("HScrollBar", "VScrollBar")
                        and not (c["kind"] == "OptionButton" and c["value"] != 1)),
                       key=lambda c: c["tab_index"])
        self.wait_focus(objects, stops[0]["name"])
        for control in stops[1:] + stops[:1]:
            self.session.key("Tab")
            self.wait_focus(objects, control["name"])

        # Space ticks a check box, and again clears it.
        self.tab_to(objects, "Check4")
        for ticked in (True, False):
            self.session.key("space")
            wait_until(lambda: ("checked" in self.states(objects["Check4"])) == ticked,
                       "Check4 ticked %s" % ticked)

        # The box opens with Enter and Space on 手动链接, and closes with
        # Enter and Escape.
        self.tab_to(objects, "Command12")
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
        self.assert_running(app)
        self.session.wait_active(form1_x11)
        self.session.key("alt+F4")
        self.assertEqual(app.wait_exit(), 0)


if __name__ == "__main__":
    main()
