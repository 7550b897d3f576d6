#!/usr/bin/python3
"""End to end: where the program shows its windows. With no display, one
that cannot be opened or no Qt plugin for it, it prints one line in the
user's language naming each display tried or the missing plugin's package,
and exits with status 1; on a Wayland desktop with Xwayland it takes X11, natively
Wayland only without an X display or when the user asks for it. Weston's
headless back end is the Wayland desktop, Xvfb its Xwayland.

Usage: test_display.py EXECUTABLE [DisplayTest[.test_name] ...]
"""

import os
import re
import shutil
import subprocess

from x11session import MAIN_TITLE, SessionTestCase, main, stop_group, wait_until

CJK = re.compile("[\u4e00-\u9fff]")
# Qt platform -> the start of its plugins' paths.
PLUGINS = {"xcb": "/platforms/libqxcb", "wayland": "/platforms/libqwayland"}


class DisplayTest(SessionTestCase):
    """One Xvfb and one headless weston for all cases."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        runtime = cls.session.env["XDG_RUNTIME_DIR"]
        weston = cls.session.launch("--backend=headless-backend.so", "--socket=wayland-lansu",
                                    "--idle-time=0", env=cls.session.env, command=["weston"])
        wait_until(lambda: os.path.exists(os.path.join(runtime, "wayland-lansu")),
                   "weston's socket in " + runtime, last_seen=weston.output)

    def environment(self, **changes):
        """The program's environment without any display, then `changes`."""
        return dict({name: value for name, value in self.session.app_env.items() if name not in (
            "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}, **changes)

    def without_wayland_plugin(self):
        """A copy of the program whose Qt finds only the X11 platform plugin, as
        on a machine without qt6-wayland: Qt reads qt.conf beside the program."""
        folder = os.path.join(self.session.directory, "no-wayland-plugin")
        if not os.path.isdir(folder):
            platforms = os.path.join(folder, "plugins", "platforms")
            os.makedirs(platforms)
            installed = subprocess.run(["qtpaths6", "--plugin-dir"], capture_output=True,
                                       text=True, check=True).stdout.strip()
            os.symlink(os.path.join(installed, "platforms", "libqxcb.so"),
                       os.path.join(platforms, "libqxcb.so"))
            with open(os.path.join(folder, "qt.conf"), "w") as conf:
                conf.write("[Paths]\nPlugins=%s\n" % os.path.join(folder, "plugins"))
            shutil.copy(SessionTestCase.executable, folder)
        return os.path.join(folder, os.path.basename(SessionTestCase.executable))

    def test_without_a_display_one_line_naming_the_cause_and_status_1(self):
        """One line, in the user's language, naming every display tried or the
        missing plugin with its package."""
        wayland = "wayland-lansu"  # a compositor that works
        cases = [
            ("nothing set, Chinese", dict(LANG="zh_CN.UTF-8"), True, []),
            ("nothing set, English", dict(LANG="en_GB.UTF-8"), False, []),
            ("LC_ALL wins over LANG", dict(LANG="en_GB.UTF-8", LC_ALL="zh_CN.UTF-8"), True, []),
            ("an X display that is not there", dict(LANG="C.UTF-8", DISPLAY=":999"), False,
             [":999"]),
            ("a Wayland display that is not there",
             dict(LANG="zh_CN.UTF-8", WAYLAND_DISPLAY="wayland-none"), True, ["wayland-none"]),
            ("neither display is there", dict(LANG="C.UTF-8", DISPLAY=":999",
                                              WAYLAND_DISPLAY="wayland-none"), False,
             [":999", "wayland-none"]),
            ("the user's platform with no display", dict(LANG="C.UTF-8", QT_QPA_PLATFORM="xcb"),
             False, ['"xcb"']),
            ("the user's platform does not exist",
             dict(LANG="zh_CN.UTF-8", QT_QPA_PLATFORM="bogus"), True, ["bogus"]),
            ("no Wayland plugin, a working compositor",
             dict(LANG="zh_CN.UTF-8", WAYLAND_DISPLAY=wayland, plugins="xcb only"), True,
             ["qt6-wayland"]),
            ("no Wayland plugin and an X display that is not there",
             dict(LANG="C.UTF-8", DISPLAY=":999", WAYLAND_DISPLAY=wayland, plugins="xcb only"),
             False, [":999", "qt6-wayland"]),
        ]
        for name, changes, chinese, named in cases:
            with self.subTest(name):
                changes = dict(changes)
                executable = SessionTestCase.executable
                if changes.pop("plugins", None):
                    executable = self.without_wayland_plugin()
                result = subprocess.run([executable], env=self.environment(**changes),
                                        stdin=subprocess.DEVNULL, capture_output=True, timeout=20)
                lines = result.stderr.decode("utf-8", "replace").splitlines()
                self.assertEqual(result.returncode, 1, lines)
                self.assertEqual(len(lines), 1, lines)
                self.assertEqual(bool(CJK.search(lines[0])), chinese, lines[0])
                self.assertTrue(lines[0].startswith("lansu"), lines[0])
                for shown in named:
                    self.assertIn(shown, lines[0])

    def test_x11_when_an_x_display_is_named_unless_the_user_chose(self):
        wayland = dict(WAYLAND_DISPLAY="wayland-lansu", XDG_SESSION_TYPE="wayland")
        x11 = dict(DISPLAY=self.session.display)
        # The window's platform, and every platform plugin the program loaded.
        cases = [
            ("Wayland desktop with Xwayland", dict(wayland, **x11), "xcb", {"xcb"}),
            ("Wayland desktop without Xwayland", wayland, "wayland", {"wayland"}),
            ("Wayland desktop whose Xwayland is gone", dict(wayland, DISPLAY=":999"), "wayland",
             {"xcb", "wayland"}),
            ("the user asks for Wayland", dict(wayland, QT_QPA_PLATFORM="wayland", **x11),
             "wayland", {"wayland"}),
        ]
        for name, changes, platform, plugins in cases:
            with self.subTest(name):
                # On Wayland, the protocol log shows the window being made.
                app = self.launch(env=self.environment(WAYLAND_DEBUG="client", **changes))
                try:
                    if platform == "xcb":
                        self.session.wait_window(app, MAIN_TITLE)
                    else:
                        wait_until(lambda: "xdg_toplevel@" in app.output()
                                   and 'set_app_id("%s")' % os.environ["LANSU_APP_ID"] in app.output()
                                   or not app.running(),
                                   "a Wayland window", last_seen=lambda: app.output()[-2000:])
                    self.assertTrue(app.running(), app.output()[-2000:])
                    with open("/proc/%d/maps" % app.pid) as maps:
                        mapped = maps.read()
                    loaded = {p for p, library in PLUGINS.items() if library in mapped}
                    self.assertEqual(loaded, plugins)
                    # A platform Qt gave up on says nothing once the program runs.
                    noise = [line for line in app.output().splitlines()
                             if "qt.qpa.xcb" in line or "Qt platform plugin" in line]
                    self.assertEqual(noise, [])
                finally:
                    stop_group(app.process)


if __name__ == "__main__":
    main()
