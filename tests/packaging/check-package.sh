#!/usr/bin/env bash
# Checks Varelith as a desktop program, from one build tree:
#   install  BUILD SOURCE BINARY VERSION DEBDIR  cmake --install into scratch DESTDIRs;
#                                                the files, the icons, the validators
#   deb      BUILD SOURCE BINARY VERSION DEBDIR  cpack builds the .deb into DEBDIR; its
#                                                files and Depends, against what the
#                                                binary loads on this machine
#   run      BUILD SOURCE BINARY VERSION DEBDIR  as root: apt-get installs that .deb,
#                                                the installed program shows its window
#                                                under xvfb; exits 77 (skipped) otherwise
#   build-tree (same arguments)                  the build tree's program shows its
#                                                window alike: icons, Japanese Qt texts
set -euo pipefail

mode=$1 build=$2 source=$3 binary=$4 version=$5 debdir=$6
app_id=io.github.varelith.Varelith
arch=$(dpkg --print-architecture)
deb="$debdir/varelith_${version}_${arch}.deb"

work=$(mktemp -d "${TMPDIR:-/tmp}/varelith-packaging.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
need() {
    command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2; see scripts/debian-packages.txt)"
}

# The files an install puts under PREFIX, relative to the root.
expected_files() {
    local prefix=${1#/}
    printf '%s\n' \
        "$prefix/bin/varelith" \
        "$prefix/share/applications/$app_id.desktop" \
        "$prefix/share/icons/hicolor/16x16/apps/$app_id.png" \
        "$prefix/share/icons/hicolor/32x32/apps/$app_id.png" \
        "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" \
        "$prefix/share/metainfo/$app_id.metainfo.xml" | sort
}

# "WIDTH HEIGHT PALETTE-ENTRIES" of an indexed PNG, or "not indexed".
png_shape() {
    python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
pos, width, height, colour_type, entries = 8, 0, 0, None, 0
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos : pos + 8])
    body = data[pos + 8 : pos + 8 + length]
    if kind == b"IHDR":
        width, height = struct.unpack(">II", body[:8])
        colour_type = body[9]
    elif kind == b"PLTE":
        entries = length // 3
    pos += 12 + length
print(f"{width} {height} {entries}" if colour_type == 3 else "not indexed")
EOF
}

desktop_value() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

