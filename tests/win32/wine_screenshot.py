#!/usr/bin/python3
"""Photographs the Windows build's main window as Wine shows it, in a private
Xvfb display with openbox, frame included.

Usage: wine_screenshot.py EXECUTABLE WINEPREFIX OUTPUT.png
"""

import os
import sys

from test_wine_program import START_SECONDS, WineSession
from x11session import MAIN_TITLE

if len(sys.argv) != 4:
    sys.exit(__doc__)
session = WineSession(*sys.argv[1:3])
try:
    session.start()
    window = session.wait_window(session.launch(), MAIN_TITLE, timeout=START_SECONDS)
    x, y, width, height = session.wait_settled(window)
    session.wait_stable_capture(window)
    crop = "%dx%d+%d+%d" % (width, height, x, y)
    result = session.run("import", "-window", "root", "-crop", crop, "+repage",
                         os.path.abspath(sys.argv[3]))
    sys.exit(result.returncode and "import failed: %s" % result.stderr)
finally:
    session.stop()
