#!/usr/bin/env bash
# Builds everything and runs every test, printing the output of those that fail.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh
# The same tree as scripts/run.sh: whichever command runs second only builds what is missing.
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/main
ctest --test-dir build/main --output-on-failure --timeout 600

# The playback engine's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer:
# its threads are where memory faults and races would hide.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKARVENNA_SANITIZE=ON
cmake --build build/asan --target playback_test karvenna-democard
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure --timeout 600 -R '^playback_test$'

# Every fuzz target once over its seed corpus and the reproducers of faults found so far.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKARVENNA_FUZZ=ON -DKARVENNA_BUILD_TESTS=OFF
cmake --build build/fuzz --target fuzz_targets
ctest --test-dir build/fuzz --output-on-failure --timeout 120
