#!/usr/bin/env bash
# Scans a card of 10,000 three-minute recordings for trips and events, side by side with `cat`
# of the same telemetry files (the videos give only their first bytes), first with no cache and
# then as a second opening finds it, and prints how many times longer each takes.
# Usage: bench/library/scan-bench.sh [CARD]  (CARD is made and removed when not given)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-scan-bench
bench=build/bench/bench/library/karvenna-scan-bench

cache=$(mktemp -d)
results=$(mktemp)
if [ $# -ge 1 ]; then
    card=$1
    trap 'rm -rf "$cache" "$results"' EXIT
else
    card=$(mktemp -d)
    trap 'rm -rf "$cache" "$results" "$card"' EXIT
fi
folder=$card/Recordings
if [ "$(find "$folder" -maxdepth 1 -name '*.gsf' 2>/dev/null | wc -l)" -ne 10000 ]; then
    echo "Writing 10,000 recordings with their telemetry files to $folder"
    rm -rf "$folder"
    "$bench" make "$card" 10000
fi
"$bench" scan "$card" "$cache/scan"

# Under the build lock: a build beside it would spoil the figures.
flock /tmp/karvenna-build.lock hyperfine --warmup 2 --min-runs 10 --export-csv "$results" \
    -n "cat" "find '$folder' -maxdepth 1 -name '*.gs[fp]' -print0 | xargs -0 cat > /dev/null" \
    -n "scan" "'$bench' scan '$card'" \
    -n "scan from the cache" "'$bench' scan '$card' '$cache/scan'"
awk -F, 'NR == 2 { base = $2 }
         NR > 2 { printf "%s: %.3f s, %.2fx the time of cat\n", $1, $2, $2 / base }
         NR == 3 { scan = $2 / base } NR == 4 { cached = $2 / base }
         END { printf "ratio scan_vs_cat %.2f\nratio cached_scan_vs_cat %.2f\n", scan, cached }' \
    "$results"
