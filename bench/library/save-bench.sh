#!/usr/bin/env bash
# Saves 20 recordings of 50 MB with their .gps and .gsf files into another folder of the same
# disk, side by side with `cp` of the same 60 files, and prints how many times longer the save
# takes. The save puts every file on the disk before it takes its name; `cp` leaves it in memory
# for the system to write later, so it is measured also followed by a `sync` of the copied files,
# which is what the save promises. The save runs as the window runs it (karvenna-save-bench, the
# same code in a small process) and through `karvenna-cli save`. Three runs each, their medians
# compared; the last line is `ratio save_vs_cp_sync VALUE` for scripts.
# Usage: bench/library/save-bench.sh [FOLDER]  (FOLDER is made and removed when not given)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-cli karvenna-save-bench
cli=$PWD/build/bench/app/karvenna-cli
save=$PWD/build/bench/bench/library/karvenna-save-bench

if [ $# -ge 1 ]; then
    work=$1
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
card=$work/card
folder=$card/Recordings
mkdir -p "$folder"
names=()
for i in $(seq -w 0 19); do
    base=20240301_10${i}00_NOR
    names+=("$base.AVI")
    if [ ! -s "$folder/$base.AVI" ]; then
        head -c 50M /dev/urandom > "$folder/$base.AVI"
        head -c 24K /dev/urandom > "$folder/$base.gps"
        head -c 24K /dev/urandom > "$folder/$base.gsf"
    fi
done
files=$(cd "$folder" && printf '%s ' *)

results=$(mktemp)
# Under the build lock: a build beside it would spoil the figures.
flock /tmp/karvenna-build.lock hyperfine --warmup 1 --runs 3 --export-csv "$results" \
    --prepare "rm -rf '$work/to' && mkdir '$work/to'" \
    -n "cp" "cd '$folder' && cp $files '$work/to'" \
    -n "cp + sync" "cd '$folder' && cp $files '$work/to' && cd '$work/to' && sync $files" \
    -n "save" "'$save' '$folder' '$work/to'" \
    -n "karvenna-cli save" "'$cli' save '$card' ${names[*]} --to '$work/to'"
# The CSV's columns: command, mean, stddev, median, ...
awk -F, -v load="$(cut -d' ' -f1-3 /proc/loadavg)" '
    NR == 2 { cp = $4 } NR == 3 { synced = $4 } NR == 4 { saved = $4 }
    NR == 5 { printf "karvenna-cli save (median of 3): %.2fx the time of cp + sync\n", $4 / synced
              printf "save (median of 3): %.2fx the time of cp, %.2fx the time of cp + sync (aim: at most 0.8; load %s)\n",
                     saved / cp, saved / synced, load
              printf "ratio save_vs_cp_sync %.2f\n", saved / synced }' "$results"
rm -f "$results"
rm -rf "$work/to"
