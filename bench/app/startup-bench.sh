#!/usr/bin/env bash
# Start-up of the program on a demo card, under Xvfb: the time from the start to the listed window
# (shown, and its card's list made: no CPU used for 300 ms after it shows) and the resident memory
# then; the median of five runs after one not counted. Beside it the same program with the map's
# browser engine preloaded, as it started when the program linked the engine.
# Usage: bench/app/startup-bench.sh   (run it while nothing else loads the machine)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna karvenna-democard
build=build/bench
media=$build/media
card=$media/demo-card
if [ ! -d "$card/Recordings" ]; then
    rm -rf "$card"
    "$build/tools/democard/karvenna-democard" "$card" >/dev/null
fi

home=$(mktemp -d)
source bench/xvfb.sh
start_xvfb
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
sleep 1

engine=$(ldconfig -p | awk '/libQt6WebEngineWidgets.so.6 /{ print $NF; exit }')
# Under the build lock: a build beside it would spoil the figures.
exec 9>/tmp/karvenna-build.lock
flock 9
DISPLAY=$display HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home \
    python3 bench/app/startup.py "$build/app/karvenna" "$card" "$engine"
