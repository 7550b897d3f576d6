#!/usr/bin/python3
"""The Windows executable's resources, read with pefile (Debian package
python3-pefile) and compared with the files they were made from: the
version block with version.rc and the manifest with application.manifest,
both made by the build from the program's identity, and the icon with
application.ico. Also: a 32-bit program that needs only the system's own
DLLs.

Usage: test_resources.py EXECUTABLE IDENTITY_DIR ICON_FILE
"""

import os
import re
import struct
import sys
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24

# DLLs that every Windows has.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll"}

MANIFEST_NAMESPACES = {"asm": "urn:schemas-microsoft-com:asm.v1"}
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"

# Chinese (PRC): MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED).
CHINESE_PRC = 0x0804

EXECUTABLE = None
IDENTITY = None
ICON = None


def resources_of(pe):
    """{type id: {name id: {language id: data bytes}}}"""
    return {type_entry.id: {name_entry.id: {
        language.id: pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
        for language in name_entry.directory.entries}
        for name_entry in type_entry.directory.entries}
        for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}


def version_script():
    """What version.rc declares: fixed numbers, the string table's
    key and strings, and the translation."""
    with open(os.path.join(IDENTITY, "version.rc"), encoding="utf-8") as f:
        text = f.read()
    fixed = {}
    for key in ("FILEVERSION", "PRODUCTVERSION"):
        numbers = re.search(r"^%s\s+([\d,\s]+)$" % key, text, re.M).group(1)
        fixed[key] = tuple(int(n) for n in numbers.split(","))
    for key in ("FILEOS", "FILETYPE"):
        fixed[key] = int(re.search(r"^%s\s+(0x[0-9a-fA-F]+)L?$" % key, text, re.M).group(1), 16)
    block = re.search(r'BLOCK "StringFileInfo"\s*BEGIN\s*BLOCK "([0-9A-Fa-f]{8})"\s*BEGIN(.*?)END',
                      text, re.S)
    strings = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', block.group(2)))
    translation = tuple(int(n, 0) for n in re.search(
        r'VALUE "Translation",\s*(0x[0-9a-fA-F]+),\s*(\d+)', text).groups())
    return fixed, block.group(1), strings, translation


class ExecutableTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXECUTABLE)
        cls.resources = resources_of(cls.pe)

    # test_loads_on_xp.py checks that it is a GUI program.
    def test_is_a_32_bit_program_named_after_the_project(self):
        self.assertEqual(self.pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        _, _, strings, _ = version_script()
        self.assertEqual(os.path.basename(EXECUTABLE), strings["OriginalFilename"])

    def test_needs_only_the_system_dlls(self):
        imported = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported, "no imports at all")
        self.assertLessEqual(imported, SYSTEM_DLLS,
                             "DLLs beyond the system's: %s" % sorted(imported - SYSTEM_DLLS))

    def test_has_icon_manifest_and_version_block_all_filed_under_chinese_prc(self):
        languages = {(kind, name): list(found) for kind, names in self.resources.items()
                     for name, found in names.items()}
        self.assertEqual(languages, {resource: [CHINESE_PRC] for resource in [
            (RT_ICON, 30001), (RT_GROUP_ICON, 1), (RT_MANIFEST, 1), (RT_VERSION, 1)]})

    def test_version_block_is_version_rc(self):
        fixed, key, strings, translation = version_script()
        info = self.pe.VS_FIXEDFILEINFO[0]

        def version(ms, ls):
            return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

        self.assertEqual({"FILEVERSION": version(info.FileVersionMS, info.FileVersionLS),
                          "PRODUCTVERSION": version(info.ProductVersionMS, info.ProductVersionLS),
                          "FILEOS": info.FileOS, "FILETYPE": info.FileType}, fixed)

        tables = {}
        translations = []
        for file_info in self.pe.FileInfo[0]:
            if file_info.Key == b"StringFileInfo":
                for table in file_info.StringTable:
                    tables[table.LangID.decode().upper()] = {
                        k.decode("utf-8"): v.decode("utf-8") for k, v in table.entries.items()}
            elif file_info.Key == b"VarFileInfo":
                for var in file_info.Var:
                    language, codepage = var.entry[b"Translation"].split()
                    translations.append((int(language, 16), int(codepage, 16)))
        self.assertEqual(list(tables), [key.upper()])
        self.assertEqual(tables[key.upper()], strings)
        self.assertEqual(translations, [translation])

    def test_manifest_is_application_manifest_asking_for_common_controls_6(self):
        with open(os.path.join(IDENTITY, "application.manifest"), "rb") as f:
            expected = f.read()
        self.assertEqual(self.resources[RT_MANIFEST][1][CHINESE_PRC], expected)
        # What the manifest is for: controls in the desktop's visual style,
        # run with the user's own rights.
        manifest = ElementTree.fromstring(expected)
        dependencies = [(e.get("name"), e.get("version"), e.get("publicKeyToken")) for e in
                        manifest.iterfind("asm:dependency/asm:dependentAssembly/asm:assemblyIdentity",
                                          MANIFEST_NAMESPACES)]
        self.assertEqual(dependencies,
                         [("Microsoft.Windows.Common-Controls", "6.0.0.0", "6595b64144ccf1df")])
        levels = [e.get("level") for e in manifest.iter("{%s}requestedExecutionLevel" % ASM_V3)]
        self.assertEqual(levels, ["asInvoker"])

    def test_icon_is_image_30001_of_group_1_from_application_ico(self):
        with open(ICON, "rb") as f:
            ico = f.read()
        _, _, count = struct.unpack_from("<HHH", ico, 0)
        self.assertEqual(count, 1)
        width, height, colours, _, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", ico, 6)
        image = ico[offset:offset + size]

        group = self.resources[RT_GROUP_ICON][1][CHINESE_PRC]
        self.assertEqual(struct.unpack_from("<HHH", group, 0), (0, 1, 1))
        self.assertEqual(struct.unpack_from("<BBBBHHIH", group, 6),
                         (width, height, colours, 0, planes, bits, size, 30001))
        self.assertEqual(self.resources[RT_ICON][30001][CHINESE_PRC], image)


def main():
    global EXECUTABLE, IDENTITY, ICON
    if len(sys.argv) < 4:
        sys.stderr.write(__doc__)
        sys.exit(2)
    EXECUTABLE, IDENTITY, ICON = sys.argv[1:4]
    unittest.main(argv=[sys.argv[0]] + sys.argv[4:], verbosity=2)


if __name__ == "__main__":
    main()
