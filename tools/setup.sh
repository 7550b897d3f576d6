#!/usr/bin/env bash
# Installs, through apt, whatever the build and the tests need and the machine
# lacks. Safe to run again: it does nothing when everything is present.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libxcb1-dev
    libqrencode-dev
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev libzbar-dev zbar-tools
    clang libclang-rt-14-dev
    # fonts: a Song-style CJK face for 宋体, and the Latin face the picture generator uses
    fonts-arphic-uming fonts-dejavu-core
    # end-to-end tests and screenshots: an X server, a window manager, X tools
    xvfb openbox x11-utils xdotool wmctrl imagemagick
    # the accessibility tests: a session bus, the AT-SPI bus and its client
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    # packaging: the .deb (dpkg-shlibdeps, file) and the checks of the installed files
    dpkg-dev file desktop-file-utils appstream python3
    # the Windows build: the mingw-w64 cross compiler and resource compiler,
    # GoogleTest's sources to build for it, Wine (32-bit, from the i386
    # architecture) to run it, a PE reader for its resources, xvfb-run's xauth
    g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
    wine wine32:i386 python3-pefile xauth
    # the 64-bit Windows build that runs the Windows tests where the kernel
    # runs no 32-bit programs: its cross compiler and wine64
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 wine64
)

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
