"""The staged installation holds exactly the expected files, with the right
kinds and permissions, and its icon is the one the build converted:
install_tree_test.py <root> <built theme icon>."""

import os
import stat
import struct

from layout import (COMMAND_LINK, EXECUTABLE, EXPECTED, ICON, PROGRAM, check, main, tree)


def mode(path):
    return stat.S_IMODE(os.lstat(path).st_mode)


def test(root, built_icon):
    check(os.path.isdir(root), "no staged installation at " + root)
    entries, empty = tree(root)
    expected = set(EXPECTED)
    check(entries == expected,
          "installed files differ from the expected list;\n  missing: %s\n  unexpected: %s"
          % (sorted(expected - entries), sorted(entries - expected)))
    check(not empty, "empty folders installed: %s" % sorted(empty))

    for relative, kind in EXPECTED.items():
        path = os.path.join(root, relative)
        if kind == "link":
            check(os.path.islink(path), relative + " is not a symbolic link")
            continue
        check(os.path.isfile(path) and not os.path.islink(path), relative + " is not a file")
        wanted = 0o755 if kind == "program" else 0o644
        check(mode(path) == wanted,
              "%s has mode %o, not %o" % (relative, mode(path), wanted))

    program = os.path.join(root, PROGRAM)
    with open(program, "rb") as binary:
        check(binary.read(4) == b"\x7fELF", PROGRAM + " is not an ELF executable")

    link = os.path.join(root, COMMAND_LINK)
    check(os.readlink(link) == EXECUTABLE,
          "%s points to %r, not to %r beside it" % (COMMAND_LINK, os.readlink(link), EXECUTABLE))
    check(os.path.realpath(link) == os.path.realpath(program),
          COMMAND_LINK + " does not lead to the program")

    with open(os.path.join(root, ICON), "rb") as installed:
        icon = installed.read()
    check(icon[:8] == b"\x89PNG\r\n\x1a\n", ICON + " is not a PNG")
    width, height, depth, colour = struct.unpack(">IIBB", icon[16:26])
    check((width, height) == (32, 32), "%s is %dx%d, not 32x32" % (ICON, width, height))
    check(colour == 6 and depth == 8, ICON + " is not 8-bit RGBA")
    with open(built_icon, "rb") as built:
        check(built.read() == icon, ICON + " is not the icon the build converted")


main(test)
