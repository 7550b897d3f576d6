#!/usr/bin/python3
"""End to end with the Orca screen reader: the program used from the keyboard
alone while Orca listens, and what Orca says, read from its debug log. Run it
on a session bus of its own (dbus-run-session): the bus starts the
accessibility bus, and Orca speaks to speech-dispatcher's dummy module.

Usage: test_screen_reader.py EXECUTABLE [TestClass[.test_name] ...]
"""

import os
import re
import threading
import time
import tty

from x11session import (APPLICATION_TITLE, MAIN_INERT_POINT, MAIN_TITLE, TROUBLESHOOTING_TITLE,
                        SessionTestCase, main, wait_until)

# An utterance; a key's echo is followed by its voice.
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)?(?: ?\[?\{.*\}\]?)?$")
# Long enough that a busy machine (the sanitizer build, a parallel run) does
# not split one answer of Orca's across two keys.
QUIET_SECONDS = 1.0


def spoken(said):
    """What Orca said, less the echo of the keys pressed (which ends in a
    space)."""
    return [u for u in said if not u.endswith(" ")]


class Orca:
    """Orca on the session's display, with its own preferences and a debug
    log that records each utterance. Orca writes the log through a block
    buffer, which would hold back the last utterances for good; written to
    a terminal it goes out line by line, so Orca is given one and the test
    reads the other end."""

    def __init__(self, session):
        self.session = session
        home = os.path.join(session.directory, "orca-home")
        config = os.path.join(home, "config")
        os.makedirs(os.path.join(config, "speech-dispatcher"))
        # Speech goes to the dummy module, its sound to libao's null device.
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as conf:
            conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n'
                       'AudioOutputMethod "libao"\n')
        with open(os.path.join(home, ".libao"), "w") as libao:
            libao.write("default_driver=null\n")
        self.said, self.lock = [], threading.Lock()
        reader, writer = os.openpty()
        tty.setraw(writer)
        threading.Thread(target=self._read, args=(reader,), daemon=True).start()
        env = dict(session.env, HOME=home, XDG_CONFIG_HOME=config,
                   XDG_DATA_HOME=os.path.join(home, "data"), LANG="C.UTF-8")
        # No braille display here: Orca would fail on each braille update.
        session._spawn(["orca", "--disable", "braille", "--user-prefs", os.path.join(home, "prefs"),
                        "--debug-file", os.ttyname(writer)], env)
        self.mark = 0
        # Orca takes its time to start on a busy machine.
        self.wait_said(r"Screen reader on\.", timeout=150)

    def _read(self, reader):
        pending = b""
        while True:
            try:
                chunk = os.read(reader, 65536)
            except OSError:
                return
            if not chunk:
                return
            *complete, pending = (pending + chunk).split(b"\n")
            found = [SPEECH.search(line.decode("utf-8", "replace")) for line in complete]
            with self.lock:
                self.said.extend(match.group(1) for match in found if match)

    def utterances(self, since=0):
        with self.lock:
            return self.said[since:]

    def wait_said(self, pattern, timeout=15):
        """Waits until Orca has said something matching pattern since the last
        mark, and returns what it said since then."""
        found = re.compile(pattern)
        return wait_until(
            lambda: any(found.search(u) for u in self.utterances(self.mark))
            and self.utterances(self.mark), "Orca to say /%s/" % pattern, timeout,
            last_seen=lambda: self.utterances(self.mark))

    def quiet(self):
        """Waits until Orca has said nothing new for a moment, and returns
        what it said since the last mark; the next action starts a new mark."""
        seen = [None, time.monotonic()]

        def settled():
            count = len(self.utterances())
            if count != seen[0]:
                seen[:] = [count, time.monotonic()]
            return time.monotonic() - seen[1] >= QUIET_SECONDS
        wait_until(settled, "Orca to fall quiet")
        said = self.utterances(self.mark)
        self.mark += len(said)
        return said


