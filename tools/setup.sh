#!/usr/bin/env bash
# Installs, through apt, whatever the build and the tests need and the machine
# lacks. Safe to run again: it does nothing when everything is present.
#
#   tools/setup.sh run    what building and running the program needs
#   tools/setup.sh test   that and everything the tests, the Windows build and
#                         the Debian package need (the default)
#
# Packages are installed without their recommendations: every package the
# build, the program or a test uses is named here, so nothing else is fetched.
set -euo pipefail

profile="${1:-test}"

# Building and running the program.
run_packages=(
    cmake ninja-build g++ pkg-config
    # Qt's development files; its X11 platform plugin comes with them
    # (libqt6gui6)
    qt6-base-dev libxcb1-dev
    # Qt's own Chinese texts (the message box's OK button)
    qt6-translations-l10n
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
    # the screen reader's buses: a session bus and the AT-SPI bus
    dbus-daemon dbus-bin at-spi2-core
    # the screen reader the end-to-end test listens to, speaking to nothing;
    # speech-dispatcher starts only when one output module starts, and its
    # dummy one cannot without a sound device: espeak-ng's can
    orca speech-dispatcher speech-dispatcher-espeak-ng
    # Wayland: a headless compositor and Qt's Wayland platform plugin
    weston qt6-wayland
    # the Debian package and its checks (dpkg-buildpackage wants build-essential)
    build-essential dpkg-dev debhelper lintian file desktop-file-utils appstream
    appstream-compose python3
    # the Windows build: the mingw-w64 cross compiler and resource compiler,
    # Python for its icon's resource script (python3, above), GoogleTest's
    # sources to build for it, Wine (32-bit, from the i386 architecture) to
    # run it, a PE reader for its resources, xvfb-run's xauth
    g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
    wine wine32:i386 python3-pefile xauth
    # what Wine draws with on a desktop (its fonts, the X extensions its X11
    # driver loads), for both widths
    fonts-wine
    libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
    libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxinerama1:i386
    libxcomposite1:i386 libxfixes3:i386 libxxf86vm1:i386
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

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup: installing the missing packages (${#missing[@]}) through apt needs root," \
            "and sudo is not installed: run this as root, or as root run" \
            "'apt-get install sudo && adduser $(id -un) sudo' and log in again" >&2
        exit 1
    fi
    sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# 32-bit packages (wine32) come from the i386 architecture, added once.
for package in "${missing[@]}"; do
    if [[ $package == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        break
    fi
done
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
