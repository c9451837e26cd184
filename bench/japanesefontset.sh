# Sourced by bench/typesetting.sh, glyphcompare.sh and pairing.sh; expects `here`, the top
# of the repository.
#
#   japanese_font_set DIR COUNT FILE [FOLDER...]
#
# DIR holds COUNT fonts made by tests/support/make-test-fonts, made once and kept (made
# again when it lacks FILE, one of the generator's newer fonts); exported as what
# fontconfig sees beside the machine's Japanese fonts (Noto CJK, IPA) and each FOLDER.
japanese_font_set() {
    local dir=$1 count=$2 file=$3 folder folders=""
    shift 3
    if [[ ! -f "$dir/fonts/$file" ]]; then
        rm -rf "$dir"
        /usr/bin/python3 "$here/tests/support/make-test-fonts" "$count" "$dir" >/dev/null
    fi
    for folder in /usr/share/fonts/opentype/noto /usr/share/fonts/opentype/ipafont-gothic \
        /usr/share/fonts/opentype/ipafont-mincho "$@"; do
        [[ -d $folder ]] && folders+="<dir>$folder</dir>\n  "
    done
    sed "s#<dir>#$folders<dir>#" "$dir/fonts.conf" >"$dir/fonts-with-japanese.conf"
    export FONTCONFIG_FILE=$dir/fonts-with-japanese.conf QT_QPA_PLATFORM=offscreen
    fc-cache >/dev/null 2>&1 || true
}
