"""A display with a session bus and the accessibility bus, and the program's
accessible tree read through AT-SPI as a screen reader reads it.

Every wait is a bounded poll; a timeout fails with what was last seen."""

import json
import os
import subprocess

from x11session import SessionTestCase, X11Session, wait_until

# The AT-SPI role each kind of control must have.
ROLE_OF_KIND = {
    "PictureBox": "image",
    "Label": "label",
    "TextBox": "text",
    "Frame": "panel",
    "CommandButton": "push button",
    "CheckBox": "check box",
    "OptionButton": "radio button",
    "HScrollBar": "scroll bar",
    "VScrollBar": "scroll bar",
}


def spoken_name(control):
    """What a control must be called: its caption on one line, or, for the
    kinds without a caption, the name given for screen readers."""
    caption = control["caption"]
    if control["kind"] in ("TextBox", "PictureBox", "HScrollBar", "VScrollBar") or caption is None:
        return control["accessible_name"]
    return " ".join(caption.replace("\r\n", "\n").replace("\r", "\n").split("\n")).strip()


def window_facts(executable):
    """What the program loads for each window (tests/e2e/window_facts.cpp)."""
    facts = os.path.join(os.path.dirname(executable), "tests", "e2e", "window_facts")
    return json.loads(subprocess.run([facts], check=True, capture_output=True).stdout)


class AccessibleSession(X11Session):
    """An X11 session whose programs talk to a private accessibility bus with
    assistive technologies switched on, as when a screen reader runs."""

    def start(self):
        super().start()
        result = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                                 "--print-pid=1"], env=self.env, capture_output=True, check=True,
                                timeout=10)
        address, pid = result.stdout.decode().split("\n")[:2]
        self.bus_pid = int(pid)
        for env in (self.env, self.app_env, os.environ):
            env["DBUS_SESSION_BUS_ADDRESS"] = address
        # What a screen reader does when it starts.
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                        "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                        "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                       env=self.env, check=True, capture_output=True, timeout=10)

    def stop(self):
        if getattr(self, "bus_pid", None):
            try:
                os.kill(self.bus_pid, 15)
            except ProcessLookupError:
                pass
            self.bus_pid = None
        super().stop()


class AccessibleTestCase(SessionTestCase):
    """One display, bus and program for the whole class: an AT-SPI client
    keeps its connection for the life of the process."""

    @classmethod
    def setUpClass(cls):
        cls.facts = window_facts(cls.executable)
        cls.shared = AccessibleSession(cls.executable)
        cls.shared.start()
        import pyatspi  # only once the bus is known
        cls.pyatspi = pyatspi

    @classmethod
    def tearDownClass(cls):
        cls.shared.stop()

    def setUp(self):
        self.session = self.shared

    # ---- the tree ----------------------------------------------------------

    def application(self, app):
        def found():
            desktop = self.pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                candidate = desktop.getChildAtIndex(index)
                if candidate is not None and candidate.get_process_id() == app.pid:
                    return candidate
            return None
        return wait_until(found, "the program on the accessibility bus")

    def top_level(self, app, role, name):
        def found():
            application = self.application(app)
            for index in range(application.childCount):
                child = application.getChildAtIndex(index)
                if child is not None and child.getRoleName() == role and child.name == name:
                    return child
            return None
        return wait_until(found, "a top-level %s named %r" % (role, name))

    def descendants(self, accessible):
        for index in range(accessible.childCount):
            child = accessible.getChildAtIndex(index)
            yield child
            yield from self.descendants(child)

    def by_name(self, window, facts):
        """Each described control's accessible object, found by its name and
        role among the window's descendants."""
        objects = list(self.descendants(window))
        found = {}
        for control in facts["controls"]:
            role, name = ROLE_OF_KIND[control["kind"]], spoken_name(control)
            matches = [o for o in objects if o.getRoleName() == role and o.name == name]
            self.assertEqual(len(matches), 1, "%s: expected one %s named %r, found %d"
                             % (control["name"], role, name, len(matches)))
            found[control["name"]] = matches[0]
        return found

    def states(self, accessible):
        return {self.pyatspi.stateToString(s) for s in accessible.getState().getStates()}

    def focused(self, objects):
        return [name for name, o in objects.items() if "focused" in self.states(o)]

    def wait_focus(self, objects, expected):
        wait_until(lambda: self.focused(objects) == [expected],
                   "the focus on %s" % expected, last_seen=lambda: self.focused(objects))
