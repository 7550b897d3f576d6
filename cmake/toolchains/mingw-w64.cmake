# Cross-compiles a native Windows build with Debian's mingw-w64, for the
# processor and triplet the including toolchain file sets
# (LANSU_MINGW_TRIPLET), its header naming LANSU_WINDOWS_HEADER_VERSION.
#
# The win32 thread model: the program runs on one thread and needs no
# <thread> or <mutex>, and the posix model's thread library (winpthreads)
# imports GetTickCount64, which Windows XP does not have. The whole runtime
# (libgcc, libstdc++) is linked statically, so the executable needs only the
# DLLs every Windows has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${LANSU_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${LANSU_MINGW_TRIPLET}-g++-win32)
set(CMAKE_ASM_COMPILER ${LANSU_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_RC_COMPILER ${LANSU_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${LANSU_MINGW_TRIPLET}-gcc-ar-win32 CACHE FILEPATH "")
set(CMAKE_RANLIB ${LANSU_MINGW_TRIPLET}-gcc-ranlib-win32 CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${LANSU_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The Unicode API throughout. The program's own entry point is the wide one
# (-municode, on its target in app/win32); test programs keep main().
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE")
set(CMAKE_C_FLAGS_INIT "-DUNICODE -D_UNICODE")
list(GET LANSU_WINDOWS_HEADER_VERSION 0 lansu_header_major)
list(GET LANSU_WINDOWS_HEADER_VERSION 1 lansu_header_minor)
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--major-os-version,${lansu_header_major},--minor-os-version,${lansu_header_minor},--major-subsystem-version,${lansu_header_major},--minor-subsystem-version,${lansu_header_minor}")

# Test programs run under Wine, through a wrapper that keeps one prefix in
# the build folder (see tests/win32/wine.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../../tests/win32/wine.sh;${CMAKE_BINARY_DIR}/wineprefix")

# -O2 rather than -O3: this GCC (12) reports a false -Wrestrict inside
# std::string's concatenation at -O3, and warnings are errors here.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
# No symbols in the optimised executables.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s" CACHE STRING "")
