#!/usr/bin/env bash
# Installs, through apt, whatever the build and the tests need and the machine
# lacks. Safe to run again: it does nothing when everything is present.
#
#   tools/setup.sh run    what building and running the program needs
#   tools/setup.sh test   that and everything the tests, the Windows build and
#                         the Debian package need (the default)
set -euo pipefail

profile="${1:-test}"

# Building and running the program.
run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libxcb1-dev
    # X11 platform plugin; Qt's own Chinese texts (the message box's OK button)
    qt6-qpa-plugins qt6-translations-l10n
    # the Song-style CJK face the windows use for 宋体
    fonts-arphic-uming
)

# The tests, benchmarks, developer tools, the Windows build and the package.
test_packages=(
    # tests, benchmarks and the picture generator (QR codes, SVG, its Latin
    # face); clang and its libFuzzer for the fuzz preset
    libgtest-dev libgmock-dev libbenchmark-dev libzbar-dev zbar-tools
    libqrencode-dev qt6-svg-dev fonts-dejavu-core
    # Qt's platform interface, through which the window test turns on
    # accessibility events as a screen reader would
    qt6-base-private-dev
    clang libclang-rt-14-dev
    # end-to-end tests and screenshots: an X server, a window manager, X tools
    xvfb openbox x11-utils xdotool wmctrl imagemagick
    # the accessibility tests: a session bus, the AT-SPI bus and its client
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    # the screen reader the end-to-end test listens to, speaking to nothing
    orca speech-dispatcher
    # Wayland: a headless compositor and Qt's Wayland platform plugin
    weston qt6-wayland
    # the Debian package and its checks
    dpkg-dev debhelper lintian file desktop-file-utils appstream appstream-compose python3
    # the Windows build: the mingw-w64 cross compiler and resource compiler,
    # Python for its icon's resource script (python3, above), GoogleTest's
    # sources to build for it, Wine (32-bit, from the i386 architecture) to
    # run it, a PE reader for its resources, xvfb-run's xauth
    g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
    wine wine32:i386 python3-pefile xauth
    # the 64-bit Windows build that runs the Windows tests where the kernel
    # runs no 32-bit programs: its cross compiler and wine64
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 wine64
)

case "$profile" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
    echo "usage: tools/setup.sh [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# 32-bit packages (wine32) come from the i386 architecture, added once.
for package in "${missing[@]}"; do
    if [[ $package == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        break
    fi
done
$sudo apt-get update -q
# With recommends, as the packages were tried with them (Wine and Qt
# recommend parts they need at run time here).
$sudo apt-get install -y -q "${missing[@]}"
