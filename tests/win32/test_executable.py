#!/usr/bin/python3
"""The shipped Windows executable, read with pefile (Debian package
python3-pefile). Its resources against the files they were made from: the
version block with version.rc and the manifest with application.manifest,
both made by the build from the program's identity, and the icon with
application.ico. And whether Windows XP SP3 loads it: a 32-bit GUI program
that needs only the system's own DLLs, with header versions XP accepts and no
imported function that Windows added in Vista or later. Which functions those
are comes from the mingw-w64 headers themselves: every name they declare for
_WIN32_WINNT 0x0A00 (Windows 10) but not for 0x0501 (XP), found by
preprocessing them both ways with the cross compiler.

Usage: test_executable.py EXECUTABLE IDENTITY_DIR ICON_FILE C_COMPILER
"""

import os
import re
import struct
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24

# DLLs that every Windows has, and the headers that declare what they export.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll"}
HEADERS = ["windows.h", "commctrl.h", "ole2.h", "oleauto.h", "oleacc.h", "shellapi.h",
           "uxtheme.h"]
XP = 0x0501
NEWEST = 0x0A00

MANIFEST_NAMESPACES = {"asm": "urn:schemas-microsoft-com:asm.v1"}
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"

# Chinese (PRC): MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED).
CHINESE_PRC = 0x0804

EXECUTABLE = IDENTITY = ICON = COMPILER = None


def resources_of(pe):
    """{type id: {name id: {language id: data bytes}}}"""
    return {type_entry.id: {name_entry.id: {
        language.id: pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
        for language in name_entry.directory.entries}
        for name_entry in type_entry.directory.entries}
        for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}


def version_script():
    """What version.rc declares: the string table's key and strings, and the
    translation."""
    with open(os.path.join(IDENTITY, "version.rc"), encoding="utf-8") as f:
        text = f.read()
    block = re.search(r'BLOCK "StringFileInfo"\s*BEGIN\s*BLOCK "([0-9A-Fa-f]{8})"\s*BEGIN(.*?)END',
                      text, re.S)
    strings = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', block.group(2)))
    translation = tuple(int(n, 0) for n in re.search(
        r'VALUE "Translation",\s*(0x[0-9a-fA-F]+),\s*(\d+)', text).groups())
    return block.group(1), strings, translation


def declared_names(*versions):
    """For each target version, every identifier in the preprocessed Windows
    headers: the functions declared for that version are among them. The
    versions are preprocessed at the same time."""
    source = "".join("#include <%s>\n" % header for header in HEADERS)
    runs = []
    for winnt in versions:
        version = "0x%04X" % winnt
        runs.append(subprocess.Popen(
            [COMPILER, "-E", "-P", "-x", "c", "-", "-DUNICODE", "-D_UNICODE",
             "-D_WIN32_WINNT=" + version, "-DWINVER=" + version, "-D_WIN32_IE=0x0600"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True))
    names = []
    for run in runs:
        output, _ = run.communicate(source)
        if run.returncode != 0:
            raise RuntimeError("%s could not preprocess the Windows headers" % COMPILER)
        names.append(set(re.findall(r"\b[A-Za-z_]\w*\b", output)))
    return names


class ExecutableTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXECUTABLE)
        cls.resources = resources_of(cls.pe)
        xp, newest = declared_names(XP, NEWEST)
        cls.newer_than_xp = newest - xp

    def test_is_a_32_bit_gui_program_named_after_the_project_with_versions_xp_accepts(self):
        self.assertEqual(self.pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        _, strings, _ = version_script()
        self.assertEqual(os.path.basename(EXECUTABLE), strings["OriginalFilename"])
        header = self.pe.OPTIONAL_HEADER
        self.assertEqual(header.Subsystem, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
        for version in ((header.MajorOperatingSystemVersion, header.MinorOperatingSystemVersion),
                        (header.MajorSubsystemVersion, header.MinorSubsystemVersion)):
            self.assertTrue((4, 0) <= version <= (5, 1), version)

    def test_imports_only_functions_that_the_system_dlls_of_windows_xp_have(self):
        # Known cases either side, so a derivation that went wrong (an empty
        # set, a header missing) fails here rather than passing everything.
        for vista in ("GetTickCount64", "InitializeSRWLock", "TaskDialog"):
            self.assertIn(vista, self.newer_than_xp)
        for xp in ("GetTickCount", "CreateWindowExW", "InitializeCriticalSection",
                   "LresultFromObject"):
            self.assertNotIn(xp, self.newer_than_xp)
        imports = [(entry.dll.decode().lower(), symbol.name.decode())
                   for entry in self.pe.DIRECTORY_ENTRY_IMPORT
                   for symbol in entry.imports if symbol.name]
        self.assertTrue(imports, "no imports at all")
        dlls = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(dlls, SYSTEM_DLLS, "DLLs beyond the system's: %s"
                             % sorted(dlls - SYSTEM_DLLS))
        newer = sorted("%s!%s" % (dll, name) for dll, name in imports
                       if name in self.newer_than_xp)
        self.assertEqual(newer, [], "functions Windows XP does not export")

    def test_has_icon_manifest_and_version_block_all_filed_under_chinese_prc(self):
        languages = {(kind, name): list(found) for kind, names in self.resources.items()
                     for name, found in names.items()}
        self.assertEqual(languages, {resource: [CHINESE_PRC] for resource in [
            (RT_ICON, 30001), (RT_GROUP_ICON, 1), (RT_MANIFEST, 1), (RT_VERSION, 1)]})

    # The strings, Chinese among them, as the resource compiler read the
    # UTF-8 script.
    def test_version_block_is_version_rc(self):
        key, strings, translation = version_script()
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
        self.assertEqual(tables, {key.upper(): strings})
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


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    EXECUTABLE, IDENTITY, ICON, COMPILER = sys.argv[1:5]
    unittest.main(argv=[sys.argv[0]] + sys.argv[5:], verbosity=2)
