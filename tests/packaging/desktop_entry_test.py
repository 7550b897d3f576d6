"""The installed desktop entry is valid and leads to the installed program
and icon: desktop_entry_test.py <root>."""

import os
import re

from layout import (APP_ID, DESKTOP_ENTRY, ICONS, PRODUCT_NAME, PROGRAM, WM_CLASS, check,
                    main, read_desktop_entry, run)

CJK = re.compile("[\u4e00-\u9fff]")


def test(root):
    path = os.path.join(root, DESKTOP_ENTRY)
    check(os.path.isfile(path), "no desktop entry at " + DESKTOP_ENTRY)
    report = run(["desktop-file-validate", path]).strip()
    check(report == "", "desktop-file-validate reports:\n" + report)

    keys = read_desktop_entry(path)
    check(keys.get("Type") == "Application", "Type is %r" % keys.get("Type"))
    # English by default, Chinese on Chinese desktops.
    for key in ["Name", "GenericName", "Comment", "Keywords"]:
        default, chinese = keys.get(key, ""), keys.get(key + "[zh_CN]", "")
        check(default.isascii() and default, "%s %r is not English" % (key, default))
        check(CJK.search(chinese), "%s[zh_CN] %r is not Chinese" % (key, chinese))
    check(keys.get("Name[zh_CN]") == PRODUCT_NAME, "Name[zh_CN] is %r" % keys.get("Name[zh_CN]"))
    # Docks match the windows to the entry by their WM_CLASS class.
    check(keys.get("StartupWMClass") == WM_CLASS[1],
          "StartupWMClass %r is not the class %r" % (keys.get("StartupWMClass"), WM_CLASS[1]))
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
    for path in ICONS:
        check(os.path.basename(path).rsplit(".", 1)[0] == icon and
              os.path.isfile(os.path.join(root, path)), "Icon %r is not %s" % (icon, path))


main(test)
