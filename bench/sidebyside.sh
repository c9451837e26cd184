#!/usr/bin/env bash
# Varelith and GNOME Fonts (Debian's gnome-font-viewer, a yardstick only) started side by
# side: one Xvfb, one D-Bus session, the machine's fonts plus N made fonts, the two
# programs' starts interleaved. Prints each start's time from launch to its first window
# mapped, the medians, the ratio Varelith / GNOME Fonts, the CPU time each had used when
# its window appeared (all its threads; it does not vary with the machine's load as the
# wall time does), and the resident memory of each one second after.
#
#   bench/sidebyside.sh BUILD_DIR [MAKE_FONTS] [COUNTS...]     (default 2000 20000)
#
# BEFORE=OTHER_BUILD_DIR adds a third program to the interleaving: Varelith as built
# there (an earlier commit), for a comparison in the same run.
#
# RUNS (default 5) starts of each per count, after one start of each that is not counted
# (fontconfig's cache, the settings file, GTK's caches). Fonts are made once under
# $VARELITH_SCALE_CACHE (default /tmp/varelith-scale), as bench/scale.sh makes them.
# A window counts as shown at the X server's MapNotify for it, read by `xev` on the root
# window, the same for both programs; no polling competes with them for the CPU.
#
# First content, in the same run: Varelith is sent a sample and Enter (xdotool) the moment
# its window is mapped, as a user who types at once, and its first page counts as shown
# when the window looks as it does with that page (fewer than 1,500 pixels apart, fuzz
# 10%); GNOME Fonts' first content is its window looking as it does once its list is
# drawn. Both looks are taken in the uncounted first start, a second after; the window is
# then grabbed (`import`) and compared as fast as that goes, about every 50 ms: a start's
# first content is known to that, and the grabbing takes one core while it runs.
# FIRST_CONTENT=0 leaves it out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
default_counts=(2000 20000)
# shellcheck source=bench/fontpool.sh
source "$here/fontpool.sh" "$@"
runs=${RUNS:-5}
program=$build/src/app/varelith
[[ -x $program ]] || { echo "build first: cmake --build $build --target varelith" >&2; exit 1; }
before=""
if [[ -n ${BEFORE:-} ]]; then
    before=$(realpath "$BEFORE")/src/app/varelith
    [[ -x $before ]] || { echo "no program in $BEFORE" >&2; exit 1; }
fi

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

