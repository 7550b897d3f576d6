# The 64-bit Windows build of the same sources (packages
# g++-mingw-w64-x86-64-win32 and binutils-mingw-w64-x86-64). It is not
# shipped: its tests run under wine64 on machines that cannot run 32-bit
# programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LANSU_MINGW_TRIPLET x86_64-w64-mingw32)
# 64-bit Windows begins with XP x64 (5.2).
set(LANSU_WINDOWS_HEADER_VERSION 5 2)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
