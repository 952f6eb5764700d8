#!/usr/bin/env bash
# Builds the program and starts it on the connected memory card, or on a demo card when no card
# is connected.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The same tree as scripts/test.sh; only the program and its tools are built here.
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/main --target karvenna karvenna-cli karvenna-democard

card_args=()
if [ -z "$(build/main/app/karvenna-cli drives 2>/dev/null)" ]; then
    demo="${XDG_DATA_HOME:-$HOME/.local/share}/karvenna/demo-card"
    # Written again when the demo card's writer changed, so that the demo shows what it can.
    maker=build/main/tools/democard/karvenna-democard
    made_by=$(sha256sum "$maker" | cut -d" " -f1)
    if [ ! -d "$demo/Recordings" ] || [ "$(cat "$demo.made-by" 2>/dev/null)" != "$made_by" ]; then
        echo "No memory card found; writing a demo card to $demo."
        rm -rf "$demo"
        "$maker" "$demo"
        echo "$made_by" > "$demo.made-by"
    fi
    card_args=(--card "$demo")
fi
exec build/main/app/karvenna "${card_args[@]}"
