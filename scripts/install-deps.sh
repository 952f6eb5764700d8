#!/usr/bin/env bash
# Installs the Debian 12 packages the program and its tests need, when any is missing.
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build pkg-config clang-format git ccache
    # program
    qt6-base-dev qt6-qpa-plugins libgl-dev qt6-multimedia-dev qt6-webengine-dev
    libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavfilter-dev
    libyuv-dev
    libssl-dev libjs-leaflet fonts-noto-cjk
    # the application icon, drawn at build time
    qt6-svg-dev
    # desktop integration and the Debian package, checked by the tests
    desktop-file-utils appstream shared-mime-info xdg-utils dpkg-dev python3-gi
    # demo card and tests
    ffmpeg libgtest-dev xvfb xauth xdotool pulseaudio pulseaudio-utils poppler-utils
    # a real format: a FAT image on a loop device, udisks2 on a bus of the test's own, FUSE
    udisks2 udev dbus dosfstools fusefat
    # fuzz targets (libFuzzer)
    clang libclang-rt-14-dev
)
if [ "${1:-}" = "--bench" ]; then
    packages+=(gpsbabel mpv hyperfine)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
