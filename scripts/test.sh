#!/usr/bin/env bash
# Builds everything and runs every test, printing the output of those that fail.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
ctest --test-dir build/test --output-on-failure --timeout 600
