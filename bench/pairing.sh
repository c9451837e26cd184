#!/usr/bin/env bash
# 和欧混植 on the sheet: a page of ten lines with a Latin font paired with each Japanese one,
# in 横書き and 縦書き, and the search for a Latin partner over ten Latin fonts.
#
#   bench/pairing.sh [BUILD_DIR] [PNG]
#
# The fonts: the machine's Japanese ones (Noto CJK, IPA), DejaVu, and a set made by
# tests/support/make-test-fonts under ${VARELITH_BENCH_FONTS:-/tmp}.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
store=${VARELITH_BENCH_FONTS:-/tmp}
dir="$store/varelith-bench-fonts-pairing"
[[ -x "$build/bench/pairing/pairing_bench" ]] ||
    { echo "build first: cmake --build $build --target pairing_bench" >&2; exit 1; }
# shellcheck source=bench/japanesefontset.sh
source "$here/bench/japanesefontset.sh"
japanese_font_set "$dir" 70 varelith-latin-regular.ttf /usr/share/fonts/truetype/dejavu
"$build/bench/pairing/pairing_bench" ${2:+"$2"} 2>&1 | grep -v XDG_RUNTIME_DIR
