#!/usr/bin/python3
"""Writes a resource script that holds an icon file's images as the
program's icon: image i as icon resource (RT_ICON) FIRST_ID + i, and icon
group (RT_GROUP_ICON) GROUP_ID listing them, both from the file's own bytes.

Usage: icon_resources.py ICON_FILE GROUP_ID FIRST_ID OUTPUT

A resource script's ICON statement numbers the images itself, from 1, and
names the group after the statement; the program's icon is image 30001 in
group 1, so the two resources are written out as raw data instead.
"""

import struct
import sys

RT_ICON = 3
RT_GROUP_ICON = 14


class NotAnIcon(Exception):
    pass


def words(data):
    """Raw data as the resource compiler reads it: 16-bit words, low byte
    first, on one line, padded with a zero byte to an even length (the
    resource is then one byte longer)."""
    if len(data) % 2:
        data += b"\0"
    return ", ".join("0x%02x%02x" % (data[i + 1], data[i]) for i in range(0, len(data), 2))


def raw_resource(name, kind, data):
    return "%d %d\nBEGIN\n    %s\nEND\n" % (name, kind, words(data))


def resource_script(ico, source_name, group_id, first_id):
    if len(ico) < 6:
        raise NotAnIcon("%d bytes, too short for an icon directory" % len(ico))
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    if reserved != 0 or kind != 1:
        raise NotAnIcon("expected an icon directory (0, 1), got (%d, %d)" % (reserved, kind))
    if count == 0 or len(ico) < 6 + 16 * count:
        raise NotAnIcon("expected a directory of 1 or more images, got %d images in %d bytes"
                        % (count, len(ico)))

    images = []
    # GRPICONDIR: reserved, type 1, count; then per image the file's
    # directory entry without its offset, followed by the resource id.
    group = ico[0:6]
    for i in range(count):
        entry = 6 + 16 * i
        size, offset = struct.unpack_from("<II", ico, entry + 8)
        if size == 0 or offset + size > len(ico):
            raise NotAnIcon("image %d: expected its bytes inside the file's %d, got %d at "
                            "offset %d" % (i, len(ico), size, offset))
        images.append(raw_resource(first_id + i, RT_ICON, ico[offset:offset + size]))
        group += ico[entry:entry + 12] + struct.pack("<H", first_id + i)
    return ("// Made at build time from %s.\n" % source_name
            + "".join(image + "\n" for image in images)
            + raw_resource(group_id, RT_GROUP_ICON, group))


def main():
    if len(sys.argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    ico_file, group_id, first_id, output = sys.argv[1:]
    with open(ico_file, "rb") as f:
        ico = f.read()
    try:
        script = resource_script(ico, ico_file, int(group_id), int(first_id))
    except NotAnIcon as error:
        sys.stderr.write("%s: not an icon file: %s\n" % (ico_file, error))
        return 1
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(script)
    return 0


if __name__ == "__main__":
    sys.exit(main())
