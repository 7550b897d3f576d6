# The shipped 32-bit Windows build (packages g++-mingw-w64-i686 and
# binutils-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LANSU_MINGW_TRIPLET i686-w64-mingw32)
# Windows XP (5.1) is the oldest system the header names, so XP loads the
# program and later systems still treat it as written before Vista.
set(LANSU_WINDOWS_HEADER_VERSION 5 1)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
