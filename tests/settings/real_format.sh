#!/usr/bin/env bash
# Formats a real FAT file system with `karvenna-cli format ROOT --yes`: a FAT image on a loop
# device stands for the card, and udisks2 and udevd run on a system bus of the test's own, so that
# udisks2 really runs mkfs.vfat. Where the kernel has no vfat driver, FAT is mounted through FUSE
# (fusefat), which a mount.vfat helper visible only to this test's mount namespace starts; udisks2
# mounts the new file system through it as it would through the kernel.
#
# Afterwards the label must be KARVENNADVR, both settings files must be on the card byte for byte
# (and kept in the backup folder), the recordings gone, and the file system sound.
# Needs root; skips (exit 77) saying why when something outside the program is missing.
set -euo pipefail
cli=$1 card=$2

skip() {
    echo "SKIPPED: $*"
    exit 77
}

if [ "${KARVENNA_FORMAT_NAMESPACE:-}" != 1 ]; then
    [ "$(id -u)" -eq 0 ] || skip "making loop devices and mounting needs root"
    [ -e /dev/loop-control ] || skip "no loop devices (/dev/loop-control is missing)"
    [ -e /dev/fuse ] || skip "no FUSE (/dev/fuse is missing)"
    for tool in unshare losetup mkfs.vfat fatlabel fsck.vfat fusefat dbus-daemon dbus-send \
        udevadm udisksctl; do
        command -v "$tool" > /dev/null || skip "$tool is not installed"
    done
    # A private mount namespace: the mount.vfat helper, the FUSE mounts and udisks2's mount
    # points are seen by this test alone and vanish with it.
    KARVENNA_FORMAT_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi

udisksd=
for candidate in /usr/libexec/udisks2/udisksd /usr/lib/udisks2/udisksd; do
    [ -x "$candidate" ] && udisksd=$candidate
done
[ -n "$udisksd" ] || skip "udisksd is not installed"
udevd=
for candidate in /lib/systemd/systemd-udevd /usr/lib/systemd/systemd-udevd; do
    [ -x "$candidate" ] && udevd=$candidate
done

work=$(mktemp -d /tmp/karvenna-format.XXXXXX)
pids=() loop=
cleanup() {
    # FUSE mounts first: their daemons keep the loop device open.
    local point
    for point in $(awk '{ i = 7; while ($i != "-") i++; if ($(i + 1) == "fuseblk") print $5 }' \
        /proc/self/mountinfo); do
        umount "$point" 2> /dev/null || true
    done
    [ -z "$loop" ] || losetup -d "$loop" 2> /dev/null || true
    for pid in "${pids[@]}"; do
        kill "$pid" 2> /dev/null || true
        wait "$pid" 2> /dev/null || true
    done
    umount /usr/sbin "$work/sbin-real" 2> /dev/null || true
    # Only what the test made is removed, by name: never through a mount point still there.
    rm -rf "$work/data"
    rm -f "$work/bus" "$work/bus.conf" "$work/card.img" "$work"/*.log
    [ ! -d "$work/sbin" ] || find "$work/sbin" -mindepth 1 -maxdepth 1 -delete
    rmdir "$work"/* "$work" 2> /dev/null || true
}
trap cleanup EXIT

# Waits up to 20 s for a command to succeed.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 200); do
        "$@" > /dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "FAILED: $what"
    exit 1
}

# mount.vfat through FUSE, as a block device's own mount, so that udisks2 sees the volume
# mounted (a plain FUSE mount has no device number).
if ! grep -qw vfat /proc/filesystems; then
    mkdir "$work/sbin" "$work/sbin-real"
    mount --bind /usr/sbin "$work/sbin-real"
    mount -o remount,bind,ro "$work/sbin-real"
    for tool in /usr/sbin/*; do
        ln -s "$work/sbin-real/${tool##*/}" "$work/sbin/"
    done
    printf '#!/bin/sh\nexec fusefat -o rw+,blkdev,fsname="$1" "$1" "$2" >>%s 2>&1\n' \
        "$work/fusefat.log" > "$work/sbin/mount.vfat"
    chmod +x "$work/sbin/mount.vfat"
    mount --bind "$work/sbin" /usr/sbin
fi
mkdir -p /media /run/udisks2
mount -t tmpfs tmpfs /media
mount -t tmpfs tmpfs /run/udisks2

cat > "$work/bus.conf" << EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$work/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_requested_reply="true" send_type="method_return"/>
    <allow send_requested_reply="true" send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
    <allow receive_type="signal"/>
  </policy>
</busconfig>
EOF
dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile > "$work/bus.log" 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/bus
wait_for "the test's system bus did not start" test -S "$work/bus"

# udisks2 learns of block devices from udev: start udevd unless one is running.
if ! udevadm control --ping 2> /dev/null; then
    [ -n "$udevd" ] || skip "no udevd is running and systemd-udevd is not installed"
    "$udevd" > "$work/udevd.log" 2>&1 &
    pids+=($!)
    wait_for "udevd did not start" udevadm control --ping
