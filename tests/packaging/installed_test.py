"""Checks of an installed tree (prefix /usr):

  installed_test.py staged CMAKE BUILD ROOT RESOURCES SCRATCH
    installs the build into a fresh ROOT as `cmake --install` would, then
    checks the tree, its desktop entry and its AppStream metainfo;
  installed_test.py packaged ROOT RESOURCES
    checks the unpacked Debian package's tree and that the program starts from
    its menu entry's command and shows its main window on a private display.

The tree holds exactly the expected files with the right kinds and modes, and
its theme icons are the committed pictures at the sizes their folders name."""

import configparser
import glob
import gzip
import os
import re
import shutil
import stat
import struct
import sys
import xml.etree.ElementTree as ElementTree

from layout import (APP_ID, COMMAND_LINK, COMMAND_LINK_TARGET, COMPANY_NAME, DESKTOP_ENTRY,
                    EXPECTED, ICONS, METAINFO, PACKAGED, PRODUCT_NAME, PROGRAM, VERSION, WM_CLASS,
                    check, main, run, unreachable_addresses)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x11session import MAIN_TITLE, X11Session  # noqa: E402

CJK = re.compile("[\u4e00-\u9fff]")
LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def check_tree(root, resources, expected):
    entries, empty = set(), []
    for folder, folders, files in os.walk(root):
        links = [name for name in folders if os.path.islink(os.path.join(folder, name))]
        entries |= {os.path.relpath(os.path.join(folder, name), root) for name in files + links}
        empty += [] if folders or files else [os.path.relpath(folder, root)]
    check(entries == set(expected), "installed files differ;\n  missing: %s\n  unexpected: %s"
          % (sorted(set(expected) - entries), sorted(entries - set(expected))))
    check(not empty, "empty folders installed: %s" % sorted(empty))
    for relative, kind in expected.items():
        path = os.path.join(root, relative)
        check(os.path.islink(path) == (kind == "link"), "%s is not a %s" % (relative, kind))
        mode = stat.S_IMODE(os.lstat(path).st_mode)
        check(kind == "link" or mode == (0o755 if kind == "program" else 0o644),
              "%s has mode %o" % (relative, mode))
    with open(os.path.join(root, PROGRAM), "rb") as binary:
        check(binary.read(4) == b"\x7fELF", PROGRAM + " is not an ELF executable")

    # Names on PATH are ASCII; the program keeps its own name beside its data.
    for name in os.listdir(os.path.join(root, "usr/bin")):
        check(name.isascii(), "usr/bin/%s is not an ASCII name" % name)
    link = os.path.join(root, COMMAND_LINK)
    check(os.readlink(link) == COMMAND_LINK_TARGET, "%s points to %r" % (link, os.readlink(link)))
    check(os.path.realpath(link) == os.path.realpath(os.path.join(root, PROGRAM)),
          COMMAND_LINK + " does not lead to the program")

    for installed, committed in ICONS.items():
        with open(os.path.join(root, installed), "rb") as f, \
                open(os.path.join(resources, "icons", committed), "rb") as c:
            icon = f.read()
            check(c.read() == icon, "%s is not resources/icons/%s" % (installed, committed))
        if installed.endswith(".png"):
            size = int(installed.split("/")[4].split("x")[0])
            width, height, depth, colour = struct.unpack(">IIBB", icon[16:26])
            check((width, height, depth, colour) == (size, size, 8, 6),
                  "%s is %dx%d, not %dx%d 8-bit RGBA" % (installed, width, height, size, size))


def desktop_entry(root):
    """The keys of the [Desktop Entry] group."""
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(os.path.join(root, DESKTOP_ENTRY), encoding="utf-8")
    return dict(parser["Desktop Entry"])


def check_desktop_entry(root):
    report = run(["desktop-file-validate", os.path.join(root, DESKTOP_ENTRY)]).strip()
    check(report == "", "desktop-file-validate reports:\n" + report)
    keys = desktop_entry(root)
    # Docks match the windows to the entry by their WM_CLASS class.
    for key, value in [("Type", "Application"), ("Terminal", "false"), ("Icon", APP_ID),
                       ("Name[zh_CN]", PRODUCT_NAME), ("StartupWMClass", WM_CLASS[1])]:
        check(keys.get(key) == value, "%s is %r, not %r" % (key, keys.get(key), value))
    # English by default, Chinese on Chinese desktops.
    for key in ["Name", "GenericName", "Comment", "Keywords"]:
        default, chinese = keys.get(key, ""), keys.get(key + "[zh_CN]", "")
        check(default.isascii() and default, "%s %r is not English" % (key, default))
        check(CJK.search(chinese), "%s[zh_CN] %r is not Chinese" % (key, chinese))
    check(keys.get("Categories", "").strip(";"), "no Categories")
    # The menu runs Exec through PATH, where the package puts usr/bin.
    check(re.fullmatch(r"[^/\s]+", keys.get("Exec", "")), "Exec %r is no bare command"
          % keys.get("Exec"))
    check(keys.get("TryExec") in (None, keys["Exec"]), "TryExec differs from Exec")
    check(os.path.realpath(os.path.join(root, "usr/bin", keys["Exec"]))
          == os.path.realpath(os.path.join(root, PROGRAM)), "Exec does not lead to " + PROGRAM)


