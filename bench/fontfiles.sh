#!/usr/bin/env bash
# Fonts that come and go while the program runs, at the machine's fonts and plus 20,000: a file
# opened to its line on the sheet, installed, a font appearing in a watched folder, removed.
#
# usage: bench/fontfiles.sh [BUILD_DIR]   (default: build)
#
# The 20,000 fonts are made once by tests/support/make-test-fonts and kept in
# ${VARELITH_BENCH_FONTS:-/tmp}; the opened and the appearing fonts are two of the
# generator's, renamed so that no installed family has their names.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
bench="$build/bench/fontfiles/fontfiles_bench"
store=${VARELITH_BENCH_FONTS:-/tmp}
[[ -x "$bench" ]] || { echo "build first: cmake --build $build --target fontfiles_bench" >&2; exit 1; }

count=20000
dir="$store/varelith-bench-fonts-$count"
if [[ ! -f "$dir/fonts/varelith-blank.ttf" ]]; then
    rm -rf "$dir"
    /usr/bin/python3 "$here/tests/support/make-test-fonts" "$count" "$dir" >/dev/null
fi
printf '<?xml version="1.0"?>\n<fontconfig>\n  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n  <dir>%s</dir>\n</fontconfig>\n' \
    "$dir/fonts" >"$dir/fonts-system-plus.conf"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$dir/fonts/varelith-faces-regular.ttf" "$work" <<'PY'
import sys
from fontTools.ttLib import TTFont
source, work = sys.argv[1], sys.argv[2]
for name in ("Opened", "Appeared"):
    font = TTFont(source)
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = f"Varelith {name}"
        elif record.nameID == 6:
            record.string = f"Varelith-{name}"
    font.save(f"{work}/varelith-{name.lower()}.ttf")
PY
mkdir -p "$work/data" "$work/config"
for set in "machine's fonts" "machine's fonts plus $count"; do
    conf=""
    [[ $set == *plus* ]] && conf=$dir/fonts-system-plus.conf
    echo "== $set"
    # The first run builds fontconfig's cache for the set; the figures are the second.
    for run in 1 2; do
        rm -rf "$work/data/fonts" "$work/data/Trash" "$work/config"
        output=$(env ${conf:+FONTCONFIG_FILE=$conf} XDG_DATA_HOME=$work/data \
            XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen \
            "$bench" "$work/varelith-opened.ttf" "$work/varelith-appeared.ttf" 2>/dev/null)
        [[ $run == 2 ]] && echo "$output"
    done
done
