# Sourced by bench/scale.sh, window.sh, sidebyside.sh and fontinfo.sh: one pool of fonts
# made by tests/support/make-test-fonts for the largest count asked for, made once under
# $cache and kept between runs; a set of N fonts is the pool's first N numbered families,
# linked (the generator's fixed families sort after them). Takes the benchmark's
# arguments, BUILD_DIR [MAKE_FONTS] [COUNTS...], and expects `here` and `default_counts`.
build=$(realpath "$1")
make_fonts=${2:-$here/../tests/support/make-test-fonts}
shift $(($# >= 2 ? 2 : 1))
counts=("$@")
[[ ${#counts[@]} -gt 0 ]] || counts=("${default_counts[@]}")
cache=${VARELITH_SCALE_CACHE:-/tmp/varelith-scale}
largest=$(printf '%s\n' "${counts[@]}" | sort -n | tail -1)
if [[ ! -f "$cache/all/fonts/varelith-blank.ttf" || $(ls "$cache/all/fonts" | wc -l) -lt $largest ]]; then
    rm -rf "$cache/all"
    /usr/bin/python3 "$make_fonts" "$largest" "$cache/all" >/dev/null
fi

# link_first N DIR: DIR/fonts holds the pool's first N fonts.
link_first() {
    mkdir -p "$2/fonts"
    ls "$cache/all/fonts" | sort | head -n "$1" | while read -r f; do
        ln -sf "$cache/all/fonts/$f" "$2/fonts/$f"
    done
}

# system_plus N: the machine's own configuration (its fonts, caches and aliases) and the
# pool's first N fonts; prints the fonts.conf to point FONTCONFIG_FILE at.
system_plus() {
    local n=$1 dir=$cache/system-plus-$1
    if [[ ! -f "$dir/fonts.conf" ]]; then
        link_first "$n" "$dir"
        printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n  <dir>%s</dir>\n</fontconfig>\n' \
            "$dir/fonts" >"$dir/fonts.conf"
    fi
    FONTCONFIG_FILE=$dir/fonts.conf fc-list >/dev/null # fontconfig's cache, once
    echo "$dir/fonts.conf"
}
