"""The installed AppStream metainfo is valid, alone and together with the
installed desktop entry and icons, describes this release in English and
Chinese, and a software-centre catalogue composed from the tree lists the
program: metainfo_test.py <root> <scratch folder>."""

import gzip
import glob
import os
import re
import shutil
import xml.etree.ElementTree as ElementTree

from layout import (APP_ID, COMPANY_NAME, DESKTOP_ENTRY, METAINFO, PRODUCT_NAME,
                    VERSION, check, main, run)

LANG = "{http://www.w3.org/XML/1998/namespace}lang"
CJK = re.compile("[\u4e00-\u9fff]")


def text(component, tag, lang=None):
    """The text of the first `tag` child in `lang` (None: the untranslated one)."""
    for element in component.findall(tag):
        if element.get(LANG) == lang:
            return "".join(element.itertext()).strip()
    return None


def compose(root, scratch):
    """Composes a catalogue from the tree as a distribution's software centre
    would, and returns its one component."""
    shutil.rmtree(scratch, ignore_errors=True)
    report = run(["appstreamcli", "compose", "--no-net", "--no-color", "--origin=lansu",
                  "--print-report=full", "--result-root=" + scratch, root])
    catalogues = glob.glob(os.path.join(scratch, "**", "lansu.xml.gz"), recursive=True)
    check(len(catalogues) == 1, "compose wrote no catalogue:\n" + report)
    with gzip.open(catalogues[0]) as catalogue:
        components = ElementTree.parse(catalogue).getroot().findall("component")
    check([text(c, "id") for c in components] == [APP_ID],
          "the catalogue lists %r, not [%r]:\n%s"
          % ([text(c, "id") for c in components], APP_ID, report))
    check(not re.search(r"^\s*E:", report, re.MULTILINE), "compose reports errors:\n" + report)
    return components[0]


def test(root, scratch):
    path = os.path.join(root, METAINFO)
    check(os.path.isfile(path), "no metainfo at " + METAINFO)
    run(["appstreamcli", "validate", "--no-net", path])
    # The tree check also matches the metainfo against the desktop entry and icon.
    run(["appstreamcli", "validate-tree", "--no-net", root])

    component = ElementTree.parse(path).getroot()
    check(component.tag == "component", "root element is <%s>" % component.tag)
    check(component.get("type") == "desktop-application",
          "component type is %r" % component.get("type"))
    check(text(component, "id") == APP_ID, "id is %r" % text(component, "id"))
    check(text(component, "name") == "Lansu", "name is %r" % text(component, "name"))
    check(text(component, "name", "zh_CN") == PRODUCT_NAME,
          "Chinese name is %r" % text(component, "name", "zh_CN"))
    for tag in ["summary", "description/p", "screenshots/screenshot/caption"]:
        check((text(component, tag) or "").isascii() and text(component, tag),
              "%s %r is not English" % (tag, text(component, tag)))
        check(CJK.search(text(component, tag, "zh_CN") or ""),
              "%s has no Chinese translation" % tag)
    check(text(component, "developer_name") == COMPANY_NAME,
          "developer_name is %r" % text(component, "developer_name"))
    images = [(i.text or "").rsplit("/", 1)[-1]
              for i in component.findall("screenshots/screenshot/image")]
    check(images == ["main_window.png", "troubleshooting_window.png"],
          "screenshots are %r, not the README's" % images)
    check(component.find("content_rating") is not None, "no content_rating")

    versions = [release.get("version") for release in component.findall("releases/release")]
    check(versions == [VERSION], "releases are %r, not [%r]" % (versions, VERSION))
    check(text(component, "releases/release/description/p"), "the release has no notes")

    launchables = [(l.get("type"), (l.text or "").strip())
                   for l in component.findall("launchable")]
    desktop_id = os.path.basename(DESKTOP_ENTRY)
    check(launchables == [("desktop-id", desktop_id)], "launchables are %r" % launchables)

    icons = [(i.get("type"), (i.text or "").strip()) for i in component.findall("icon")]
    check(icons == [("stock", APP_ID)], "icons are %r" % icons)

    # The catalogue keeps the component only with an icon of 64x64 or more,
    # which it caches from the theme.
    cached = [(i.get("type"), i.get("width")) for i in compose(root, scratch).findall("icon")]
    check(("cached", "64") in cached and ("cached", "128") in cached,
          "the catalogue caches icons %r, not 64 and 128 px ones" % cached)


main(test)