check_install_tree() {
    local root=$1 prefix=$2
    local actual
    actual=$(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
    diff -u <(expected_files "$prefix") <(echo "$actual") || fail "install under $prefix holds other files than expected"

    local usr="$root/${prefix#/}"
    cmp -s "$usr/bin/varelith" "$binary" || fail "installed varelith differs from the build tree's binary"
    [[ -x "$usr/bin/varelith" ]] || fail "installed varelith is not executable"

    local size
    for size in 16 32; do
        cmp -s "$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" "$source/data/icons/varelith-$size.png" ||
            fail "the ${size}px theme icon is not the window's icon"
    done
    cmp -s "$usr/share/icons/hicolor/scalable/apps/$app_id.svg" "$source/data/icons/varelith.svg" ||
        fail "the scalable theme icon is not data/icons/varelith.svg"

    local desktop="$usr/share/applications/$app_id.desktop"
    desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
    appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "appstreamcli refuses the metainfo"

    [[ $(desktop_value "$desktop" Name) == Varelith ]] || fail "desktop entry Name is not Varelith"
    [[ -n $(desktop_value "$desktop" Comment) ]] || fail "desktop entry has no English Comment"
    [[ -n $(desktop_value "$desktop" 'Comment\[ja\]') ]] || fail "desktop entry has no Japanese Comment"
    [[ $(desktop_value "$desktop" Icon) == "$app_id" ]] || fail "desktop entry Icon is not $app_id"
    # The program takes no arguments, so no field codes either.
    [[ $(desktop_value "$desktop" Exec) == varelith ]] || fail "desktop entry Exec is not plain 'varelith'"
    [[ $(desktop_value "$desktop" Categories) =~ (^|;)(Graphics|Utility)\; ]] ||
        fail "desktop entry Categories name neither Graphics nor Utility"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "metainfo does not launch $app_id.desktop"
    grep -q "<release version=\"$version\"" "$usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "metainfo does not list release $version"
}

mode_install() {
    need desktop-file-validate desktop-file-utils
    need appstreamcli appstream
    need python3 python3

    local size shape
    for size in 16 32; do
        shape=$(png_shape "$source/data/icons/varelith-$size.png")
        read -r w h entries <<<"$shape" || true
        [[ "$w $h" == "$size $size" && $entries -ge 2 && $entries -le 16 ]] ||
            fail "varelith-$size.png is '$shape', not a $size x $size image with a palette of up to 16 colours"
    done
    python3 -c 'import sys, xml.etree.ElementTree as T; assert T.parse(sys.argv[1]).getroot().tag == "{http://www.w3.org/2000/svg}svg"' \
        "$source/data/icons/varelith.svg" || fail "varelith.svg is not an SVG document"

    # The prefix chosen at configure time, then one given at install time; DESTDIR both times.
    local configured
    configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:[A-Z]*=//p' "$build/CMakeCache.txt")
    DESTDIR="$work/configured" cmake --install "$build" >"$work/install.log" || fail "cmake --install failed"
    check_install_tree "$work/configured" "$configured"
    DESTDIR="$work/opt" cmake --install "$build" --prefix /opt/varelith >"$work/install.log" ||
        fail "cmake --install --prefix failed"
    check_install_tree "$work/opt" /opt/varelith
    echo "install: files, icons, desktop entry and metainfo are as expected under $configured and /opt/varelith"
}

# "name (op version)" entries of a Depends field, one a line.
depends_lines() {
    tr ',' '\n' <<<"$1" | sed -e 's/^ *//' -e 's/ *$//' | grep -v '^$'
}

mode_deb() {
    need cpack cmake
    need dpkg-deb dpkg
    need dpkg-shlibdeps dpkg-dev
    need apt-cache apt
    need fc-query fontconfig
    need strip binutils

    rm -rf "$debdir"
    mkdir -p "$debdir"
    cpack -G DEB -B "$debdir" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log"; fail "cpack failed"; }
    [[ -f $deb ]] || { ls -l "$debdir"; fail "cpack did not write $(basename "$deb")"; }
    rm -rf "$debdir/_CPack_Packages"

    echo "== $(basename "$deb")"
    dpkg-deb --field "$deb" Package Version Architecture Section Depends
    echo "== files"
    dpkg-deb --contents "$deb"

    [[ $(dpkg-deb --field "$deb" Package) == varelith ]] || fail "package is not named varelith"
    [[ $(dpkg-deb --field "$deb" Version) == "$version" ]] || fail "package version is not $version"

    local files
    files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort)
    diff -u <(expected_files /usr) <(echo "$files") || fail "package holds other files than expected"

    dpkg-deb --extract "$deb" "$work/root"
    local packaged="$work/root/usr/bin/varelith"
    [[ -x $packaged ]] || fail "packaged varelith is not executable"
    # cpack strips what it installs; stripped alike, the build tree's binary must match.
    strip -o "$work/varelith.stripped" "$binary"
    cmp -s "$packaged" "$work/varelith.stripped" || fail "the package does not carry this build tree's varelith"
    desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" || fail "packaged desktop entry is refused"
    appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml" || fail "packaged metainfo is refused"

    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    declare -A declared=()
    local entry name constraint
    while read -r entry; do
        name=${entry%% *}
        constraint=$(sed -n 's/.*(\(.*\)).*/\1/p' <<<"$entry")
        declared[$name]=$constraint
    done < <(depends_lines "$depends")

    # Every library the packaged binary links is declared, at least as new as its symbols need.
    mkdir -p "$work/shlibs/debian"
    printf 'Source: varelith\n\nPackage: varelith\nArchitecture: any\n' >"$work/shlibs/debian/control"
    local computed
    computed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$packaged" 2>/dev/null | sed 's/^shlibs:Depends=//')
    echo "== dpkg-shlibdeps finds: $computed"
    local needed_version declared_version
    while read -r entry; do
        name=${entry%% *}
        [[ -v declared[$name] ]] || fail "the binary links a library of $name, which Depends does not name"
        needed_version=$(sed -n 's/.*(>= *\(.*\)).*/\1/p' <<<"$entry")
        [[ -z $needed_version ]] && continue
        declared_version=$(sed -n 's/^>= *//p' <<<"${declared[$name]}")
        [[ -n $declared_version ]] && dpkg --compare-versions "$declared_version" ge "$needed_version" ||
            fail "Depends asks $name '${declared[$name]}', the binary needs >= $needed_version"
    done < <(depends_lines "$computed")

    # On a fresh machine apt brings the declared packages and what they depend on. That
    # closure must hold every library the binary and the X11 platform plugin load, and
    # Qt's Japanese translation.
    local closure
    closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances "${!declared[@]}" 2>/dev/null | grep -v '^ ' | sed 's/:.*//' | sort -u)
    local multiarch xcb translations
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    xcb=/usr/lib/$multiarch/qt6/plugins/platforms/libqxcb.so
    translations=/usr/share/qt6/translations/qtbase_ja.qm
    [[ -f $xcb ]] || fail "the X11 platform plugin $xcb is not on this machine"
    [[ -f $translations ]] || fail "Qt's Japanese translation $translations is not on this machine"
    local loaded
    loaded=$( (ldd "$packaged" && ldd "$xcb") | awk '$2 == "=>" { print $3 }' | sort -u)
    grep -qx not <<<"$loaded" && fail "a library of the binary or the xcb plugin is not found"
    loaded+=$'\n'"$xcb"$'\n'"$translations"

    # dpkg knows each file under the path its package ships, /lib or /usr/lib alike on a
    # merged /usr, and a library often by its real name: ask for every spelling at once.
    local file spelling
    declare -A owner_of=()
    local spellings=()
    while read -r file; do
        for spelling in "$file" "$(readlink -f "$file")"; do
            spellings+=("$spelling" "${spelling#/usr}" "/usr${spelling#/usr}")
        done
    done <<<"$loaded"
    local owners path
    while IFS= read -r entry; do
        [[ $entry == *": /"* ]] || continue
        owners=${entry%%: /*} path=/${entry#*: /}
        owner_of[$path]=$(sed 's/[:,].*//' <<<"$owners")
    done < <(dpkg -S "${spellings[@]}" 2>/dev/null || true)
    local owner
    while read -r file; do
        owner=
        for spelling in "$file" "$(readlink -f "$file")"; do
            for path in "$spelling" "${spelling#/usr}" "/usr${spelling#/usr}"; do
                [[ -z $owner && -v owner_of[$path] ]] && owner=${owner_of[$path]}
            done
        done
        [[ -n $owner ]] || fail "no installed package owns $file"
        grep -qx "$owner" <<<"$closure" || fail "$file comes from $owner, which the declared Depends do not bring"
    done <<<"$loaded"

    # Beyond the linked libraries, Depends names only the two things loaded at run time.
    local translations_owner japanese_face= font
    translations_owner=$(dpkg -S "$translations" | sed 's/[:,].*//')
    for name in "${!declared[@]}"; do
        grep -q "^$name " <<<"$(depends_lines "$computed")" && continue
        [[ $name == "$translations_owner" ]] && continue
        while read -r font; do
            [[ $font == *.tt[fc] || $font == *.otf ]] || continue
            if fc-query -f '%{lang}\n' "$font" 2>/dev/null | grep -qw ja; then
                japanese_face=$font
                continue 2
            fi
        done < <(dpkg -L "$name" 2>/dev/null)
        fail "Depends names $name, which the program neither links nor loads"
    done
    [[ -v declared[$translations_owner] ]] || fail "Depends does not name $translations_owner (Qt's Japanese texts)"
    [[ -n $japanese_face ]] || fail "no declared package ships a face that covers Japanese"
    echo "deb: files and Depends are as expected; Japanese face $japanese_face"
}

