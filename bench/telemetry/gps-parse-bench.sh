#!/usr/bin/env bash
# Parses a .gps of ten hours (36,000 fixes) side by side with gpsbabel reading the same sentences
# without their offsets, and prints how many times longer each takes than gpsbabel.
# Usage: bench/telemetry/gps-parse-bench.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-gps-bench karvenna-cli
build=build/bench

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$build/bench/telemetry/karvenna-gps-bench" write "$folder"
# karvenna-cli finds the telemetry beside a recording; the video itself is not read.
touch "$folder/ten-hours.AVI"

results=$(mktemp)
# Under the build lock: a build beside it would spoil the figures.
flock /tmp/karvenna-build.lock hyperfine --warmup 3 --min-runs 20 --export-csv "$results" \
    -n "gpsbabel" "gpsbabel -i nmea -f '$folder/ten-hours.nmea' -o unicsv -F /dev/null" \
    -n "karvenna-gps-bench parse" "'$build/bench/telemetry/karvenna-gps-bench' parse '$folder/ten-hours.gps'" \
    -n "karvenna-cli telemetry" "'$build/app/karvenna-cli' telemetry '$folder/ten-hours.AVI'"
awk -F, 'NR == 2 { base = $2 } NR > 2 { printf "%s: %.2fx the time of gpsbabel\n", $1, $2 / base }' \
    "$results"
rm -f "$results"
