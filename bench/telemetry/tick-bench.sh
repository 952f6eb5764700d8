#!/usr/bin/env bash
# The cost of one playback tick on the user-interface thread with the map pane open (the script
# call to the map page, the speed digits, the graph cursor and their repaint), and in full screen
# with the telemetry overlay over the video, median and 95th percentile over a 60 s recording,
# against the 200 ms tick period. Offscreen, without network.
# Usage: bench/telemetry/tick-bench.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-tick-bench
# Under the build lock: a build beside it would spoil the figures.
QT_QPA_PLATFORM=offscreen \
QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --disable-background-networking" \
    flock /tmp/karvenna-build.lock build/bench/bin/karvenna-tick-bench 2>/dev/null
