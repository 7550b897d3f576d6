#!/usr/bin/env bash
# Runs a Windows program of the cross-compiled build under Wine:
#   tests/win32/wine.sh [--fresh-server] PREFIX PROGRAM.exe [ARGUMENTS...]
# PREFIX, the Wine prefix (in the build folder), is made on first use and
# kept; its Wine server stays up a while between programs, so only the first
# run pays for Wine's set-up. --fresh-server gives the program a server of its
# own, ended afterwards: a running server's desktop stays on the X display it
# began on. Wine's own messages are silenced; the program's status is passed on.
#   tests/win32/wine.sh --check PROGRAM.exe
# only says whether this machine can run the program: where it cannot run a
# 32-bit program, the reason on one line and status 77 (the tests then skip).
set -euo pipefail

# A prefix holds programs of one width: 32-bit ones run under Debian's wine,
# 64-bit ones under its wine64 (`wine` starts the 32-bit loader first, even
# for a 64-bit program).
choose_loader() {
    local program=$1 error
    case $(file -b "$program") in
    PE32+*) loader=/usr/lib/wine/wine64 ;;
    PE32*) loader=/usr/lib/wine/wine ;;
    *) echo "$0: $program: expected a Windows program, got: $(file -b "$program")" >&2; exit 2 ;;
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
[ "${1:-}" = "--fresh-server" ] && { fresh=1; shift; }
[ $# -ge 2 ] || { echo "usage: $0 [--fresh-server] WINEPREFIX PROGRAM [ARGUMENTS...]" >&2; exit 2; }
export WINEPREFIX=$1
shift
choose_loader "$1"

# Wine takes the program's file name, here in Chinese, in the locale's
# character set: a UTF-8 locale, Simplified Chinese where the machine has it
# (Wine's own buttons then read in Chinese).
if locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8'; then
    export LC_ALL=zh_CN.UTF-8
else
    export LC_ALL=C.UTF-8
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

stop_server() { wineserver --kill 2>/dev/null || true; wineserver --wait 2>/dev/null || true; }

mkdir -p "$(dirname "$WINEPREFIX")"
# One set-up at a time (ctest may start several programs at once). A set-up
# cut short leaves no mark, and is made again.
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/lansu-prefix-ready" ]; then
    [ -d "$WINEPREFIX" ] && { stop_server; rm -rf "$WINEPREFIX"; }
    DISPLAY= "$loader" wineboot --init </dev/null >/dev/null 2>&1
    # "宋体" is not shipped with Wine: the Song face of fonts-arphic-uming stands in.
    for face in 宋体 SimSun; do
        DISPLAY= "$loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /d 'AR PL UMing CN' /f </dev/null >/dev/null 2>&1
    done
    wineserver --wait
    touch "$WINEPREFIX/lansu-prefix-ready"
fi
if [ $fresh = 1 ]; then
    stop_server
else
    wineserver --persistent=20 </dev/null >/dev/null 2>&1 || true
fi
flock -u 9

# Wine's background processes would hold on to the program's output, and
# whoever waits for it to end (ctest) would wait for them: a file takes it.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
"$loader" "$@" </dev/null >"$output" 2>&1 || status=$?
cat "$output"
[ $fresh = 0 ] || stop_server
exit $status