# Starts PROGRAM under a virtual X server with its settings kept in the scratch folder,
# waits for the window named Varelith, and checks that it wears the 16 and 32 px icons
# and that Qt's Japanese translation is loaded (its .qm file is mapped in the process).
show_window() {
    local program=$1 label=$2
    need xvfb-run xvfb
    need xdotool xdotool
    need xprop x11-utils
    local session="$work/session-$label"
    mkdir -p "$session/config"
    cat >"$session/session.sh" <<'EOF'
set -u
"$1" >"$2/program.log" 2>&1 &
program=$!
window=$(timeout 60 xdotool search --sync --name '^Varelith$' | head -n 1)
status=1
if [[ -n $window ]]; then
    xprop -id "$window" _NET_WM_ICON WM_CLASS >"$2/xprop.txt" 2>&1
    grep -o 'qt[a-z]*_ja\.qm' "/proc/$program/maps" | sort -u >"$2/translations.txt"
    status=0
fi
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
exit $status
EOF
    XDG_CONFIG_HOME="$session/config" timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$session/session.sh" "$program" "$session" ||
        { cat "$session/program.log" 2>/dev/null; fail "$label: no window named Varelith appeared"; }
    echo "$label: $program showed its window"
    grep -o 'Icon ([0-9]* x [0-9]*)' "$session/xprop.txt" | sort -u || true
    grep WM_CLASS "$session/xprop.txt" || true
    # Desktop shells tie the window to the entry (its name and icon) through its class.
    local window_class
    window_class=$(desktop_value "$source/packaging/$app_id.desktop" StartupWMClass)
    grep -q "^WM_CLASS(STRING) = \".*\", \"$window_class\"\$" "$session/xprop.txt" ||
        fail "$label: the window's class is not '$window_class', the desktop entry's StartupWMClass"
    grep -q 'Icon (16 x 16)' "$session/xprop.txt" && grep -q 'Icon (32 x 32)' "$session/xprop.txt" ||
        fail "$label: the window carries no 16 and 32 px icons (_NET_WM_ICON)"
    [[ -s $session/translations.txt ]] || fail "$label: Qt's Japanese translation is not loaded"
    echo "$label: Qt translation loaded: $(tr '\n' ' ' <"$session/translations.txt")"
    [[ -f $session/config/Varelith/Varelith.ini ]] ||
        fail "$label: the settings did not land in XDG_CONFIG_HOME/Varelith/Varelith.ini"
}

