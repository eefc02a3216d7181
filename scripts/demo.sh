#!/usr/bin/env bash
# Builds the module and the device simulator, starts the simulator on loopback and opens the module on
# it. Without a display it says so at once and offers a screenshot under Xvfb instead.
# Usage: scripts/demo.sh [SNMP options]   (scripts/demo.sh --help lists them)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
for a in "$@"; do
    if [ "$a" = --help ] || [ "$a" = -h ]; then
        echo "usage: scripts/demo.sh [SNMP options]"
        # shellcheck source=demo-options.sh
        (. "$top/scripts/demo-options.sh" && demo_usage)
        exit 0
    fi
done
# shellcheck source=demo-options.sh
. "$top/scripts/demo-options.sh"
if [ ${#demo_rest[@]} -gt 0 ]; then
    echo "unknown argument: ${demo_rest[0]} (see --help)" >&2
    exit 2
fi

# Qt's window needs a display; finding that out after the build would cost a minute for nothing.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: DISPLAY and WAYLAND_DISPLAY are unset, so the module's window cannot open here."
    if ! command -v Xvfb >/dev/null; then
        echo "Xvfb is not installed either (scripts/setup.sh installs it); nothing to show." >&2
        exit 1
    fi
    answer=y
    if [ -t 0 ]; then
        read -r -p "Run it under Xvfb and write a screenshot of the main window instead? [Y/n] " answer || answer=n
    else
        echo "Running it under Xvfb and writing a screenshot of the main window instead."
    fi
    case "$answer" in
    "" | y | Y | yes) exec "$top/scripts/screenshot.sh" "$@" ;;
    *) exit 1 ;;
    esac
fi

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${HV_JOBS:-$(nproc)}" --target qmx7240nt qmx_sim
work=$(mktemp -d /tmp/qmx-demo.XXXXXX)
# shellcheck source=sim-env.sh
. "$top/scripts/sim-env.sh"
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
demo_module_args "$sim_port"
echo "Simulator on 127.0.0.1:$sim_port (log: $work/sim.log)"
echo "Module: $build/app/qmx7240nt ${module_args[*]}"
# The module runs in the working folder, where it keeps its SNMPv3 boot counter.
cd "$work"
"$build/app/qmx7240nt" "${module_args[@]}"
