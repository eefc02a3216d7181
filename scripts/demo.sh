#!/usr/bin/env bash
# Builds the module and the device simulator, starts the simulator on loopback and opens the module on it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
work=$(mktemp -d /tmp/qmx-demo.XXXXXX)
# shellcheck source=sim-env.sh
. "$top/scripts/sim-env.sh"
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
echo "Simulator on 127.0.0.1:$sim_port (log: $work/sim.log)"
echo "Module: $build/app/qmx7240nt /I127.0.0.1 /Rkiwano /Wmorello"
# The module runs in the working folder, where it keeps its SNMPv3 boot counter.
cd "$work"
"$build/app/qmx7240nt" /I127.0.0.1 /Rkiwano /Wmorello
