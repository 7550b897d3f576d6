#!/bin/sh
# Writes debian/control and debian/changelog from their .in templates and the
# program's identity, so that the maintainer's address, the version and the
# release date are stated once, in cmake/Identity.cmake. Run it before
# anything reads debian/: plain sh and sed, since a fresh system has no cmake
# until the build dependencies are in.
#     sh debian/identity.sh
set -eu
debian=$(dirname "$0")
identity="$debian/../cmake/Identity.cmake"

# The quoted literal of set(NAME "...") in the identity file.
value() {
    found=$(sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$identity")
    if [ -z "$found" ]; then
        echo "$0: $identity sets no $1" >&2
        exit 1
    fi
    printf '%s\n' "$found"
}
# A value made safe as a sed replacement (| delimits it).
replacement() {
    printf '%s\n' "$1" | sed 's/[\\&|]/\\&/g'
}

maintainer=$(value LANSU_MAINTAINER)
version=$(value LANSU_VERSION)
release=$(value LANSU_RELEASE_DATE)
# The changelog's date is the release date at noon UTC, in RFC 5322 form.
date=$(date --utc --rfc-email --date "$release 12:00 UTC")

for name in control changelog; do
    sed -e "s|@LANSU_MAINTAINER@|$(replacement "$maintainer")|g" \
        -e "s|@LANSU_VERSION@|$(replacement "$version")|g" \
        -e "s|@LANSU_CHANGELOG_DATE@|$(replacement "$date")|g" \
        "$debian/$name.in" >"$debian/$name"
done
