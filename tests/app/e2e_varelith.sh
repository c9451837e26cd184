#!/usr/bin/env bash
# The real program in a real X server: it starts on the machine's fonts, its window
# appears, a sample typed with Enter composes a page, and Alt+F then X quits it, leaving
# the flags in its INI file under a temporary XDG_CONFIG_HOME.
#
# usage: e2e_varelith.sh PROGRAM
# Exits 77 (skipped) when no X server can be had.
set -euo pipefail

program=$(realpath "$1")
source "$(dirname "$0")/../support/xvfb.sh"
require_tools xvfb-run xdotool import compare
enter_xvfb 1024x768x24 "$0" "$program"

# Inside the X server from here on.
work=$VARELITH_XVFB_WORK
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb
unset FONTCONFIG_FILE

fail() {
    echo "FAIL: $*"
    [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null
    exit 1
}

# The number of pixels in which two screenshots differ.
pixels_between() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

"$program" &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Varelith$' | head -n 1) ||
    fail "no window titled Varelith appeared"
[[ -n "$window" ]] || fail "no window titled Varelith appeared"
echo "window $window: $(xdotool getwindowname "$window")"
xdotool windowfocus --sync "$window"
sleep 1

# The sample goes into the sample text box, which has the focus at start.
xdotool type --delay 30 'Varelith Abc'
sleep 1
import -window root "$work/typed.png"

xdotool key Return
differing=0
for _ in $(seq 1 20); do
    sleep 0.3
    import -window root "$work/page.png"
    differing=$(pixels_between "$work/typed.png" "$work/page.png")
    # More than a blinking caret: the page has been drawn.
    [[ "${differing%%.*}" -gt 2000 ]] && break
done
echo "pixels changed by the composition: $differing"
[[ "${differing%%.*}" -gt 2000 ]] || fail "Enter composed no page"

xdotool key alt+f
sleep 0.5
xdotool key x
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not quit on 終了(&X)"
wait "$pid" || fail "the program ended with status $?"
pid=

ini="$XDG_CONFIG_HOME/Varelith/Varelith.ini"
[[ -f "$ini" ]] || fail "no settings file at $ini"
names=$(grep -c '^name_Font[0-9]*=' "$ini" || true)
flags=$(grep -c '^flg_Font[0-9]*=' "$ini" || true)
echo "settings: $names names, $flags flags"
[[ "$names" -gt 0 ]] || fail "no font names stored"
[[ "$flags" -eq "$names" ]] || fail "$flags flags stored for $names fonts"
echo "PASS"