class ScreenReaderTest(SessionTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.orca = Orca(cls.session)

    def press(self, key, expect=None):
        """Presses a key and returns what Orca says for it: once it has said
        something matching expect, if given, and fallen quiet."""
        self.session.key(key)
        if expect:
            self.orca.wait_said(expect)
        return self.orca.quiet()

    def tab_to(self, name):
        """Tabs until Orca announces name, and returns what it said then."""
        for _ in range(40):
            said = self.press("Tab", "tab")
            if any(name in u for u in said):
                return said
        self.fail("Tab never reached " + name)

    def assert_once(self, said, phrase):
        self.assertEqual(sum(u.count(phrase) for u in said), 1,
                         "%r said once in %r" % (phrase, said))

    def test_keyboard_walk(self):
        app = self.launch()
        form1 = self.session.wait_window(app, MAIN_TITLE)
        self.session.wait_active(form1)
        # The first focus: the window, then the banner.
        self.orca.wait_said("横幅")
        said = self.orca.quiet()
        self.assertTrue(any(MAIN_TITLE.strip() in u for u in said), said)

        # Each pane: its name, role and text once, nothing read as selected
        # on the way in or out; then moved through by character, word and
        # line. Up and Down move nothing in one line and say nothing.
        for pane in ("左侧预览窗格", "右侧预览窗格"):
            said = self.tab_to(pane)
            self.assertFalse([u for u in said if "selected" in u], said)
            self.assert_once(said, pane + " text")
            self.assert_once(said, "等待数据读取")
            # Home, End and the arrows say what the caret lands on. By word,
            # Orca says the word it takes the caret to have crossed or reached,
            # by its own reckoning: one Han character, which is a word.
            one_han = "^[等待数据读取]$"
            for key, expect in (("End", "^blank$"), ("Home", "^等$"), ("ctrl+Right", one_han),
                                ("ctrl+Right", one_han), ("ctrl+Left", one_han),
                                ("Home", "^等$"), ("Right", "^待$"), ("Left", "^等$"),
                                ("Down", None), ("Up", None), ("End", "^blank$")):
                said = spoken(self.press(key, expect))
                self.assertEqual(len(said), 1 if expect else 0, (key, said))
                if expect:
                    self.assertRegex(said[0], expect, key)
        said = self.tab_to("默认格式导出")
        self.assertFalse([u for u in said if "selected" in u and "radio" not in u], said)

        # The grayed check box, then each press: the new state once, truly.
        said = self.tab_to("恢复公众号信息")
        self.assertTrue(any("partially checked" in u for u in said), said)
        for state in ("checked", "not checked", "checked"):
            said = self.press("space", "^%s$" % state)
            self.assertEqual(spoken(said), [state])

        # The message box: the alert's title, its prompt once, its button.
        self.tab_to("手动链接")
        said = self.press("Return", "确定")
        self.assertTrue(any(u == "alert " + APPLICATION_TITLE for u in said), said)
        self.assert_once(said, "未检测到一体化平台的驱动程序，请重新安装或者联系穹岳科技一体化驱动平台客服。")
        self.press("Escape", "手动链接")

        # Flat review, from the top of the window down, reads both frames'
        # captions, which are no control's name.
        reviewed = self.press("Insert+KP_Home", ".")
        while not any("说明" in u for u in reviewed) and len(reviewed) < 60:
            reviewed += self.press("KP_Page_Up", ".")
        self.assertTrue(any("连接信息与数据状态" in u for u in reviewed), reviewed)
        self.assertTrue(any("说明" in u for u in reviewed), reviewed)
        self.press("KP_Subtract", "Leaving flat review")

        # The troubleshooting window opens and is announced; closed, the main
        # window has the focus again and the program still answers.
        self.tab_to("故障协助")
        self.press("space", "故障排查")
        form2 = self.session.wait_window(app, TROUBLESHOOTING_TITLE)
        self.session.key("alt+F4")
        self.session.wait_window_gone(app, form2)
        self.orca.wait_said("故障协助")
        self.session.wait_input_handled(form1, MAIN_INERT_POINT)
        self.assert_running(app)


if __name__ == "__main__":
    main()
