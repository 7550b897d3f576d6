#!/usr/bin/env bash
# The everyday commands:
#   tools/dev.sh run          set up, build and start the program (only what
#                             the program needs: tools/setup.sh run, preset program)
#   tools/dev.sh test         set up, build and run every test (what CI runs)
#   tools/dev.sh build-win32  set up and build the Windows executable
set -euo pipefail
cd "$(dirname "$0")/.."

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
run)
    bash tools/setup.sh run
    build program
    exec ./build/program/穹岳科技岚溯
    ;;
test)
    bash tools/setup.sh test
    build default
    ctest --preset default
    # The fuzz targets (clang): regression inputs replayed, then a minute of
    # fuzzing, two targets side by side.
    build fuzz
    ctest --preset fuzz
    build asan
    # LeakSanitizer: leaks inside system libraries are not ours (tests/lsan.supp).
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" ctest --preset asan
    # The Windows build, cross-compiled, its records encoded by the default
    # build's encoder. The shipped 32-bit executable and its checks always;
    # the Windows unit, window and end-to-end tests at 32 bits under 32-bit
    # Wine where the kernel runs 32-bit programs, else in a 64-bit build of
    # the same sources under wine64: one width built for them, not both.
    encoder="$PWD/build/default/tools/encode_records/lansu_encode_records"
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        windows="32 bits, the shipped build, under 32-bit Wine"
        windows_tests=ON
    else
        windows="64 bits under wine64: this kernel runs no 32-bit programs"
        windows_tests=OFF
    fi
    echo "dev.sh: the Windows tests run at $windows"
    cmake --preset win32 -DLANSU_HOST_ENCODER="$encoder" \
        -DLANSU_WINDOWS_TESTS=$windows_tests >/dev/null
    cmake --build --preset win32
    ctest --preset win32
    if [ $windows_tests = OFF ]; then
        cmake --preset win64 -DLANSU_HOST_ENCODER="$encoder" >/dev/null
        cmake --build --preset win64
        ctest --preset win64
    fi
    echo "dev.sh: every test passed; the Windows tests ran at $windows"
    ;;
build-win32)
    bash tools/setup.sh test
    build win32
    echo "built build/win32/穹岳科技岚溯.exe"
    ;;
*)
    echo "usage: tools/dev.sh run|test|build-win32" >&2
    exit 2
    ;;
esac
