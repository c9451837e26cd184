#!/usr/bin/env bash
# 字形比較: one kanji across COUNT fonts (default 500) with the difference highlight, and the
# variation sequences of a kanji listed in IPAmj Mincho (install fonts-ipamj-mincho for
# that figure; without it the test font "Varelith Variants" stands in).
#
#   bench/glyphcompare.sh [BUILD_DIR] [COUNT]
#
# The fonts: the machine's Japanese ones (Noto CJK, IPA) and a set made by
# tests/support/make-test-fonts under ${VARELITH_BENCH_FONTS:-/tmp}.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
count=${2:-500}
store=${VARELITH_BENCH_FONTS:-/tmp}
dir="$store/varelith-bench-fonts-$count"
bench="$build/bench/glyphcompare/glyphcompare_bench"
[[ -x $bench ]] || { echo "build first: cmake --build $build --target glyphcompare_bench" >&2; exit 1; }
# shellcheck source=bench/japanesefontset.sh
source "$here/bench/japanesefontset.sh"
japanese_font_set "$dir" "$count" varelith-variants.ttf
/usr/bin/time -f "CPU %U s user + %S s system, peak %M KiB" "$bench" "$count" 2>&1 |
    grep -v XDG_RUNTIME_DIR
