"""An installed tree holds exactly the expected files, with the right kinds
and permissions, and its theme icons are the committed pictures:
install_tree_test.py <root> <resources folder> [packaged].

With `packaged`, the tree is the Debian package's, unpacked."""

import os
import stat

from layout import (COMMAND_LINK, COMMAND_LINK_TARGET, EXPECTED, ICONS, PACKAGED, PROGRAM,
                    check, main, tree)


def mode(path):
    return stat.S_IMODE(os.lstat(path).st_mode)


def test(root, resources, packaged=None):
    check(os.path.isdir(root), "no installed tree at " + root)
    expected = PACKAGED if packaged else EXPECTED
    entries, empty = tree(root)
    check(entries == set(expected),
          "installed files differ from the expected list;\n  missing: %s\n  unexpected: %s"
          % (sorted(set(expected) - entries), sorted(entries - set(expected))))
    check(not empty, "empty folders installed: %s" % sorted(empty))

    for relative, kind in expected.items():
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

    # Names on PATH are ASCII; the program keeps its own name beside its data.
    for name in os.listdir(os.path.join(root, "usr/bin")):
        check(name.isascii(), "usr/bin/%s is not an ASCII name" % name)
    link = os.path.join(root, COMMAND_LINK)
    check(os.readlink(link) == COMMAND_LINK_TARGET,
          "%s points to %r, not to %r" % (COMMAND_LINK, os.readlink(link), COMMAND_LINK_TARGET))
    check(os.path.realpath(link) == os.path.realpath(program),
          COMMAND_LINK + " does not lead to the program")

    for installed, committed in ICONS.items():
        with open(os.path.join(root, installed), "rb") as f:
            icon = f.read()
        # resources_test checks the committed pictures' sizes.
        with open(os.path.join(resources, "icons", committed), "rb") as f:
            check(f.read() == icon, "%s is not resources/icons/%s" % (installed, committed))


main(test)
