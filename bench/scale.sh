#!/usr/bin/env bash
# The program at scale: 2,000, 20,000 and 30,000 installed fonts made by
# tests/support/make-test-fonts, each benchmark run under GNU time for its peak memory. Prints a table of the catalogue and the
# start, and one of the font selection dialog (docs/performance.md shows the last ones and
# how they were made).
#
#   bench/scale.sh BUILD_DIR [MAKE_FONTS] [COUNTS...]
#
# BUILD_DIR holds a RelWithDebInfo build; MAKE_FONTS defaults to the repository's
# tests/support/make-test-fonts. The fonts are made once under $VARELITH_SCALE_CACHE
# (default /tmp/varelith-scale) and kept for the next run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
default_counts=(2000 20000 30000)
# shellcheck source=bench/fontpool.sh
source "$here/fontpool.sh" "$@"

[[ -x /usr/bin/time ]] || { echo "needs GNU time (Debian package time)"; exit 1; }
export QT_QPA_PLATFORM=offscreen

# The program's own Japanese face (its package depends on fonts-ipafont-gothic) is seen
# with every set, as on any machine the program is installed on: without a face that has
# the interface's kanji, Qt searches every installed font for them at each start.
ipa=/usr/share/fonts/opentype/ipafont-gothic

font_set() {
    local n=$1 dir=$cache/set-$1
    if ! grep -q "$ipa" "$dir/fonts.conf" 2>/dev/null; then
        rm -rf "$dir"
        link_first "$n" "$dir"
        printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n  <dir>%s</dir>\n  <dir>%s</dir>\n  <cachedir>%s</cachedir>\n</fontconfig>\n' \
            "$dir/fonts" "$ipa" "$dir/cache" >"$dir/fonts.conf"
    fi
    echo "$dir/fonts.conf"
}

# Runs a command under GNU time; prints its output, then "peak KiB" on the last line.
measured() {
    local log
    log=$(mktemp)
    /usr/bin/time -v -o "$log" "$@"
    echo "peak_kib $(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")"
    rm -f "$log"
}

pick() { sed -n "s/^$2[^:]*: *\([0-9.]*\).*/\1/p" <<<"$1" | head -1; }
peak_mib() { echo $(($(sed -n 's/^peak_kib //p' <<<"$1") / 1024)); }

rows=()
dialog_rows=()
for n in "${counts[@]}"; do
    conf=$(font_set "$n")
    echo "== $n fonts" >&2
    cat_out=$(measured "$build/bench/catalogue/catalogue_bench" "$n")
    echo "$cat_out" >&2
    first=$(sed -n 's/^first run: build \([0-9.]*\) ms, commit \([0-9.]*\) ms.*/\1 \2/p' <<<"$cat_out")
    second=$(sed -n 's/^second run: build \([0-9.]*\) ms, commit \([0-9.]*\) ms.*/\1 \2/p' <<<"$cat_out")
    cat_peak=$(sed -n 's/^peak_kib //p' <<<"$cat_out")
    next_build=$(sed -n 's/^next start, build[^:]*: \([0-9.]*\) ms.*/\1/p' <<<"$cat_out")
    added_build=$(sed -n 's/^one font added in the middle, build[^:]*: \([0-9.]*\) ms.*/\1/p' <<<"$cat_out")

    # Twice: the first start builds fontconfig's cache, the second is an ordinary start.
    rm -rf "$(dirname "$conf")/cache"
    cold=$(FONTCONFIG_FILE=$conf measured "$build/bench/startup/startup_bench")
    echo "$cold" >&2
    warm=$(FONTCONFIG_FILE=$conf measured "$build/bench/startup/startup_bench")
    echo "$warm" >&2
    dialog=$(FONTCONFIG_FILE=$conf "$build/bench/fontdialog/fontdialog_bench" 2>/dev/null)
    echo "$dialog" >&2
    slowest_key=$(sed -n 's/^keystroke[^:]*: *\([0-9.]*\) ms.*/\1/p' <<<"$dialog" | sort -n | tail -1)
    dialog_rows+=("$n|$(pick "$dialog" 'open the dialog')|$slowest_key|$(pick "$dialog" 'writing system 日本語')|$(pick "$dialog" '見本の文字を含む (漢字かな), first')|$(pick "$dialog" '見本の文字を含む (漢字かな), again')|$(pick "$dialog" 'すべて選択')|$(pick "$dialog" '選択を反転')")
    # One line per count: multi-line outputs do not survive the row format.
    rows+=("$n|$first|$second|$cat_peak|$(pick "$cold" 'main window first painted')|$(pick "$warm" 'main window first painted')|$(pick "$warm" 'page composed (median')|$(peak_mib "$warm")|$next_build|$added_build")
done

echo
echo "| fonts | first build ms | first commit ms | next build ms | next commit ms | catalogue peak MiB | start to window ms (cold / warm) | compose page ms | start peak MiB |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
for row in "${rows[@]}"; do
    IFS='|' read -r n first second cat_peak cold_ms warm_ms compose_ms start_peak next_ms added_ms <<<"$row"
    read -r fb fc <<<"$first"
    read -r sb sc <<<"$second"
    echo "| $n | $fb | $fc | $sb | $sc | $((cat_peak / 1024)) | $cold_ms / $warm_ms | $compose_ms | $start_peak |"
done

echo
echo "catalogue build of an ordinary next start, and after one font was added in the middle (median of 7):"
echo "| fonts | next start ms | one font added ms |"
echo "|---:|---:|---:|"
for row in "${rows[@]}"; do
    IFS='|' read -r n _ _ _ _ _ _ _ next_ms added_ms <<<"$row"
    echo "| $n | $next_ms | $added_ms |"
done

echo
echo "font selection dialog (bench/fontdialog), each step with the screen updated:"
echo "| fonts | open ms | slowest keystroke in the name filter ms | writing system 日本語 ms | 見本の文字を含む, first / again ms | すべて選択 ms | 選択を反転 ms |"
echo "|---:|---:|---:|---:|---:|---:|---:|"
for row in "${dialog_rows[@]}"; do
    IFS='|' read -r n open key script first again all invert <<<"$row"
    echo "| $n | $open | $key | $script | $first / $again | $all | $invert |"
done

echo
echo "print all ticked fonts to PDF (bench/print):"
measured "$build/bench/print/print_bench" | sed 's/^peak_kib \(.*\)/peak memory: \1 KiB/'