fi
"$udisksd" --no-sigint > "$work/udisksd.log" 2>&1 &
pids+=($!)
wait_for "udisksd did not take its name on the bus" dbus-send --system --print-reply \
    --dest=org.freedesktop.UDisks2 /org/freedesktop/UDisks2/Manager \
    org.freedesktop.DBus.Properties.Get string:org.freedesktop.UDisks2.Manager string:Version

status=0
fail() {
    echo "FAILED: $*"
    status=1
}
# The camera's settings files and some recordings on the card mounted at $1.
fill_card() {
    mkdir -p "$1/Config" "$1/Recordings"
    cp "$card/Config/setting.ini" "$card/Config/setting_pcm.ini" "$1/Config/"
    local recordings=("$card"/Recordings/*.AVI)
    cp "${recordings[@]:0:3}" "$1/Recordings/"
}
# Both settings files as the card had them, and nothing else, on the card mounted at $1.
check_card() {
    for name in setting.ini setting_pcm.ini; do
        cmp "$card/Config/$name" "$1/Config/$name" || fail "Config/$name is not back as it was"
    done
    # fusefat lists the volume label's directory entry as an empty file.
    local left
    left=$(cd "$1" && find . -type f ! -name KARVENNA.DVR | sort | tr '\n' ' ')
    [ "$left" = "./Config/setting.ini ./Config/setting_pcm.ini " ] ||
        fail "the card holds other files than the settings files: $left"
}
# Unmounts the card at $1, then checks the label and the file system.
check_image() {
    umount "$1"
    wait_for "the formatted card was not let go" sh -c "! grep -q ' $1 ' /proc/self/mountinfo"
    local label
    label=$(fatlabel "$loop" 2> /dev/null | head -1)
    [ "$label" = KARVENNADVR ] || fail "the label is '$label', not KARVENNADVR"
    fsck.vfat -n "$loop" > "$work/fsck.log" 2>&1 || {
        fail "the formatted file system has errors"
        cat "$work/fsck.log"
    }
}
# karvenna-cli format on the card mounted at $work/card, once udisks2 sees it there.
format_card() {
    wait_for "udisks2 did not see $loop mounted at $work/card" \
        sh -c "udisksctl info -b '$loop' | grep -q 'MountPoints: *$work/card\$'"
    KARVENNA_LOOP_DEVICES_ARE_CARDS=1 XDG_DATA_HOME="$work/data" \
        "$cli" format "$work/card" --yes 2>&1
}

# The card: an old label, the camera's settings files and some recordings.
truncate -s 64M "$work/card.img"
mkfs.vfat -n OLDCARD "$work/card.img" > /dev/null
loop=$(losetup --find --show "$work/card.img")
udevadm settle
mkdir "$work/card"
mount -t vfat "$loop" "$work/card"
fill_card "$work/card"
output=$(format_card) || {
    echo "FAILED: karvenna-cli format exited $?: $output"
    tail -20 "$work/udisksd.log"
    exit 1
}
echo "$output"
root=${output##* now at }
root=${root%%;*}
[ -d "$root" ] || { echo "FAILED: the new root '$root' is not a folder"; exit 1; }
check_card "$root"
backups=("$work"/data/karvenna/settings-backup/*)
for name in setting.ini setting_pcm.ini; do
    cmp "$card/Config/$name" "${backups[0]}/Config/$name" || fail "no copy of Config/$name kept"
done
check_image "$root"
[ $status -eq 0 ] && echo "formatted $loop for real: label KARVENNADVR, settings files back"

# Where udisks2 cannot mount the new file system, nothing is written back: the command says so
# and where the copies are, and `settings restore` writes them once the card is mounted.
if [ -e "$work/sbin/mount.vfat" ]; then
    mount -t vfat "$loop" "$work/card"
    fill_card "$work/card"
    rm "$work/sbin/mount.vfat"
    if output=$(format_card); then
        fail "karvenna-cli format succeeded without a way to mount FAT: $output"
    fi
    echo "$output"
    latest=$(ls -d "$work"/data/karvenna/settings-backup/* | tail -1)
    grep -qF "$latest" <<< "$output" || fail "the failure does not name the copies' folder"
    grep -qF "karvenna-cli settings restore ROOT --from $latest" <<< "$output" ||
        fail "the failure does not say how to write the copies back"
    mkdir "$work/again"
    fusefat -o rw+,blkdev,fsname="$loop" "$loop" "$work/again" >> "$work/fusefat.log" 2>&1
    XDG_DATA_HOME="$work/data" "$cli" settings restore "$work/again" || fail "restore failed"
    check_card "$work/again"
    check_image "$work/again"
    [ $status -eq 0 ] && echo "a failed write-back is made good by karvenna-cli settings restore"
fi
exit $status
