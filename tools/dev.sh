#!/usr/bin/env bash
# The two everyday commands:
#   tools/dev.sh run    set up, build and start the program
#   tools/dev.sh test   set up, build and run every test (what CI runs)
set -euo pipefail
cd "$(dirname "$0")/.."

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
run)
    bash tools/setup.sh
    build default
    exec ./build/default/穹岳科技岚溯
    ;;
test)
    bash tools/setup.sh
    build default
    ctest --preset default
    if [ -x tools/fuzz/run.sh ]; then
        bash tools/fuzz/run.sh 60
    fi
    build asan
    # LeakSanitizer: leaks inside system libraries are not ours (tests/lsan.supp).
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" ctest --preset asan
    ;;
*)
    echo "usage: tools/dev.sh run|test" >&2
    exit 2
    ;;
esac
