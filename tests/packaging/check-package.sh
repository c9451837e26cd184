#!/usr/bin/env bash
# Varelith as a desktop program, from one build tree. The install (DESTDIR, the configured
# prefix and another) holds exactly the program, its desktop entry, icons and metainfo,
# which the validators accept, the entry offering the program for the font files it opens.
# The Debian package holds the same under /usr, with a Depends naming every package the
# binary's libraries, Qt's Japanese texts and a Japanese face come from. Installed with
# apt-get, the program shows its window with its icons and class and Qt's Japanese texts
# loaded. Needs root for that: skipped without, failed in CI.
#
#   check-package.sh BUILD SOURCE BINARY VERSION
set -euo pipefail
build=$1 source=$2 binary=$3 version=$4
source "$source/tests/support/xvfb.sh"
require_tools xvfb-run xdotool xprop desktop-file-validate appstreamcli cpack dpkg-deb \
    dpkg-shlibdeps fc-query strip python3
enter_xvfb 1280x1024x24 "$0" "$@"

id=io.github.varelith.Varelith
work=$VARELITH_XVFB_WORK
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The tree under ROOT holds the files of an install into PREFIX, and nothing else.
check_tree() {
    local root=$1 prefix=${2#/}
    diff -u <(printf '%s\n' bin/varelith "share/applications/$id.desktop" \
        "share/icons/hicolor/16x16/apps/$id.png" "share/icons/hicolor/32x32/apps/$id.png" \
        "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" |
        sed "s|^|$prefix/|" | sort) \
        <(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort) ||
        fail "an install into /$prefix holds other files than these"
    local entry=$root/$prefix/share/applications/$id.desktop
    desktop-file-validate "$entry" || fail "desktop-file-validate refuses the desktop entry"
    grep -qx "Icon=$id" "$entry" || fail "the desktop entry's icon is not $id"
    "$source/tests/packaging/check-desktop-mime.py" "$entry" ||
        fail "the desktop entry does not offer the program for the font files it opens"
    appstreamcli validate --no-net "$root/$prefix/share/metainfo/$id.metainfo.xml" ||
        fail "appstreamcli refuses the metainfo"
}

configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:[A-Z]*=//p' "$build/CMakeCache.txt")
DESTDIR=$work/configured cmake --install "$build" >/dev/null
check_tree "$work/configured" "$configured"
DESTDIR=$work/opt cmake --install "$build" --prefix /opt/varelith >/dev/null
check_tree "$work/opt" /opt/varelith
cmp "$work/opt/opt/varelith/bin/varelith" "$binary" || fail "the program installed is not the build's"

cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(echo "$work"/deb/varelith_"$version"_*.deb)
dpkg-deb --info "$deb"
[[ $(dpkg-deb -f "$deb" Package)/$(dpkg-deb -f "$deb" Version) == "varelith/$version" ]] ||
    fail "the package is not varelith $version"
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root" /usr
strip -o "$work/stripped" "$binary" # cpack strips what it packs
cmp "$work/root/usr/bin/varelith" "$work/stripped" || fail "the package holds another program"

# Every package the binary's libraries come from is in Depends, at least as new as needed;
# so are the owner of Qt's Japanese texts and a package with a face for Japanese.
entries() { tr ',' '\n' <<<"$1" | sed -E 's/^ *([^ ]+) *(\(>= *([^)]*)\))?.*/\1 \3/'; }
depends=$(entries "$(dpkg-deb -f "$deb" Depends)")
mkdir -p "$work/shlibs/debian"
printf 'Source: varelith\n\nPackage: varelith\nArchitecture: any\n' >"$work/shlibs/debian/control"
needed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$work/root/usr/bin/varelith" 2>/dev/null |
    sed 's/^shlibs:Depends=//')
while read -r name least; do
    declared=$(awk -v name="$name" '$1 == name { print "=" $2 }' <<<"$depends")
    [[ -n $declared ]] || fail "the binary links a library of $name, which Depends does not name"
    [[ -z $least ]] || dpkg --compare-versions "${declared#=}" ge "$least" ||
        fail "Depends asks $name '${declared#=}', the binary needs at least $least"
done < <(entries "$needed")
translations=$(dpkg -S /usr/share/qt6/translations/qtbase_ja.qm | cut -d: -f1)
grep -q "^$translations " <<<"$depends" || fail "Depends does not name $translations (Qt's Japanese)"
for name in $(cut -d' ' -f1 <<<"$depends"); do
    dpkg -L "$name" 2>/dev/null | grep -E '\.(ttf|ttc|otf)$' | xargs -r fc-query -f '%{lang}\n' |
        grep -qw ja && japanese=$name
done
[[ -n ${japanese:-} ]] || fail "no package in Depends has a face for Japanese"
echo "install and package: as expected; Japanese face from $japanese"

[[ $(id -u) == 0 ]] || skip "installing the package needs root"
was=$(dpkg-query -W -f='${Status}' varelith 2>/dev/null || true)
trap '[[ $was == "install ok installed" ]] || dpkg --remove varelith >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get"; }
XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb /usr/bin/varelith &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Varelith$' | head -n 1) ||
    fail "the installed program showed no window"
properties=$(xprop -id "$window" _NET_WM_ICON WM_CLASS)
grep -q 'Icon (16 x 16)' <<<"$properties" && grep -q 'Icon (32 x 32)' <<<"$properties" ||
    fail "the window wears no 16 and 32 px icons"
class=$(sed -n 's/^StartupWMClass=//p' "$source/packaging/$id.desktop")
grep -q "WM_CLASS(STRING) = .*\"$class\"" <<<"$properties" ||
    fail "the window's class is not $class, the desktop entry's StartupWMClass"
grep -q 'qtbase_ja\.qm' "/proc/$!/maps" || fail "Qt's Japanese translation is not loaded"
kill $!
echo "installed: the window, its icons, its class, Qt's Japanese texts"