mode_build_tree() {
    show_window "$binary" build-tree
}

mode_run() {
    if [[ $(id -u) -ne 0 ]]; then
        echo "SKIPPED: installing the package with apt-get needs root; only CI runs this part"
        exit 77
    fi
    need apt-get apt
    need flock util-linux
    [[ -f $deb ]] || fail "$deb is missing; the packaging_deb test builds it"

    # One install at a time on this machine, whichever build tree asks.
    exec 9>/tmp/varelith-package-install.lock
    flock --timeout 600 9 || fail "another package install holds the lock"

    # Leave the machine as it was: remove the package again unless it was there before.
    status_before=$(dpkg-query -W -f='${Status}' varelith 2>/dev/null || true)
    remove_again() {
        [[ $status_before == "install ok installed" ]] || dpkg --remove varelith >/dev/null 2>&1 || true
        rm -rf "$work"
    }
    trap remove_again EXIT

    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        -o DPkg::Lock::Timeout=300 "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install failed"; }
    [[ $(dpkg-query -W -f='${Status} ${Version}' varelith) == "install ok installed $version" ]] ||
        fail "varelith $version is not installed after apt-get"
    echo "== dpkg -L varelith"
    dpkg -L varelith
    show_window /usr/bin/varelith installed
}

case $mode in
install) mode_install ;;
deb) mode_deb ;;
run) mode_run ;;
build-tree) mode_build_tree ;;
*) fail "unknown mode $mode" ;;
esac
