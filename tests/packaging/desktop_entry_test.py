"""The installed desktop entry is valid and leads to the installed program
and icon: desktop_entry_test.py <root>."""

import os
import re

from layout import (APP_ID, DESKTOP_ENTRY, PRODUCT_NAME, PROGRAM, check, main,
                    read_desktop_entry, run)

CJK = re.compile("[\u4e00-\u9fff]")


def test(root):
    path = os.path.join(root, DESKTOP_ENTRY)
    check(os.path.isfile(path), "no desktop entry at " + DESKTOP_ENTRY)
    report = run(["desktop-file-validate", path]).strip()
    check(report == "", "desktop-file-validate reports:\n" + report)

    keys = read_desktop_entry(path)
    check(keys.get("Type") == "Application", "Type is %r" % keys.get("Type"))
    check(keys.get("Name") == PRODUCT_NAME, "Name is %r" % keys.get("Name"))
    check(CJK.search(keys.get("Comment", "")), "Comment %r is not Chinese" % keys.get("Comment"))
    check(keys.get("Terminal") == "false", "Terminal is %r" % keys.get("Terminal"))
    check(keys.get("Categories", "").strip(";"), "no Categories")

    # The menu runs Exec through PATH, where the package puts usr/bin.
    command = keys.get("Exec", "").split()
    check(len(command) == 1, "Exec %r should be the bare command" % keys.get("Exec"))
    check("/" not in command[0], "Exec %r is not found through PATH" % command[0])
    target = os.path.join(root, "usr/bin", command[0])
    check(os.path.realpath(target) == os.path.realpath(os.path.join(root, PROGRAM)),
          "Exec %r does not lead to %s" % (command[0], PROGRAM))
    check(keys.get("TryExec") in (None, command[0]), "TryExec differs from Exec")

    icon = keys.get("Icon", "")
    check(icon == APP_ID, "Icon %r is not the application id" % icon)
    icon_file = os.path.join(root, "usr/share/icons/hicolor/32x32/apps", icon + ".png")
    check(os.path.isfile(icon_file), "Icon %r is not in the hicolor theme" % icon)


main(test)
