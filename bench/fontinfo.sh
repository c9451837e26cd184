#!/usr/bin/env bash
# The font information window with the machine's fonts alone, then with 2,000 and 20,000
# made fonts besides (or the counts given): its opening for a family, a face switch, the
# waterfall and a character grid block of 2,000 characters.
#
#   bench/fontinfo.sh BUILD_DIR [MAKE_FONTS] [COUNTS...]    (default 2000 20000)
#
# FAMILY (default "Noto Sans CJK JP") is the family opened. The made fonts come from the
# pool bench/fontpool.sh keeps.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
default_counts=(2000 20000)
# shellcheck source=bench/fontpool.sh
source "$here/fontpool.sh" "$@"
bench=$build/bench/fontinfo/fontinfo_bench
[[ -x "$bench" ]] || { echo "build first: cmake --build $build --target fontinfo_bench" >&2; exit 1; }

echo "== the machine's fonts"
QT_QPA_PLATFORM=offscreen "$bench" "${FAMILY:-Noto Sans CJK JP}" 2>/dev/null
for n in "${counts[@]}"; do
    echo "== the machine's fonts plus $n"
    FONTCONFIG_FILE=$(system_plus "$n") QT_QPA_PLATFORM=offscreen \
        "$bench" "${FAMILY:-Noto Sans CJK JP}" 2>/dev/null
done
