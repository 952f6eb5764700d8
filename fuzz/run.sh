#!/usr/bin/env bash
# Fuzzes every target for SECONDS each (300 when not given), starting from its seed corpus and
# reproducers. New inputs go to build/fuzz/found/TARGET; an input that breaks a target is saved
# as build/fuzz/found/crash-TARGET-*: add it to fuzz/reproducers/TARGET once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}

scripts/install-deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKARVENNA_FUZZ=ON -DKARVENNA_BUILD_TESTS=OFF
cmake --build build/fuzz --target fuzz_targets

for source in fuzz/corpus/*/; do
    target=$(basename "$source")
    found=build/fuzz/found/$target
    mkdir -p "$found"
    inputs=("$found" "$source")
    [ -d "fuzz/reproducers/$target" ] && inputs+=("fuzz/reproducers/$target")
    echo "== $target"
    "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/found/crash-$target-" "${inputs[@]}" 2>&1 |
        grep -E '^(stat::|==[0-9]+==|SUMMARY|artifact_prefix|Done|.*does not hold)' || true
done
