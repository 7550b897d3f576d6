"""The installed AppStream metainfo is valid, alone and together with the
installed desktop entry and icon, and describes this release:
metainfo_test.py <root>."""

import os
import xml.etree.ElementTree as ElementTree

from layout import (APP_ID, COMPANY_NAME, DESKTOP_ENTRY, ICON, METAINFO, PRODUCT_NAME,
                    VERSION, check, main, run)


def text(component, tag):
    element = component.find(tag)
    return None if element is None else "".join(element.itertext()).strip()


def test(root):
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
    check(text(component, "name") == PRODUCT_NAME, "name is %r" % text(component, "name"))
    check(text(component, "developer_name") == COMPANY_NAME,
          "developer_name is %r" % text(component, "developer_name"))
    check(text(component, "summary"), "no summary")
    check(component.findall("description/p"), "no description paragraphs")
    check(component.find("content_rating") is not None, "no content_rating")

    versions = [release.get("version") for release in component.findall("releases/release")]
    check(versions == [VERSION], "releases are %r, not [%r]" % (versions, VERSION))

    launchables = [(l.get("type"), (l.text or "").strip())
                   for l in component.findall("launchable")]
    desktop_id = os.path.basename(DESKTOP_ENTRY)
    check(launchables == [("desktop-id", desktop_id)], "launchables are %r" % launchables)
    check(os.path.isfile(os.path.join(root, DESKTOP_ENTRY)), "the launchable is not installed")

    icons = [(i.get("type"), (i.text or "").strip()) for i in component.findall("icon")]
    check(icons == [("stock", APP_ID)], "icons are %r" % icons)
    check(os.path.isfile(os.path.join(root, ICON)), "the stock icon is not installed")


main(test)
