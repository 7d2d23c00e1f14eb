#!/usr/bin/env bash
# Builds the viewer, generates a demo recording and starts the viewer on it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja
cmake --build build/release -j "$(nproc)"

if [[ ! -x build/release/shell/orvik-view ]]; then
    echo "The viewer is not built yet: this checkout holds only the core so far."
    exit 0
fi
demo=demo-recording
if [[ ! -d $demo ]]; then
    build/release/tools/mkrec/orvik-mkrec --output "$demo"
fi
exec build/release/shell/orvik-view "$PWD/$demo"
