"""Builds the Debian package with CPack and checks its control fields,
computed dependencies and contents: deb_test.py <cpack> <build folder> <output folder>."""

import glob
import os
import re
import shutil

from layout import COMMAND_LINK, EXECUTABLE, EXPECTED, VERSION, check, main, run

# Libraries the program links to, which dpkg-shlibdeps must have found, and
# the packages it needs without linking to them.
COMPUTED = ["libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6"]
EXPLICIT = ["fonts-arphic-uming", "qt6-translations-l10n", "qt6-qpa-plugins"]


def depends(field):
    """{package: version constraint or ""} of a Depends field."""
    result = {}
    for clause in field.split(","):
        match = re.fullmatch(r"\s*([a-z0-9][a-z0-9.+-]*)(?::\w+)?\s*(?:\((.*)\))?\s*", clause)
        check(match, "cannot read the Depends clause %r" % clause)
        result[match.group(1)] = (match.group(2) or "").strip()
    return result


def test(cpack, build, output):
    shutil.rmtree(output, ignore_errors=True)
    run([cpack, "--config", os.path.join(build, "CPackConfig.cmake"), "-G", "DEB", "-B", output])
    architecture = run(["dpkg", "--print-architecture"]).strip()
    packages = glob.glob(os.path.join(output, "*.deb"))
    expected_name = "lansu_%s_%s.deb" % (VERSION, architecture)
    check([os.path.basename(p) for p in packages] == [expected_name],
          "packages built: %r, expected [%r]" % (packages, expected_name))
    deb = packages[0]

    info = run(["dpkg-deb", "-I", deb])
    print(info)
    fields = {}
    for name in ["Package", "Version", "Architecture", "Maintainer", "Section", "Depends",
                 "Description"]:
        fields[name] = run(["dpkg-deb", "-f", deb, name]).strip()
    check(fields["Package"] == "lansu", "Package is %r" % fields["Package"])
    check(fields["Version"] == VERSION, "Version is %r" % fields["Version"])
    check(fields["Architecture"] == architecture, "Architecture is %r" % fields["Architecture"])
    check(fields["Maintainer"], "no Maintainer")
    check(fields["Section"], "no Section")
    check(fields["Description"], "no Description")

    needed = depends(fields["Depends"])
    for package in COMPUTED:
        check(package in needed, "Depends lacks %s: %s" % (package, fields["Depends"]))
        # A version bound shows the entry came from the libraries' symbols files.
        check(needed[package].startswith(">="),
              "%s has no computed version bound: %s" % (package, fields["Depends"]))
    for package in EXPLICIT:
        check(package in needed, "Depends lacks %s: %s" % (package, fields["Depends"]))

    # Contents: the staged file list, under /usr, and nothing else.
    files = {}
    for line in run(["dpkg-deb", "-c", deb]).splitlines():
        parts = line.split(None, 5)
        check(len(parts) == 6, "cannot read the contents line %r" % line)
        permissions, name = parts[0], parts[5]
        link = None
        if " -> " in name:
            name, link = name.split(" -> ", 1)
        name = name[2:] if name.startswith("./") else name
        check(name.startswith("usr/") or name in ("", "."), "%r is outside usr/" % name)
        if not permissions.startswith("d"):
            files[name] = (permissions, link)
    check(set(files) == set(EXPECTED),
          "package contents differ;\n  missing: %s\n  unexpected: %s"
          % (sorted(set(EXPECTED) - set(files)), sorted(set(files) - set(EXPECTED))))
    for name, kind in EXPECTED.items():
        permissions, link = files[name]
        if kind == "link":
            check(permissions.startswith("l") and link == EXECUTABLE,
                  "%s is %s -> %r" % (name, permissions, link))
        elif kind == "program":
            check(permissions == "-rwxr-xr-x", "%s has %s" % (name, permissions))
        else:
            check(permissions == "-rw-r--r--", "%s has %s" % (name, permissions))
    check(COMMAND_LINK in files, "no command link")


main(test)
