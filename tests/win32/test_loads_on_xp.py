#!/usr/bin/python3
"""Whether Windows XP SP3 can load the executable: its header's OS and
subsystem versions, and no imported function that Windows added in Vista or
later. Which functions those are comes from the mingw-w64 headers
themselves: every name the Windows headers declare for _WIN32_WINNT 0x0A00
(Windows 10) but not for 0x0501 (XP), found by preprocessing them both ways
with the cross compiler.

Usage: test_loads_on_xp.py EXECUTABLE C_COMPILER
"""

import re
import subprocess
import sys
import unittest

import pefile

# The headers of every system DLL the program may import from.
HEADERS = ["windows.h", "commctrl.h", "ole2.h", "oleauto.h", "oleacc.h", "shellapi.h",
           "uxtheme.h"]
XP = 0x0501
NEWEST = 0x0A00
XP_VERSION = (5, 1)

EXECUTABLE = None
COMPILER = None


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


class LoadsOnXpTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXECUTABLE)
        xp, newest = declared_names(XP, NEWEST)
        cls.newer_than_xp = newest - xp

    def imports(self):
        """(dll, function) for every function imported by name."""
        return [(entry.dll.decode().lower(), symbol.name.decode())
                for entry in self.pe.DIRECTORY_ENTRY_IMPORT
                for symbol in entry.imports if symbol.name]

    def test_headers_tell_vista_functions_from_xp_ones(self):
        # Known cases either side, so a derivation that went wrong (an empty
        # set, a header missing) fails here rather than passing everything.
        for vista in ("GetTickCount64", "InitializeSRWLock", "TaskDialog"):
            self.assertIn(vista, self.newer_than_xp)
        for xp in ("GetTickCount", "CreateWindowExW", "InitializeCriticalSection",
                   "LresultFromObject"):
            self.assertNotIn(xp, self.newer_than_xp)

    def test_imports_only_functions_windows_xp_has(self):
        imports = self.imports()
        self.assertTrue(imports)
        newer = sorted("%s!%s" % (dll, name) for dll, name in imports
                       if name in self.newer_than_xp)
        self.assertEqual(newer, [], "functions Windows XP does not export")

    def test_header_versions_are_ones_xp_accepts(self):
        header = self.pe.OPTIONAL_HEADER
        os_version = (header.MajorOperatingSystemVersion, header.MinorOperatingSystemVersion)
        subsystem = (header.MajorSubsystemVersion, header.MinorSubsystemVersion)
        for version in (os_version, subsystem):
            self.assertGreaterEqual(version, (4, 0))
            self.assertLessEqual(version, XP_VERSION)
        self.assertEqual(header.Subsystem, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])


def main():
    global EXECUTABLE, COMPILER
    if len(sys.argv) < 3:
        sys.stderr.write(__doc__)
        sys.exit(2)
    EXECUTABLE, COMPILER = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)


if __name__ == "__main__":
    main()
