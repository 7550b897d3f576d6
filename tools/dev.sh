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
    if [ -x tools/fuzz/run.sh ]; then
        bash tools/fuzz/run.sh 60
    fi
    build asan
    # LeakSanitizer: leaks inside system libraries are not ours (tests/lsan.supp).
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" ctest --preset asan
    # The Windows build, cross-compiled, its tests under Wine.
    build win32
    ctest --preset win32
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
