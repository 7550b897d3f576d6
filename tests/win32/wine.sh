#!/usr/bin/env bash
# Runs a Windows program of the cross-compiled build under Wine:
#   tests/win32/wine.sh [--fresh-server] PREFIX PROGRAM.exe [ARGUMENTS...]
# PREFIX is the Wine prefix to use (in the build folder); it is made on first
# use and kept, so only the first run pays for Wine's set-up. The prefix's
# Wine server is kept running for a while between programs, which makes each
# start a fraction of a second. With --fresh-server the program gets a server
# of its own, ended afterwards: for programs on an X display of their own,
# since a running server's desktop process stays on the display it began on.
# Wine's own messages are silenced; the program's exit status is passed on.
#   tests/win32/wine.sh --check PROGRAM.exe
# only says whether this machine can run the program.
# A prefix holds programs of one width: 32-bit ones run in a 32-bit prefix
# (Debian's wine), 64-bit ones in a 64-bit prefix (its wine64). When the
# machine cannot run a 32-bit program, the reason is printed on one line and the
# exit status is 77, which the tests report as skipped.
set -euo pipefail

# Debian's `wine` starts the 32-bit loader first, even for a 64-bit program;
# where 32-bit programs cannot run, a 64-bit one needs wine64 itself.
choose_loader() {
    local program=$1 error
    case $(file -b "$program") in
    PE32+*) loader=/usr/lib/wine/wine64 ;;
    PE32*) loader=/usr/lib/wine/wine ;;
    *)
        echo "$0: $program: expected a Windows program, got: $(file -b "$program")" >&2
        exit 2
        ;;
    esac
    if ! error=$("$loader" --version 2>&1 >/dev/null); then
        if [ "$loader" = /usr/lib/wine/wine ]; then
            echo "skipped: this machine cannot run 32-bit Windows programs ($loader: ${error##*: })"
            exit 77
        fi
        echo "$0: $loader does not start: $error" >&2
        exit 2
    fi
    export WINELOADER=$loader
}

if [ "${1:-}" = "--check" ]; then
    [ $# -eq 2 ] || { echo "usage: $0 --check PROGRAM" >&2; exit 2; }
    choose_loader "$2"
    exit 0
fi
fresh=0
if [ "${1:-}" = "--fresh-server" ]; then
    fresh=1
    shift
fi
if [ $# -lt 2 ]; then
    echo "usage: $0 [--fresh-server] WINEPREFIX PROGRAM [ARGUMENTS...]" >&2
    exit 2
fi
prefix=$1
shift
choose_loader "$1"

export WINEPREFIX=$prefix
# Wine takes the program's file name, here in Chinese, in the locale's
# character set: a UTF-8 locale is needed. Simplified Chinese where the
# machine has it (Wine's own buttons then read in Chinese).
if locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8'; then
    export LC_ALL=zh_CN.UTF-8
else
    export LC_ALL=C.UTF-8
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or a browser engine, and Wine
# would otherwise offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "$(dirname "$prefix")"
# One set-up at a time: ctest may start several programs at once.
exec 9>"$prefix.lock"
flock 9
# A set-up cut short (a test's time-out) leaves a prefix without the mark
# written last: it is made again.
ready="$prefix/lansu-prefix-ready"
if [ ! -f "$ready" ]; then
    if [ -d "$prefix" ]; then
        wineserver --kill 2>/dev/null || true
        rm -rf "$prefix"
    fi
    DISPLAY= "$loader" wineboot --init </dev/null >/dev/null 2>&1
    # "宋体" is not shipped with Wine: map it to the Song-style face that the
    # Debian package fonts-arphic-uming installs.
    for face in 宋体 SimSun; do
        DISPLAY= "$loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /d 'AR PL UMing CN' /f </dev/null >/dev/null 2>&1
    done
    wineserver --wait
    touch "$ready"
fi
if [ $fresh = 1 ]; then
    wineserver --kill 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
else
    wineserver --persistent=20 </dev/null >/dev/null 2>&1 || true
fi
flock -u 9

# Wine's background processes (its server, services, desktop) would hold on
# to the output the program was given, and whoever waits for that output to
# end (ctest) would wait for them: the program writes to a file instead.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
"$loader" "$@" </dev/null >"$output" 2>&1 || status=$?
cat "$output"
if [ $fresh = 1 ]; then
    wineserver --kill 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
fi
exit $status
