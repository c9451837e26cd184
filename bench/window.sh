#!/usr/bin/env bash
# The real program from its start to its main window on an X server (Xvfb), with the
# system's fonts plus N fonts made by tests/support/make-test-fonts, and where that time
# goes.
#
#   bench/window.sh BUILD_DIR [MAKE_FONTS] [COUNTS...]     (default 2000 20000)
#
# For each count: one start that writes the settings file, then $RUNS (default 9)
# ordinary starts, each timed from the program's start to its main window mapped
# (median and fastest), then one more start under `perf record`, whose CPU time is summed
# up by what it goes to. Fonts are made once under $VARELITH_SCALE_CACHE (default
# /tmp/varelith-scale), as bench/scale.sh makes them. Needs xvfb, xdotool and perf
# (Debian's linux-perf).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
default_counts=(2000 20000)
# shellcheck source=bench/fontpool.sh
source "$here/fontpool.sh" "$@"
runs=${RUNS:-9}
program=$build/src/app/varelith

# Runs inside the X server: the timed starts, then the profiled one.
measure() {
    local program=$1 runs=$2 profile=$3 times=() start end pid
    export XDG_CONFIG_HOME
    XDG_CONFIG_HOME=$(mktemp -d)
    mapped() { until xdotool search --onlyvisible --name '^Varelith$' >/dev/null 2>&1; do :; done; }
    for i in $(seq 0 "$runs"); do
        start=$(date +%s%N)
        "$program" & pid=$!
        mapped
        end=$(date +%s%N)
        # The first start writes the settings file, once its catalogue is built behind
        # the window.
        [[ $i -eq 0 ]] && sleep 3
        kill $pid; wait $pid 2>/dev/null || true
        [[ $i -gt 0 ]] && times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
        printf "start to window mapped, %d starts: median %d ms, fastest %d ms\n", NR, t[int((NR + 1) / 2)], t[1] }'
    perf record -q -F 4000 --call-graph dwarf,16384 -o "$profile" -- "$program" 2>/dev/null & pid=$!
    mapped
    kill -INT "$(pgrep -P $pid)"; wait $pid 2>/dev/null || true
}

for n in "${counts[@]}"; do
    conf=$(system_plus "$n")
    profile=$(mktemp)
    echo "== system fonts plus $n"
    FONTCONFIG_FILE=$conf xvfb-run -a -s "-noreset -screen 0 1280x1024x24" \
        bash -c "$(declare -f measure); measure \"\$@\"" _ "$program" "$runs" "$profile" 2>/dev/null
    report=$(perf report -i "$profile" --children --sort sym --stdio -g none 2>/dev/null)
    total=$(perf report -i "$profile" --stdio --sort dso -g none 2>/dev/null |
        sed -n 's/^# Event count (approx.): //p')
    share() { awk -v s="$1" '$0 ~ s { gsub("%", "", $1); print $1; exit }' <<<"$report"; }
    echo "profiled start: $((total / 1000000)) ms of CPU, of which (inclusive):"
    while IFS='|' read -r what symbol; do
        pct=$(share "$symbol")
        printf '  %-58s %5.1f%%  %4d ms\n' "$what" "${pct:-0}" \
            "$(awk -v p="${pct:-0}" -v t="$total" 'BEGIN { printf "%d", p * t / 1e8 }')"
    done <<'EOF2'
Qt's font database, filled from fontconfig|QFontconfigDatabase::populateFontDatabase$
  fontconfig listing every font for it (FcFontList)|FcFontSetList$
  fontconfig freeing that list|FcFontSetDestroy$
fontconfig reading its configuration and caches|FcInitLoadConfigAndFonts$
the interface's faces set apart for the first paint|varelith::InterfaceFacesFirst::InterfaceFacesFirst$
the family list (SystemFontSource)|varelith::SystemFontSource::families$
the catalogue build (behind the window since it is shown first)|varelith::FontCatalogue::build$
  stored names and flags read (StoredSelection)|varelith::StoredSelection::flagFor$
  names written to the store|varelith::IniSettingsStore::SaveSetting$
the settings file opened|varelith::IniSettingsStore::IniSettingsStore$
the settings file written|varelith::IniSettingsStore::flush$
the font selection dialog built (strip, list, lines)|varelith::Form2::Form2$
the main window built (its faces matched)|varelith::Form1::Form1$
the application object (X connection, style)|QApplicationPrivate::init$
painting|QWidgetRepaintManager::sync$
EOF2
    rm -f "$profile"
done
