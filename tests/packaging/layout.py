"""What an installation of the program holds, relative to the root of the
system it is installed on (prefix /usr), and small helpers the packaging
tests share."""

import os
import re
import subprocess
import sys
import urllib.parse

# The program's identity, which the build states once and hands to the tests.
APP_ID = os.environ["LANSU_APP_ID"]
EXECUTABLE = os.environ["LANSU_PROJECT_NAME"]
COMMAND = os.environ["LANSU_COMMAND_NAME"]
PRODUCT_NAME = os.environ["LANSU_PRODUCT_NAME"]
COMPANY_NAME = os.environ["LANSU_COMPANY_NAME"]
VERSION = os.environ["LANSU_VERSION"]
MAINTAINER = os.environ["LANSU_MAINTAINER"]
# Instance (the command's name, as started) and class.
WM_CLASS = (COMMAND, os.environ["LANSU_WM_CLASS"])

PROGRAM = "usr/lib/lansu/" + EXECUTABLE
COMMAND_LINK = "usr/bin/" + COMMAND
COMMAND_LINK_TARGET = "../lib/lansu/" + EXECUTABLE
DESKTOP_ENTRY = "usr/share/applications/%s.desktop" % APP_ID
METAINFO = "usr/share/metainfo/%s.metainfo.xml" % APP_ID
MANUAL = "usr/share/man/man1/%s.1" % COMMAND
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256, 512]
# Theme icon path -> the committed picture it must be.
ICONS = dict(
    [("usr/share/icons/hicolor/%dx%d/apps/%s.png" % (n, n, APP_ID), "%dx%d.png" % (n, n))
     for n in ICON_SIZES]
    + [("usr/share/icons/hicolor/scalable/apps/%s.svg" % APP_ID, "scalable.svg")])

# Every file and link `cmake --install` puts under the root, and the kind each must be.
EXPECTED = dict({
    PROGRAM: "program",
    COMMAND_LINK: "link",
    DESKTOP_ENTRY: "file",
    METAINFO: "file",
    MANUAL: "file",
}, **{icon: "file" for icon in ICONS})

# The package holds the same, with the manual compressed and Debian's
# copyright and changelog added.
PACKAGED = dict({name: kind for name, kind in EXPECTED.items() if name != MANUAL}, **{
    MANUAL + ".gz": "file",
    "usr/share/doc/lansu/copyright": "file",
    "usr/share/doc/lansu/changelog.gz": "file",
})


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def unreachable_addresses(text):
    """The web addresses in `text` on a domain that can never resolve: the
    reserved top-level domains and example.com, .net and .org (RFC 2606)."""
    found = []
    for address in re.findall(r"https?://[^\s\"'<>]+", text):
        host = (urllib.parse.urlsplit(address).hostname or "").rstrip(".")
        labels = host.split(".")
        reserved = labels[-1] in ("example", "invalid", "test", "localhost")
        example = labels[-2:] in (["example", "com"], ["example", "net"], ["example", "org"])
        if reserved or example:
            found.append(address)
    return found


def run(arguments, **kwargs):
    """Runs a command and returns its output; a failure names the command."""
    result = subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed (status %d):\n%s"
                      % (" ".join(arguments), result.returncode, result.stdout))
    return result.stdout


def main(test):
    """Runs test(*argv) and turns a Failure into a message and status 1."""
    try:
        test(*sys.argv[1:])
    except Failure as failure:
        print("FAIL: %s" % failure)
        sys.exit(1)
    print("ok")
