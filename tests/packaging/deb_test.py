"""Builds the Debian package from a copy of the source tree, as a Debian
builder would (dpkg-buildpackage -us -uc -b), has lintian check it, reads its
control fields and computed dependencies, and unpacks it for the other
checks: deb_test.py <source folder> <output folder>.

The unpacked package is <output folder>/root."""

import glob
import os
import re
import shutil

from layout import MAINTAINER, VERSION, check, main, run, unreachable_addresses

# Libraries the program links to, which dpkg-shlibdeps must have found, and
# the packages it needs without linking to them.
COMPUTED = ["libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6"]
EXPLICIT = ["fonts-arphic-uming"]
# Qt's Chinese texts, and its Wayland plugin for desktops without Xwayland.
RECOMMENDED = ["qt6-translations-l10n", "qt6-wayland"]
# Folders of the source tree that are not sources.
NOT_SOURCES = shutil.ignore_patterns(".git", "build", "obj-*", ".cache", "__pycache__")


def relations(field):
    """{package: version constraint or ""} of a Depends-like field."""
    result = {}
    for clause in field.split(","):
        match = re.fullmatch(r"\s*([a-z0-9][a-z0-9.+-]*)(?::\w+)?\s*(?:\((.*)\))?\s*", clause)
        check(match, "cannot read the relation %r" % clause)
        result[match.group(1)] = (match.group(2) or "").strip()
    return result


def build(source, output):
    shutil.rmtree(output, ignore_errors=True)
    tree = os.path.join(output, "lansu-" + VERSION)
    shutil.copytree(source, tree, symlinks=True, ignore=NOT_SOURCES)
    # The packager's first step: the identity into debian/control and changelog.
    run(["sh", "debian/identity.sh"], cwd=tree)
    # Debian's own build flags only: none of the developer's.
    environment = {key: value for key, value in os.environ.items()
                   if key not in ("CFLAGS", "CXXFLAGS", "CPPFLAGS", "LDFLAGS", "DEB_BUILD_OPTIONS",
                                  "DEB_BUILD_MAINT_OPTIONS", "MAKEFLAGS")}
    log = run(["dpkg-buildpackage", "-us", "-uc", "-b", "-jauto"], cwd=tree, env=environment)
    # Every compiler call had the hardening flags.
    for flag in ["-fstack-protector-strong", "-D_FORTIFY_SOURCE=2", "-Wl,-z,now"]:
        check(flag in log, "the build never used %s" % flag)
    # Debian's own -Werror=format-security is fine; a bare -Werror is not.
    check(not re.search(r"-Werror(\s|$)", log, re.MULTILINE),
          "the package build turns warnings into errors")


def test(source, output):
    build(source, output)
    architecture = run(["dpkg", "--print-architecture"]).strip()
    deb = os.path.join(output, "lansu_%s_%s.deb" % (VERSION, architecture))
    changes = os.path.join(output, "lansu_%s_%s.changes" % (VERSION, architecture))
    check(os.path.isfile(deb) and os.path.isfile(changes),
          "no %s or .changes among %s" % (deb, sorted(os.listdir(output))))

    # lintian on the .changes checks every package built and the .buildinfo.
    report = run(["lintian", "--fail-on", "error,warning", changes]).strip()
    print(report or "lintian: nothing to report")
    check(not re.search(r"^[EW]: ", report, re.MULTILINE), "lintian reports:\n" + report)

    print(run(["dpkg-deb", "-I", deb]))
    fields = {name: run(["dpkg-deb", "-f", deb, name]).strip()
              for name in ["Package", "Version", "Architecture", "Depends", "Recommends",
                           "Maintainer"]}
    # The publisher's address, set in the identity file, is the one the
    # package and its changelog carry.
    check(fields["Maintainer"] == MAINTAINER, "Maintainer is %r, the identity file says %r"
          % (fields["Maintainer"], MAINTAINER))
    debian = os.path.join(output, "lansu-" + VERSION, "debian")
    changelog = run(["dpkg-parsechangelog", "-l", os.path.join(debian, "changelog"),
                     "-S", "Maintainer"]).strip()
    check(changelog == MAINTAINER, "debian/changelog is signed by %r" % changelog)
    for name in ["control", "copyright"]:
        with open(os.path.join(debian, name), encoding="utf-8") as written:
            dead = unreachable_addresses(written.read())
        check(not dead, "debian/%s names addresses that can never resolve: %s" % (name, dead))
    check(fields["Package"] == "lansu", "Package is %r" % fields["Package"])
    check(fields["Version"] == VERSION, "Version is %r" % fields["Version"])
    check(fields["Architecture"] == architecture, "Architecture is %r" % fields["Architecture"])
    needed = relations(fields["Depends"])
    for package in COMPUTED:
        # A version bound shows the entry came from the libraries' symbols files.
        check(needed.get(package, "").startswith(">="),
              "Depends lacks %s with a computed version bound: %s" % (package, fields["Depends"]))
    for package in EXPLICIT:
        check(package in needed, "Depends lacks %s: %s" % (package, fields["Depends"]))
    recommended = relations(fields["Recommends"])
    for package in RECOMMENDED:
        check(package in recommended and package not in needed,
              "%s is not a Recommends only: %s / %s"
              % (package, fields["Depends"], fields["Recommends"]))

    run(["dpkg-deb", "-x", deb, os.path.join(output, "root")])


main(test)
