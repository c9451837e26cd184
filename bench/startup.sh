#!/usr/bin/env bash
# Start-up and page composition figures at 2,000 and 20,000 installed fonts.
#
# usage: bench/startup.sh [BUILD_DIR]   (default: build)
#
# Each font set is made once by tests/support/make-test-fonts and kept in
# ${VARELITH_BENCH_FONTS:-/tmp}.
# The sets are seen together with the machine's own fonts ("system plus"), with the
# program's own dependency, IPA Gothic, as on any machine the program is installed on
# ("with IPA"), and alone ("alone": no installed face has the kanji of the interface, so Qt
# searches every font for them). "first page from launch" is the first page composed and
# painted as soon as the window shows, as a user who types a sample and Enter at once.
# startup_bench times, from its start: the application object, Form_Load (the catalogue
# built), the main window's first paint, the first page (loading its fonts), and then a
# page composed again with its fonts loaded. With an X server at hand, the real program
# is timed too, from its start to its window mapped.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
bench="$build/bench/startup/startup_bench"
program="$build/src/app/varelith"
make_fonts=${MAKE_FONTS:-$here/tests/support/make-test-fonts}
store=${VARELITH_BENCH_FONTS:-/tmp}
ipa=/usr/share/fonts/opentype/ipafont-gothic

[[ -x "$bench" ]] || { echo "build first: cmake --build $build --target startup_bench varelith" >&2; exit 1; }

for count in 2000 20000; do
    dir="$store/varelith-bench-fonts-$count"
    if [[ ! -f "$dir/fonts/varelith-blank.ttf" ]]; then
        rm -rf "$dir"
        /usr/bin/python3 "$make_fonts" "$count" "$dir" >/dev/null
    fi
    sed "s#<dir>#<dir>$ipa</dir>\n  <dir>#" "$dir/fonts.conf" >"$dir/fonts-with-ipa.conf"
    printf '<?xml version="1.0"?>\n<fontconfig>\n  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n  <dir>%s</dir>\n</fontconfig>\n' \
        "$dir/fonts" >"$dir/fonts-system-plus.conf"
    for set in system-plus with-ipa alone; do
        conf="$dir/fonts.conf"
        [[ $set == with-ipa ]] && conf="$dir/fonts-with-ipa.conf"
        [[ $set == system-plus ]] && conf="$dir/fonts-system-plus.conf"
        [[ $set == alone && $count -gt 2000 ]] && continue # minutes: Qt's search is quadratic
        echo "== $count fonts, $set"
        # The first run builds fontconfig's cache for the set; the figures are the second.
        FONTCONFIG_FILE=$conf QT_QPA_PLATFORM=offscreen "$bench" >/dev/null 2>&1
        FONTCONFIG_FILE=$conf QT_QPA_PLATFORM=offscreen "$bench" 2>/dev/null
        if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
            FONTCONFIG_FILE=$conf XDG_CONFIG_HOME=$(mktemp -d) xvfb-run -a bash -c '
                start=$(date +%s%N)
                "$1" & pid=$!
                xdotool search --sync --onlyvisible --name "^Varelith$" >/dev/null
                end=$(date +%s%N)
                echo "real program, start to window mapped: $(( (end - start) / 1000000 )) ms"
                kill $pid' _ "$program" 2>/dev/null
        fi
    done
done
