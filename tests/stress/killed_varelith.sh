#!/usr/bin/env bash
# The real program in a real X server, killed at the worst moment and run twice at once.
#
#  1. The font selection dialog is opened with Alt+F, O; two ticks are taken off with
#     the keyboard; Esc closes it; the moment its window is gone the program is killed
#     with SIGKILL. Every flag must be on disk, those two as 0.
#  2. Two instances share one settings folder; each takes a different tick off and both
#     dialogs are closed at once. The file must parse and hold one of the two
#     selections whole.
#
# usage: killed_varelith.sh PROGRAM      Exits 77 (skipped) when no X server can be had.
set -euo pipefail

program=$(realpath "$1")
source "$(dirname "$0")/../support/xvfb.sh"
require_tools xvfb-run xdotool python3
enter_xvfb 1280x1024x24 "$0" "$program"

work=$VARELITH_XVFB_WORK
export QT_QPA_PLATFORM=xcb
unset FONTCONFIG_FILE
pids=()

fail() {
    echo "FAIL: $*"
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    exit 1
}

# The visible titled windows of a process, as "id title" lines. (xdotool's own --pid
# filter lets other processes' windows through; ask each window for its pid.)
windows_of() {
    local window
    for window in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [[ "$(xdotool getwindowpid "$window" 2>/dev/null)" == "$1" ]] || continue
        echo "$window $(xdotool getwindowname "$window" 2>/dev/null)"
    done
}

# The process's main window, once it is there.
window_of() {
    local found
    for _ in $(seq 1 300); do
        found=$(windows_of "$1" | awk '$2 == "Varelith" && NF == 2 { print $1; exit }')
        [[ -n "$found" ]] && { echo "$found"; return 0; }
        sleep 0.1
    done
    return 1
}

start_program() {
    XDG_CONFIG_HOME="$1" "$program" >"$1.log" 2>&1 &
    pids+=($!)
    started_pid=$!
    main_window=$(window_of "$started_pid") || fail "no main window"
}

# Alt+F, O in the given main window; waits for the dialog and gives back its window.
open_dialog() {
    xdotool windowfocus --sync "$1"
    sleep 0.5
    xdotool key alt+f
    sleep 0.3
    xdotool key o
    dialog_window=
    for _ in $(seq 1 100); do
        dialog_window=$(dialog_of "$2" "$1")
        [[ -n "$dialog_window" ]] && break
        sleep 0.1
    done
    [[ -n "$dialog_window" ]] || fail "the dialog did not open"
    xdotool windowfocus --sync "$dialog_window"
    sleep 0.5
}

# The process's visible titled window other than its main window: the dialog. (Searching
# by the Japanese title also matches the main window in some locales.)
dialog_of() {
    windows_of "$1" | awk -v main="$2" '$1 != main && NF >= 2 && $2 != "Varelith" { print $1; exit }'
}

dialog_gone() {
    [[ -z "$(dialog_of "$1" "$2")" ]]
}

# Reads an INI file the way any tool would and prints "names flags" and the flags in order.
read_settings() {
    python3 - "$1" <<'PY'
import configparser, re, sys
parser = configparser.ConfigParser(interpolation=None, strict=True)
parser.optionxform = str
parser.read(sys.argv[1], encoding="utf-8")
section = parser["setting"]
names = sorted(int(k[9:]) for k in section if re.fullmatch(r"name_Font\d+", k))
flags = {int(k[8:]): section[k] for k in section if re.fullmatch(r"flg_Font\d+", k)}
print(len(names), len(flags), "".join(flags.get(n, "?") for n in names))
PY
}

# 1. Killed right after the dialog closed.
config="$work/killed"
start_program "$config"
pid=$started_pid
open_dialog "$main_window" "$pid"
xdotool key Home space End space
sleep 0.3
xdotool key Escape
for _ in $(seq 1 200); do
    dialog_gone "$pid" "$main_window" && break
    sleep 0.02
done
dialog_gone "$pid" "$main_window" || fail "Esc did not close the dialog"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
read -r names flags pattern < <(read_settings "$config/Varelith/Varelith.ini") ||
    fail "the settings file does not parse"
echo "killed after the dialog: $names names, $flags flags, flags $pattern"
[[ $names -ge 2 ]] || fail "too few fonts to tell ticks apart"
[[ $flags -eq $names ]] || fail "$flags flags on disk for $names fonts"
expected="0$(printf '1%.0s' $(seq 1 $((names - 2))))0"
[[ "$pattern" == "$expected" ]] || fail "flags $pattern, expected $expected"

# 2. Two instances at once over one settings folder.
config="$work/shared"
start_program "$config"
pid_a=$started_pid
window_a=$main_window
start_program "$config"
pid_b=$started_pid
window_b=$main_window
open_dialog "$window_a" "$pid_a"
dialog_a=$dialog_window
xdotool key Home space
open_dialog "$window_b" "$pid_b"
dialog_b=$dialog_window
xdotool key End space
# Both close as close together as two key presses can be.
xdotool windowfocus --sync "$dialog_a"
sleep 0.3
xdotool key Escape
xdotool windowfocus --sync "$dialog_b"
sleep 0.3
xdotool key Escape
for _ in $(seq 1 100); do
    dialog_gone "$pid_a" "$window_a" && dialog_gone "$pid_b" "$window_b" && break
    sleep 0.05
done
dialog_gone "$pid_a" "$window_a" || fail "the first instance's dialog stayed open"
dialog_gone "$pid_b" "$window_b" || fail "the second instance's dialog stayed open"
sleep 0.5
for p in "$pid_a" "$pid_b"; do kill -9 "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
read -r names flags pattern < <(read_settings "$config/Varelith/Varelith.ini") ||
    fail "the settings file written by two instances does not parse"
echo "two instances: $names names, $flags flags, flags $pattern"
[[ $flags -eq $names ]] || fail "$flags flags for $names fonts"
selection_a="0$(printf '1%.0s' $(seq 1 $((names - 1))))"
selection_b="$(printf '1%.0s' $(seq 1 $((names - 1))))0"
[[ "$pattern" == "$selection_a" || "$pattern" == "$selection_b" ]] ||
    fail "flags $pattern are neither instance's selection ($selection_a or $selection_b)"
echo "PASS"
