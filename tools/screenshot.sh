#!/usr/bin/env bash
# Photographs the running program under a private Xvfb display with openbox:
#   docs/screenshots/main_window.png            the main window with its frame
#   docs/screenshots/troubleshooting_window.png the troubleshooting window, opened
#                                               with the "故障协助" button
# Usage: tools/screenshot.sh [--scale FACTOR] [--output DIR] [EXECUTABLE]
#   --scale   the display scale, as QT_SCALE_FACTOR sets it (default 1; 2 for a
#             high-density display); the screen grows with it
#   --output  where the pictures go (default docs/screenshots)
#   EXECUTABLE defaults to build/default/穹岳科技岚溯
# Needs: xvfb openbox x11-utils xdotool wmctrl imagemagick (tools/setup.sh).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
scale=1
output=$root/docs/screenshots
while [ $# -gt 0 ]; do
    case $1 in
    --scale) scale=${2:?--scale needs a factor}; shift 2 ;;
    --output) output=${2:?--output needs a directory}; shift 2 ;;
    *) break ;;
    esac
done
executable=${1:-$root/build/default/穹岳科技岚溯}

main_title="岚溯 Lansu  X  Read-only operation    穹岳（汀川）科技有限公司数据研究院电子数字取证刑事技术侦查局 "
troubleshooting_title="岚溯 Lansu  X  Read-only operation    故障排查"
troubleshooting_button=(792 208)   # centre of "故障协助" in the main window's client area
wait_tenths=100                    # every wait gives up after 10 s

die() { echo "screenshot: $*" >&2; exit 1; }

# scaled N: N logical pixels in screen pixels at the chosen scale.
scaled() { awk -v n="$1" -v f="$scale" 'BEGIN { printf "%d", n * f + 0.5 }'; }
[ "$(scaled 100)" -ge 100 ] || die "not a scale of 1 or more: $scale"

for tool in Xvfb openbox xprop xwininfo xdotool wmctrl import; do
    command -v "$tool" >/dev/null || die "missing $tool; run tools/setup.sh"
done
[ -x "$executable" ] || die "not an executable: $executable (build it first)"

work=$(mktemp -d /tmp/lansu-screenshot.XXXXXX)
xvfb_pid=""
openbox_pid=""
app_pid=""
cleanup() {
    for pid in "$app_pid" "$openbox_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for DESCRIPTION COMMAND...: runs COMMAND until it succeeds, for at most 10 s.
wait_for() {
    local what=$1 tries=0
    shift
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt "$wait_tenths" ] || die "timed out waiting for $what"
        sleep 0.1
    done
}

# The X server picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 "$(scaled 1280)x$(scaled 1024)x24" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_known() { grep -q '^[0-9]\+$' "$work/display" 2>/dev/null; }
wait_for "Xvfb to start" display_known
DISPLAY=":$(cat "$work/display")"
export DISPLAY

unset QT_QPA_PLATFORM LC_ALL LC_MESSAGES LANGUAGE QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING
export QT_SCALE_FACTOR=$scale
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "openbox to start" wm_ready
xdotool mousemove 0 0

# The program runs on a Chinese desktop; the X tools keep the default locale.
LANG=zh_CN.UTF-8 "$executable" >"$work/app.log" 2>&1 &
app_pid=$!

# window_titled TITLE: prints the id of the program's managed window with that
# title (wmctrl's listing drops a trailing space); fails if there is none.
window_titled() {
    local id pid title
    kill -0 "$app_pid" 2>/dev/null || die "the program ended; its output: $(cat "$work/app.log")"
    while read -r id _ pid _ title; do
        if [ "$pid" = "$app_pid" ] && [ "$title" = "${1% }" ]; then
            echo "$id"
            return 0
        fi
    done < <(wmctrl -lp)
    return 1
}

# frame_geometry ID: prints WIDTHxHEIGHT+X+Y of the window with its frame.
frame_geometry() {
    local info x y w h left right top bottom
    info=$(xwininfo -id "$1")
    x=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/^ *Width: *//p' <<<"$info")
    h=$(sed -n 's/^ *Height: *//p' <<<"$info")
    IFS=', ' read -r left right top bottom < <(xprop -id "$1" -notype _NET_FRAME_EXTENTS |
        sed -n 's/^_NET_FRAME_EXTENTS = //p')
    [ -n "${bottom:-}" ] || return 1
    echo "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))"
}

is_active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '0x%x' "$1")\$"; }

# capture ID FILE: waits until the window with its frame looks the same twice in
# a row (painting finished, window manager settled), then writes it to FILE.
capture() {
    local id=$1 file=$2 tries=0 geometry previous="" current
    wait_for "window $id to become active" is_active "$id"
    while :; do
        geometry=$(frame_geometry "$id") || die "window $id has no frame"
        current="$geometry $(import -window root -crop "$geometry" +repage rgb:- | md5sum)"
        [ "$current" = "$previous" ] && break
        previous=$current
        tries=$((tries + 1))
        [ "$tries" -lt "$wait_tenths" ] || die "window $id kept changing"
        sleep 0.1
    done
    import -window root -crop "$geometry" +repage -strip \
        -define png:exclude-chunks=date,time "$file"
    echo "screenshot: $file ($geometry)"
}

mkdir -p "$output"
main=$(wait_for "the main window" window_titled "$main_title")
capture "$main" "$output/main_window.png"

xdotool mousemove --window "$main" "$(scaled "${troubleshooting_button[0]}")" \
    "$(scaled "${troubleshooting_button[1]}")" click 1
xdotool mousemove 0 0
troubleshooting=$(wait_for "the troubleshooting window" window_titled "$troubleshooting_title")
capture "$troubleshooting" "$output/troubleshooting_window.png"

# Close both windows through the window manager; the program then ends.
wmctrl -i -c "$troubleshooting"
wmctrl -i -c "$main"
app_gone() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for "the program to end" app_gone
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || die "the program ended with status $status"
