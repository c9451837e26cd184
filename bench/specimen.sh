#!/usr/bin/env bash
# The specimen book of every installed font into a PDF, and a page of the sheet with
# missing-glyph marks, at 2,000 and 20,000 installed fonts (or the counts given), each run
# under GNU time for its CPU time and peak memory. The book's line gives its wall time, its
# own CPU time (the figure to compare while other work loads the machine), the PDF's size
# and the peak memory before and after it.
#
#   bench/specimen.sh [BUILD_DIR] [COUNTS...]    (default: build, 2000 20000)
#
# The font sets are made once by tests/support/make-test-fonts under
# ${VARELITH_BENCH_FONTS:-/tmp} (the same sets bench/startup.sh uses) and seen together with the program's own Japanese face,
# IPA Gothic, as on any machine the program is installed on.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
shift $(($# > 0 ? 1 : 0))
counts=("$@")
[[ ${#counts[@]} -gt 0 ]] || counts=(2000 20000)
bench="$build/bench/specimen/specimen_bench"
make_fonts=${MAKE_FONTS:-$here/tests/support/make-test-fonts}
store=${VARELITH_BENCH_FONTS:-/tmp}
ipa=/usr/share/fonts/opentype/ipafont-gothic

[[ -x "$bench" ]] || { echo "build first: cmake --build $build --target specimen_bench" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "needs GNU time (Debian package time)" >&2; exit 1; }

for count in "${counts[@]}"; do
    dir="$store/varelith-bench-fonts-$count"
    if [[ ! -f "$dir/fonts/varelith-blank.ttf" ]]; then
        rm -rf "$dir"
        /usr/bin/python3 "$make_fonts" "$count" "$dir" >/dev/null
    fi
    sed "s#<dir>#<dir>$ipa</dir>\n  <dir>#" "$dir/fonts.conf" >"$dir/fonts-with-ipa.conf"
    echo "== $count fonts"
    # fontconfig's cache for the set is built first: the figures are those of a warm start.
    FONTCONFIG_FILE=$dir/fonts-with-ipa.conf fc-cache >/dev/null 2>&1 || true
    FONTCONFIG_FILE=$dir/fonts-with-ipa.conf QT_QPA_PLATFORM=offscreen \
        /usr/bin/time -f "CPU %U s user + %S s system, peak %M KiB" "$bench" 2>&1 |
        grep -v XDG_RUNTIME_DIR
done
