#!/usr/bin/env bash
# Builds the program and starts it on the connected memory card, or on a demo card when no card
# is connected.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKARVENNA_BUILD_TESTS=OFF
cmake --build build/release

card_args=()
if [ -z "$(build/release/app/karvenna-cli drives 2>/dev/null)" ]; then
    demo="${XDG_DATA_HOME:-$HOME/.local/share}/karvenna/demo-card"
    if [ ! -d "$demo/Recordings" ]; then
        echo "No memory card found; writing a demo card to $demo (once)."
        rm -rf "$demo"
        build/release/tools/democard/karvenna-democard "$demo"
    fi
    card_args=(--card "$demo")
fi
exec build/release/app/karvenna "${card_args[@]}"
