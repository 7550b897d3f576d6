#!/usr/bin/python3
"""Photographs the Windows build's main window as Wine shows it, in a private
Xvfb display with openbox, frame included.

Usage: wine_screenshot.py EXECUTABLE WINEPREFIX OUTPUT.png
"""

import os
import sys

from test_wine_program import START_SECONDS, WineSession
from x11session import MAIN_TITLE, wait_until


def main():
    if len(sys.argv) != 4:
        sys.stderr.write(__doc__)
        sys.exit(2)
    executable, prefix, output = sys.argv[1:]
    session = WineSession(executable, prefix)
    try:
        session.start()
        app = session.launch()
        window = wait_until(lambda: session.windows_titled(app, MAIN_TITLE),
                            "the main window", timeout=START_SECONDS)[0]
        x, y, width, height = session.wait_settled(window)
        session.wait_stable_capture(window)
        result = session.run("import", "-window", "root",
                             "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                             "+repage", os.path.abspath(output))
        if result.returncode != 0:
            raise SystemExit("import failed: " + result.stderr.decode(errors="replace"))
        print("wrote", output)
    finally:
        session.stop()


if __name__ == "__main__":
    main()