# Runs inside the X server and the D-Bus session. Prints "name ms rss_kib cpu_ms" per
# start.
measure() {
    local runs=$1 program=$2 before=$3 work
    work=$(mktemp -d)
    # Both programs' settings and caches of this run only, kept from start to start.
    export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
    mkfifo "$work/events"

    # start NAME COMMAND...: one start, timed from launch to its first top-level window
    # mapped; the program is ended before the next.
    start() {
        local name=$1 xev_pid reader pid began mapped rss cpu window content=0 look
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
                    line=${line#*window }
                    echo "${line%%,*}" >"$work/window"
                    # The CPU time of all its threads so far, in clock ticks.
                    awk '{ print $14 + $15 }' "/proc/$(cat "$work/pid")/stat" >>"$work/stamp.new"
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
        echo "$pid" >"$work/pid"
        for _ in $(seq 600); do
            [[ -f $work/stamp ]] && break
            sleep 0.05
        done
        mapped=$(head -n 1 "$work/stamp" 2>/dev/null || echo "$began")
        cpu=$(($(sed -n 2p "$work/stamp" 2>/dev/null || echo 0) * 1000 / $(getconf CLK_TCK)))
        window=$(cat "$work/window" 2>/dev/null || true)
        look=$work/look-${name#warmup-}.png
        if [[ ${FIRST_CONTENT:-1} != 0 && -n $window ]]; then
            [[ $name == gnome-fonts || $name == warmup-gnome-fonts ]] ||
                xdotool windowfocus --sync "$window" type --delay 0 "Varelith 永" key Return \
                    2>/dev/null
            if [[ $name == warmup-* ]]; then
                sleep 1
                import -window "$window" "$look" 2>/dev/null || true
            elif [[ -f $look ]]; then
                for _ in $(seq 200); do
                    import -window "$window" "$work/now.png" 2>/dev/null || continue
                    apart=$(compare -metric AE -fuzz 10% "$look" "$work/now.png" null: 2>&1 || true)
                    [[ $apart =~ ^[0-9]+$ && $apart -lt 1500 ]] && content=$(date +%s%N) && break
                done
            fi
        fi
        sleep 1
        rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        kill "$xev_pid" 2>/dev/null || true
        wait "$xev_pid" "$reader" 2>/dev/null || true
        echo "$name $(((mapped - began) / 1000000)) $rss $cpu $((content > 0 ? (content - began) / 1000000 : 0))"
    }

    start warmup-varelith "$program" >/dev/null
    start warmup-gnome-fonts gnome-font-viewer >/dev/null
    [[ -z $before ]] || start warmup-before "$before" >/dev/null
    for _ in $(seq "$runs"); do
        start varelith "$program"
        start gnome-fonts gnome-font-viewer
        [[ -z $before ]] || start before "$before"
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
        bash -c "$(declare -f measure); measure \"\$@\"" _ "$runs" "$program" "$before" 2>/dev/null)
    names=(varelith gnome-fonts)
    [[ -z $before ]] || names+=(before)
    for name in "${names[@]}"; do
        times=$(awk -v n=$name '$1 == n { print $2 }' <<<"$results")
        rss=$(awk -v n=$name '$1 == n { print $3 }' <<<"$results" | median)
        cpu=$(awk -v n=$name '$1 == n { print $4 }' <<<"$results" | median)
        printf '%-12s %s ms; median %d ms, CPU until then %d ms, resident %d MiB\n' "$name" \
            "$(echo $times | tr ' ' '/')" "$(median <<<"$times")" "$cpu" "$((rss / 1024))"
        firsts=$(awk -v n=$name '$1 == n { print $5 }' <<<"$results")
        [[ ${FIRST_CONTENT:-1} == 0 ]] ||
            printf '%-12s first content (%s): %s ms; median %d ms\n' "$name" \
                "$([[ $name == gnome-fonts ]] && echo "its list" || echo "a page typed at once")" \
                "$(echo $firsts | tr ' ' '/')" "$(median <<<"$firsts")"
    done
    v=$(awk '$1 == "varelith" { print $2 }' <<<"$results" | median)
    g=$(awk '$1 == "gnome-fonts" { print $2 }' <<<"$results" | median)
    vm=$(awk '$1 == "varelith" { print $3 }' <<<"$results" | median)
    gm=$(awk '$1 == "gnome-fonts" { print $3 }' <<<"$results" | median)
    ratio=$(awk -v v="$v" -v g="$g" 'BEGIN { printf "%.2f", v / g }')
    echo "ratio Varelith / GNOME Fonts: $ratio"
    vc=$(awk '$1 == "varelith" { print $4 }' <<<"$results" | median)
    gc=$(awk '$1 == "gnome-fonts" { print $4 }' <<<"$results" | median)
    vf=$(awk '$1 == "varelith" { print $5 }' <<<"$results" | median)
    gf=$(awk '$1 == "gnome-fonts" { print $5 }' <<<"$results" | median)
    row="| system + $n | $v ms | $g ms | $ratio | $vc / $gc ms | $((vm / 1024)) / $((gm / 1024)) MiB | $vf / $gf ms |"
    if [[ -n $before ]]; then
        b=$(awk '$1 == "before" { print $2 }' <<<"$results" | median)
        bf=$(awk '$1 == "before" { print $5 }' <<<"$results" | median)
        row+=" $b ms ($(awk -v b="$b" -v g="$g" 'BEGIN { printf "%.2f", b / g }')), first page $bf ms |"
    fi
    summary+=("$row")
done

echo
header="| fonts | Varelith, median | GNOME Fonts, median | ratio | CPU until the window, Varelith / GNOME Fonts | resident, Varelith / GNOME Fonts | first page typed at once / GNOME Fonts' list, median |"
rule="|---|---:|---:|---:|---:|---:|---:|"
[[ -z $before ]] || header+=" Varelith before, median (ratio) |" rule+="---:|"
echo "$header"
echo "$rule"
printf '%s\n' "${summary[@]}"
