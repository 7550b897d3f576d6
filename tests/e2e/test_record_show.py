#!/usr/bin/python3
"""End to end: `lansu_record show` opens the window a text form describes, as
the window manager sees it, and ends when it is closed.

Usage: test_record_show.py LANSU_RECORD [TestClass[.test_name] ...], with the
troubleshooting window's record in the environment as LANSU_FORM2_RECORD.
"""

import os
import subprocess
import tempfile

from x11session import TROUBLESHOOTING_CLIENT_SIZE, SessionTestCase, main

PREVIEW_TITLE = "预览 Form2"


class ShowTest(SessionTestCase):

    def test_shows_a_text_form_until_closed(self):
        folder = tempfile.mkdtemp(prefix="lansu-show-", dir=self.session.directory)
        text = os.path.join(folder, "Form2.txt")
        subprocess.run([self.session.executable, "dump", os.environ["LANSU_FORM2_RECORD"], text],
                       check=True)
        # The window's own caption, changed: the window shown is the text's.
        with open(text, encoding="utf-8") as f:
            lines = f.read().split("\n")
        caption = next(i for i, line in enumerate(lines) if line.startswith("  caption = "))
        lines[caption] = '  caption = "%s"' % PREVIEW_TITLE
        with open(text, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))

        app = self.launch("show", text)
        window = self.session.wait_window(app, PREVIEW_TITLE)
        self.assertEqual(self.session.client_size(window), TROUBLESHOOTING_CLIENT_SIZE)
        self.session.close_through_wm(window)
        self.assertEqual(app.wait_exit(), 0, app.output())


if __name__ == "__main__":
    main()
