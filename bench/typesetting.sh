#!/usr/bin/env bash
# Typesetting with the shaper: a page of ten lines in 縦書き, a feature switched on it, an
# axis slider's step in the information window's waterfall; then the specimen book of N
# fonts in 横書き and in 縦書き (default 2000), each under GNU time.
#
#   bench/typesetting.sh [BUILD_DIR] [COUNT]
#
# The fonts: the machine's Japanese ones (Noto CJK, IPA) and a set made by
# tests/support/make-test-fonts under ${VARELITH_BENCH_FONTS:-/tmp} (the sets
# bench/specimen.sh uses), whose fixed families hold the vertical and variable test fonts.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
count=${2:-2000}
store=${VARELITH_BENCH_FONTS:-/tmp}
dir="$store/varelith-bench-fonts-$count"
for target in typesetting specimen; do
    [[ -x "$build/bench/$target/${target}_bench" ]] ||
        { echo "build first: cmake --build $build --target ${target}_bench" >&2; exit 1; }
done
# shellcheck source=bench/japanesefontset.sh
source "$here/bench/japanesefontset.sh"
japanese_font_set "$dir" "$count" varelith-blank.ttf
echo "== typesetting"
"$build/bench/typesetting/typesetting_bench" 2>&1 | grep -v XDG_RUNTIME_DIR
# Each book in a process of its own, so that neither finds the other's fonts loaded.
for mode in "" vertical; do
    echo "== specimen book of $count fonts ${mode:-horizontal}"
    /usr/bin/time -f "CPU %U s user + %S s system, peak %M KiB" \
        "$build/bench/specimen/specimen_bench" "$(mktemp -d)" $mode 2>&1 |
        grep -v XDG_RUNTIME_DIR | grep -v "^page with"
done
