#!/usr/bin/env bash
# Lists a Recordings folder of 10,000 recordings with their 20,000 telemetry files, side by side
# with `find | sort` over the same folder, and prints how many times longer the listing takes.
# Usage: bench/library/list-bench.sh [FOLDER]  (FOLDER is made and removed when not given)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-list-bench karvenna-cli
build=build/bench

if [ $# -ge 1 ]; then
    card=$1
else
    card=$(mktemp -d)
    trap 'rm -rf "$card"' EXIT
fi
folder=$card/Recordings
mkdir -p "$folder"
if [ "$(find "$folder" -maxdepth 1 -type f | wc -l)" -ne 30000 ]; then
    echo "Writing 10,000 sparse recordings and their telemetry files to $folder"
    # 100 days of 100 recordings, the kinds in turn, both containers.
    awk -v folder="$folder" 'BEGIN {
        split("NOR EVT MOT", kinds, " "); split("AVI MP4", containers, " ");
        for (i = 0; i < 10000; i++) {
            day = int(i / 100); minute = (i % 100) * 3
            base = sprintf("%s/2024%02d%02d_%02d%02d00_%s", folder, int(day / 28) + 1,
                           day % 28 + 1, int(minute / 60), minute % 60, kinds[i % 3 + 1])
            print base "." containers[i % 2 + 1] > "/dev/stdout"
            print base ".gps" > "/dev/stderr"
            print base ".gsf" > "/dev/stderr"
        }
    }' > "$card/videos" 2> "$card/telemetry"
    xargs -d '\n' truncate -s 190M < "$card/videos"
    xargs -d '\n' truncate -s 24K < "$card/telemetry"
fi

results=$(mktemp)
# Under the build lock: a build beside it would spoil the figures.
flock /tmp/karvenna-build.lock hyperfine --warmup 3 --min-runs 20 --export-csv "$results" \
    -n "find | sort" "find '$folder' -maxdepth 1 -type f -printf '%s %B@ %p\n' | sort" \
    -n "karvenna-list-bench" "'$build/bench/library/karvenna-list-bench' '$folder'" \
    -n "karvenna-cli list" "'$build/app/karvenna-cli' list '$card'"
awk -F, 'NR == 2 { base = $2 } NR > 2 { printf "%s: %.2fx the time of find | sort\n", $1, $2 / base }' \
    "$results"
rm -f "$results"