def text(component, tag, lang=None):
    """The text of the first `tag` child in `lang` (None: the untranslated one)."""
    for element in component.findall(tag):
        if element.get(LANG) == lang:
            return "".join(element.itertext()).strip()
    return None


def check_metainfo(root, scratch):
    path = os.path.join(root, METAINFO)
    run(["appstreamcli", "validate", "--pedantic", "--no-net", path])
    # No web address that can never resolve, in the metainfo or the menu entry.
    for name in [METAINFO, DESKTOP_ENTRY]:
        with open(os.path.join(root, name), encoding="utf-8") as written:
            dead = unreachable_addresses(written.read())
        check(not dead, "%s names addresses that can never resolve: %s" % (name, dead))
    # The tree check also matches the metainfo against the desktop entry and icon.
    run(["appstreamcli", "validate-tree", "--no-net", root])
    component = ElementTree.parse(path).getroot()
    check((component.tag, component.get("type")) == ("component", "desktop-application"),
          "root element <%s type=%r>" % (component.tag, component.get("type")))
    for tag, lang, expected in [("id", None, APP_ID), ("name", None, "Lansu"),
                                ("name", "zh_CN", PRODUCT_NAME),
                                ("developer_name", None, COMPANY_NAME),
                                ("launchable", None, os.path.basename(DESKTOP_ENTRY)),
                                ("icon", None, APP_ID)]:
        found = text(component, tag, lang)
        check(found == expected, "%s is %r" % (tag, found))
    for tag in ["summary", "description/p"]:
        check((text(component, tag) or "").isascii() and text(component, tag),
              "%s %r is not English" % (tag, text(component, tag)))
        check(CJK.search(text(component, tag, "zh_CN") or ""), "%s has no Chinese" % tag)
    kinds = [(e.tag, e.get("type")) for e in component.findall("launchable")
             + component.findall("icon")]
    check(kinds == [("launchable", "desktop-id"), ("icon", "stock")], "%r" % kinds)
    check(component.find("content_rating") is not None, "no content_rating")
    versions = [release.get("version") for release in component.findall("releases/release")]
    check(versions == [VERSION], "releases are %r, not [%r]" % (versions, VERSION))
    check(text(component, "releases/release/description/p"), "the release has no notes")

    # A software centre's catalogue composed from the tree lists the program,
    # with the 64 and 128 px icons it caches from the theme.
    shutil.rmtree(scratch, ignore_errors=True)
    report = run(["appstreamcli", "compose", "--no-net", "--no-color", "--origin=lansu",
                  "--print-report=full", "--result-root=" + scratch, root])
    check(not re.search(r"^\s*[EW]:", report, re.MULTILINE),
          "compose reports errors or warnings:\n" + report)
    catalogues = glob.glob(os.path.join(scratch, "**", "lansu.xml.gz"), recursive=True)
    check(len(catalogues) == 1, "compose wrote no catalogue:\n" + report)
    with gzip.open(catalogues[0]) as catalogue:
        components = ElementTree.parse(catalogue).getroot().findall("component")
    check([text(c, "id") for c in components] == [APP_ID], "the catalogue:\n" + report)
    cached = [(i.get("type"), i.get("width")) for i in components[0].findall("icon")]
    check({("cached", "64"), ("cached", "128")} <= set(cached), "cached icons %r" % cached)


def check_starts(root):
    """The menu entry's command starts the installed program, whose main window
    has an ASCII WM_CLASS (window managers read it as Latin-1)."""
    command = desktop_entry(root)["Exec"]
    session = X11Session(os.path.join(root, "usr/bin", command))
    try:
        session.start()
        env = {k: v for k, v in session.app_env.items() if not k.startswith("QT_")}
        env.update(QT_QPA_PLATFORM="xcb", PATH=os.path.join(root, "usr/bin") + ":" + env["PATH"])
        app = session.launch(env=env, command=[command])
        window = session.wait_window(app, MAIN_TITLE, timeout=20)
        executable = os.path.realpath("/proc/%d/exe" % app.pid)
        check(executable == os.path.realpath(os.path.join(root, PROGRAM)), "runs " + executable)
        wm_class = session.run("xprop", "-id", str(window), "WM_CLASS").stdout.decode().strip()
        check(wm_class == 'WM_CLASS(STRING) = "%s", "%s"' % WM_CLASS, wm_class)
    finally:
        session.stop()


def test(kind, *arguments):
    if kind == "staged":
        cmake, build, root, resources, scratch = arguments
        shutil.rmtree(root, ignore_errors=True)
        run([cmake, "--install", build, "--prefix", os.path.join(root, "usr")])
        check_tree(root, resources, EXPECTED)
        check_desktop_entry(root)
        check_metainfo(root, scratch)
    else:
        root, resources = map(os.path.abspath, arguments)
        check_tree(root, resources, PACKAGED)
        check_starts(root)


main(test)
