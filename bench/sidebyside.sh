#!/usr/bin/env bash
# Varelith and GNOME Fonts (Debian's gnome-font-viewer, a yardstick only) started side by
# side: one Xvfb, one D-Bus session, the machine's fonts plus N made fonts, the two
# programs' starts interleaved. Prints each start's time from launch to its first window
# mapped, the medians, the ratio Varelith / GNOME Fonts, and the resident memory of each
# one second after its window appeared.
#
#   bench/sidebyside.sh BUILD_DIR [MAKE_FONTS] [COUNTS...]     (default 2000 20000)
#
# RUNS (default 5) starts of each per count, after one start of each that is not counted
# (fontconfig's cache, the settings file, GTK's caches). Fonts are made once under
# $VARELITH_SCALE_CACHE (default /tmp/varelith-scale), as bench/scale.sh makes them.
# A window counts as shown at the X server's MapNotify for it, read by `xev` on the root
# window, the same for both programs; no polling competes with them for the CPU.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
default_counts=(2000 20000)
# shellcheck source=bench/fontpool.sh
source "$here/fontpool.sh" "$@"
runs=${RUNS:-5}
program=$build/src/app/varelith
[[ -x $program ]] || { echo "build first: cmake --build $build --target varelith" >&2; exit 1; }

if ! command -v gnome-font-viewer >/dev/null; then
    echo "GNOME Fonts is not installed; installing Debian's gnome-font-viewer to measure against" >&2
    as_root=()
    [[ $(id -u) -eq 0 ]] || as_root=(sudo)
    "${as_root[@]}" apt-get install -y -qq --no-install-recommends gnome-font-viewer >&2
fi
for tool in Xvfb xev dbus-run-session; do
    command -v $tool >/dev/null || {
        echo "needs $tool (Debian: xvfb, x11-utils, dbus)" >&2
        exit 1
    }
done

# The machine's own configuration (its fonts, caches and aliases) and N more fonts.
system_plus() {
    local n=$1 dir=$cache/system-plus-$1
    if [[ ! -f "$dir/fonts.conf" ]]; then
        link_first "$n" "$dir"
        printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n  <dir>%s</dir>\n</fontconfig>\n' \
            "$dir/fonts" >"$dir/fonts.conf"
    fi
    FONTCONFIG_FILE=$dir/fonts.conf fc-list >/dev/null # fontconfig's cache, once
    echo "$dir/fonts.conf"
}

# Runs inside the X server and the D-Bus session. Prints "name ms rss_kib" per start.
measure() {
    local runs=$1 program=$2 work
    work=$(mktemp -d)
    # Both programs' settings and caches of this run only, kept from start to start.
    export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
    mkfifo "$work/events"

    # start NAME COMMAND...: one start, timed from launch to its first top-level window
    # mapped; the program is ended before the next.
    start() {
        local name=$1 xev_pid reader pid began mapped rss
        shift
        rm -f "$work/stamp"
        xev -root -event substructure >"$work/events" 2>/dev/null &
        xev_pid=$!
        {
            local line seen=0
            while IFS= read -r line; do
                [[ $line == MapNotify* ]] && seen=1 && continue
                if [[ $seen == 1 && $line == *"override NO"* ]]; then
                    date +%s%N >"$work/stamp.new"
                    mv "$work/stamp.new" "$work/stamp"
                    break
                fi
                seen=0
            done
            cat >/dev/null
        } <"$work/events" &
        reader=$!
        sleep 0.3 # xev listening
        began=$(date +%s%N)
        "$@" >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 600); do
            [[ -f $work/stamp ]] && break
            sleep 0.05
        done
        mapped=$(cat "$work/stamp" 2>/dev/null || echo "$began")
        sleep 1
        rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        kill "$xev_pid" 2>/dev/null || true
        wait "$xev_pid" "$reader" 2>/dev/null || true
        echo "$name $(((mapped - began) / 1000000)) $rss"
    }

    start warmup "$program" >/dev/null
    start warmup gnome-font-viewer >/dev/null
    for _ in $(seq "$runs"); do
        start varelith "$program"
        start gnome-fonts gnome-font-viewer
    done
    rm -rf "$work"
}

# One X server for every count; it outlives each client (-noreset).
display_file=$(mktemp)
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
    [[ -s $display_file ]] && break
    sleep 0.05
done
export DISPLAY=:$(head -1 "$display_file")

median() { sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
summary=()
for n in "${counts[@]}"; do
    conf=$(system_plus "$n")
    echo "== the machine's fonts plus $n, $runs starts each, interleaved"
    results=$(FONTCONFIG_FILE=$conf dbus-run-session -- \
        bash -c "$(declare -f measure); measure \"\$@\"" _ "$runs" "$program" 2>/dev/null)
    for name in varelith gnome-fonts; do
        times=$(awk -v n=$name '$1 == n { print $2 }' <<<"$results")
        rss=$(awk -v n=$name '$1 == n { print $3 }' <<<"$results" | median)
        printf '%-12s %s ms; median %d ms, resident %d MiB\n' "$name" "$(echo $times | tr ' ' '/')" \
            "$(median <<<"$times")" "$((rss / 1024))"
    done
    v=$(awk '$1 == "varelith" { print $2 }' <<<"$results" | median)
    g=$(awk '$1 == "gnome-fonts" { print $2 }' <<<"$results" | median)
    ratio=$(awk -v v="$v" -v g="$g" 'BEGIN { printf "%.2f", v / g }')
    echo "ratio Varelith / GNOME Fonts: $ratio"
    summary+=("| system + $n | $v ms | $g ms | $ratio |")
done

echo
echo "| fonts | Varelith, median | GNOME Fonts, median | ratio |"
echo "|---|---:|---:|---:|"
printf '%s\n' "${summary[@]}"
