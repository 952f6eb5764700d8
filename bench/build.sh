#!/usr/bin/env bash
# Installs what the benchmarks need and builds the given targets in Release, outside the test
# build. Usage: bench/build.sh TARGET...   Run from the repository's root.
set -euo pipefail

scripts/install-deps.sh --bench
build=build/bench
flock /tmp/karvenna-build.lock cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKARVENNA_BUILD_TESTS=OFF >/dev/null
flock /tmp/karvenna-build.lock cmake --build "$build" --target "$@"
