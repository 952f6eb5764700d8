#!/bin/sh
# Installs the program as a user's desktop would get it and checks what the desktop reads: the
# menu entry, the software-centre description, the card type, the icons, the Debian package,
# and that the installed program runs from where it was put.
# Usage: desktop_test.sh SOURCE_DIR BUILD_DIR CARD
set -eu
source_dir=$1 build_dir=$2 card=$3
app_id=com.veska.karvenna
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

desktop-file-validate "$source_dir/packaging/$app_id.desktop"
appstreamcli validate --no-net --explain "$build_dir/packaging/$app_id.metainfo.xml"

# An install into a prefix of its own, moved elsewhere afterwards: the program must find its
# files relative to itself.
cmake --install "$build_dir" --prefix "$scratch/staged" >/dev/null
mv "$scratch/staged" "$scratch/prefix"
prefix=$scratch/prefix
for file in bin/karvenna bin/karvenna-cli libexec/karvenna-cli-media share/karvenna/MapView.htm \
            share/applications/$app_id.desktop \
            share/metainfo/$app_id.metainfo.xml share/mime/packages/$app_id.xml \
            share/icons/hicolor/scalable/apps/$app_id.svg \
            share/icons/hicolor/16x16/apps/$app_id.png share/icons/hicolor/256x256/apps/$app_id.png; do
    [ -s "$prefix/$file" ] || fail "not installed: $file"
done
version=$("$prefix/bin/karvenna-cli" --version)
[ "$version" = "$("$prefix/bin/karvenna-cli" strings 1033 320)" ] || fail "version $version"
grep -q "release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo does not name release $version"
# The map page, found beside the moved program, and the Leaflet it loads from the system.
page=$("$prefix/bin/karvenna-cli" map-page 1041)
[ "$page" = "file://$prefix/share/karvenna/MapView.htm?language=ja" ] ||
    fail "the installed program looks for its map page at $page"
for script in $(grep -o 'file:///usr/share/javascript/[^"]*' "$prefix/share/karvenna/MapView.htm"); do
    [ -s "${script#file://}" ] || fail "the map page loads ${script#file://}, which is missing"
done
QT_QPA_PLATFORM=offscreen "$prefix/bin/karvenna" --version | grep -qx "karvenna $version" ||
    fail "karvenna --version"
QT_QPA_PLATFORM=offscreen "$prefix/bin/karvenna" --help | grep -q -- "--card" ||
    fail "karvenna --help"

# The card type: shared-mime-info compiles it, and the desktop's default for it is the program.
update-mime-database "$prefix/share/mime"
grep -q "x-content/video-qx5-dashcam" "$prefix/share/mime/treemagic" ||
    fail "update-mime-database made no treemagic entry"
# GIO, as the file manager uses it on a newly mounted medium: the card is recognised, a folder
# that only has a "Recordings" folder is not.
mkdir -p "$scratch/other/Recordings"
guess() {
    XDG_DATA_DIRS="$prefix/share:/usr/share" /usr/bin/python3 -c '
import sys, gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio
print(" ".join(Gio.content_type_guess_for_tree(Gio.File.new_for_path(sys.argv[1]))))' "$1"
}
[ "$(guess "$card")" = "x-content/video-qx5-dashcam" ] || fail "GIO does not recognise the card"
[ -z "$(guess "$scratch/other")" ] || fail "GIO takes a plain Recordings folder for a card"
update-desktop-database "$prefix/share/applications"
default=$(XDG_DATA_HOME="$scratch/home" XDG_DATA_DIRS="$prefix/share:/usr/share" \
          XDG_CONFIG_HOME="$scratch/config" xdg-mime query default x-content/video-qx5-dashcam)
[ "$default" = "$app_id.desktop" ] || fail "xdg-mime names '$default' for the card"

# The installed program starts on a card and shows its window.
"$source_dir/tests/app/smoke.sh" "$prefix/bin/karvenna" "$card" "$scratch/installed" \
    >/dev/null

# The Debian package: its dependencies and what it unpacks.
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/deb" >/dev/null
package=$(ls "$scratch"/deb/karvenna_*.deb)
depends=$(dpkg-deb -f "$package" Depends)
for needed in libjs-leaflet fonts-noto-cjk libqt6widgets6 libavcodec; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed: $depends"
done
dpkg-deb -x "$package" "$scratch/root"
[ "$("$scratch/root/usr/bin/karvenna-cli" --version)" = "$version" ] ||
    fail "the packaged karvenna-cli does not run"
[ -s "$scratch/root/usr/share/applications/$app_id.desktop" ] || fail "package without menu entry"
[ -s "$scratch/root/usr/share/karvenna/MapView.htm" ] || fail "package without the map page"
echo "installed, validated and packaged: $(basename "$package")"
