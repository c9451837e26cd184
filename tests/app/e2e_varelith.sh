#!/usr/bin/env bash
# The real program in an X server of its own, on the machine's fonts, with a fresh
# XDG_CONFIG_HOME: its window appears; a sample typed with Enter composes a page; Alt+F, O
# opens the font dialog, the first and last ticks come off, Esc closes it, and the program
# killed with SIGKILL that very moment has every flag on disk; started again it reads them
# back, and Alt+F, X quits it with the flags as they were.
#
# A made font named on the command line then joins the list for that run, ticked, and is
# installed from its information window.
#
#   e2e_varelith.sh PROGRAM FONT
set -euo pipefail
program=$(realpath "$1")
font=$(realpath "$2")
source "$(dirname "$0")/../support/xvfb.sh"
require_tools xvfb-run xdotool import compare python3
enter_xvfb 1024x768x24 "$0" "$program" "$font"

export XDG_CONFIG_HOME=$VARELITH_XVFB_WORK/config QT_QPA_PLATFORM=xcb
unset FONTCONFIG_FILE
fail() {
    echo "FAIL: $*"
    kill -9 "${pid:-}" 2>/dev/null
    exit 1
}

start() {
    "$program" "$@" &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Varelith$' | head -n 1) ||
        fail "no window titled Varelith appeared"
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

# The visible window that is not the main one: the font dialog.
dialog() {
    xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$window" | head -n 1 || true
}

# The flags in the settings file, in the fonts' order, as any INI reader finds them.
flags() {
    python3 -c 'import configparser, sys
ini = configparser.ConfigParser(interpolation=None, strict=True)
ini.optionxform = str
ini.read(sys.argv[1], encoding="utf-8")
fonts = sorted(int(key[9:]) for key in ini["setting"] if key.startswith("name_Font"))
print("".join(ini["setting"].get(f"flg_Font{n}", "?") for n in fonts))' \
        "$XDG_CONFIG_HOME/Varelith/Varelith.ini" || fail "the settings file does not parse"
}

start
xdotool type --delay 30 'Varelith Abc'
sleep 1
import -window root "$VARELITH_XVFB_WORK/typed.png"
xdotool key Return
for _ in $(seq 20); do
    sleep 0.3
    import -window root "$VARELITH_XVFB_WORK/page.png"
    changed=$(compare -metric AE "$VARELITH_XVFB_WORK"/{typed,page}.png null: 2>&1 || true)
    [[ ${changed%%.*} -gt 2000 ]] && break # more than a blinking caret: a page
done
[[ ${changed%%.*} -gt 2000 ]] || fail "Enter composed no page ($changed pixels changed)"

xdotool key alt+f && sleep 0.3 && xdotool key o
for _ in $(seq 100); do [[ -n $(dialog) ]] && break || sleep 0.1; done
[[ -n $(dialog) ]] || fail "Alt+F, O opened no dialog"
xdotool windowfocus --sync "$(dialog)" && sleep 0.5 && xdotool key Home space End space
sleep 0.3 && xdotool key Escape
for _ in $(seq 200); do [[ -z $(dialog) ]] && break || sleep 0.02; done
[[ -z $(dialog) ]] || fail "Esc did not close the dialog"
kill -9 "$pid" && wait "$pid" 2>/dev/null || true
closed=$(flags)
echo "flags on disk after SIGKILL: $closed"
[[ $closed =~ ^01+0$ ]] || fail "not every flag on disk, or not the first and last off"

start
xdotool key alt+f && sleep 0.3 && xdotool key x
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null && sleep 0.2 || break; done
kill -0 "$pid" 2>/dev/null && fail "the program did not quit on 終了(&X)"
wait "$pid" || fail "the program ended with status $?"
[[ $(flags) == "$closed" ]] || fail "flags $(flags) after a restart and 終了, $closed before"

# Opened from the command line: listed, ticked, stored with its name when the program quits;
# インストール(&F) in its information window, which comes to the front, copies it into the
# user's font folder.
export XDG_DATA_HOME=$VARELITH_XVFB_WORK/data
family=$(fc-query -f '%{family[0]}' "$font")
start "$font"
info=$(timeout 30 xdotool search --sync --onlyvisible --name "^フォント情報 - $family\$" | head -n 1) ||
    fail "no information window for the opened font"
xdotool windowfocus --sync "$info" && sleep 0.5
xdotool key alt+f
# What it tells, in a box of its own titled as the window: answered with Enter.
told=""
for _ in $(seq 150); do
    told=$(xdotool search --onlyvisible --name '^フォント情報$' 2>/dev/null | head -n 1 || true)
    [[ -n $told ]] && break || sleep 0.1
done
[[ -n $told ]] || fail "インストール told nothing"
xdotool windowfocus --sync "$told" && sleep 0.3 && xdotool key Return
for _ in $(seq 150); do
    xdotool search --onlyvisible --name '^フォント情報$' >/dev/null 2>&1 && sleep 0.1 || break
done
cmp -s "$font" "$XDG_DATA_HOME/fonts/$(basename "$font")" ||
    fail "インストール did not copy the opened font into $XDG_DATA_HOME/fonts"
xdotool windowfocus --sync "$window" && sleep 0.3
xdotool key alt+f && sleep 0.3 && xdotool key x
# Slower under the sanitizers: up to 20 s.
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.2 || break; done
kill -0 "$pid" 2>/dev/null && fail "the program did not quit with a font file opened"
opened=$(python3 -c 'import configparser, sys
ini = configparser.ConfigParser(interpolation=None, strict=True)
ini.optionxform = str
ini.read(sys.argv[1], encoding="utf-8")
s = ini["setting"]
print("".join(s.get("flg_Font" + k[9:], "?") for k in s if k.startswith("name_Font") and s[k] == sys.argv[2]))' \
    "$XDG_CONFIG_HOME/Varelith/Varelith.ini" "$family")
[[ $opened == 1 ]] || fail "the opened font \"$family\" was not listed ticked (flags: '$opened')"
echo "PASS"
