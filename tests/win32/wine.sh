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
set -euo pipefail
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
if [ ! -f "$prefix/system.reg" ]; then
    DISPLAY= wineboot --init </dev/null >/dev/null 2>&1
    # "宋体" is not shipped with Wine: map it to the Song-style face that the
    # Debian package fonts-arphic-uming installs.
    for face in 宋体 SimSun; do
        DISPLAY= wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /d 'AR PL UMing CN' /f </dev/null >/dev/null 2>&1
    done
    wineserver --wait
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
wine "$@" </dev/null >"$output" 2>&1 || status=$?
cat "$output"
if [ $fresh = 1 ]; then
    wineserver --kill 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
fi
exit $status
