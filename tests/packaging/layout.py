"""What an installation of the program holds, relative to the root of the
system it is installed on (prefix /usr), and small helpers the packaging
tests share."""

import os
import subprocess
import sys

APP_ID = "example.qiongyue.Lansu"
EXECUTABLE = "穹岳科技岚溯"
COMMAND = "lansu"
PRODUCT_NAME = "岚溯"
COMPANY_NAME = "穹岳（汀川）科技数据研究院数字电子取证侦查局"
VERSION = "1.0.0.0"

PROGRAM = "usr/bin/" + EXECUTABLE
COMMAND_LINK = "usr/bin/" + COMMAND
DESKTOP_ENTRY = "usr/share/applications/%s.desktop" % APP_ID
ICON = "usr/share/icons/hicolor/32x32/apps/%s.png" % APP_ID
METAINFO = "usr/share/metainfo/%s.metainfo.xml" % APP_ID

# Every file and link installed, and the kind each must be.
EXPECTED = {
    PROGRAM: "program",
    COMMAND_LINK: "link",
    DESKTOP_ENTRY: "file",
    ICON: "file",
    METAINFO: "file",
}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(arguments, **kwargs):
    """Runs a command and returns its output; a failure names the command."""
    result = subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed (status %d):\n%s"
                      % (" ".join(arguments), result.returncode, result.stdout))
    return result.stdout


def tree(root):
    """Every file and link under root, as relative paths, and every folder
    that holds nothing."""
    entries = set()
    empty = set()
    for folder, folders, files in os.walk(root):
        for name in files + [f for f in folders if os.path.islink(os.path.join(folder, f))]:
            entries.add(os.path.relpath(os.path.join(folder, name), root))
        if not folders and not files:
            empty.add(os.path.relpath(folder, root))
    return entries, empty


def read_desktop_entry(path):
    """The keys of the [Desktop Entry] group."""
    keys = {}
    group = None
    with open(path, encoding="utf-8") as entry:
        for line in entry:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith("["):
                group = line
                continue
            if group == "[Desktop Entry]" and "=" in line:
                key, value = line.split("=", 1)
                keys[key.strip()] = value.strip()
    return keys


def main(test):
    """Runs test(*argv) and turns a Failure into a message and status 1."""
    try:
        test(*sys.argv[1:])
    except Failure as failure:
        print("FAIL: %s" % failure)
        sys.exit(1)
    print("ok")
