#!/usr/bin/env bash
# Takes a screenshot of the main window under Xvfb while it watches the simulator.
# Usage: scripts/screenshot.sh [SNMP options of demo.sh] [OUTPUT.png]   (default: build/screenshot.png)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${HV_BUILD_DIR:-$top/build}"
# shellcheck source=demo-options.sh
. "$top/scripts/demo-options.sh"
out="${demo_rest[0]:-$build/screenshot.png}"
command -v Xvfb >/dev/null || { echo "Xvfb is missing: run scripts/setup.sh" >&2; exit 1; }
[ -f "$build/build.ninja" ] ||
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${HV_JOBS:-3}" --target qmx7240nt qmx_sim

# A small grabber of the whole screen, built once beside the module.
grab="$build/hv_screengrab"
if [ ! -x "$grab" ]; then
    cat >"$build/hv_screengrab.cpp" <<'CPP'
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    return app.primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
CPP
    g++ -std=c++17 -fPIC "$build/hv_screengrab.cpp" -o "$grab" $(pkg-config --cflags --libs Qt6Gui)
fi

work=$(mktemp -d /tmp/qmx-shot.XXXXXX)
# shellcheck source=sim-env.sh
. "$top/scripts/sim-env.sh"
pids=("$sim_pid")
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 481x160x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display" QT_QPA_PLATFORM=xcb

demo_module_args "$sim_port"
(cd "$work" && exec "$build/app/qmx7240nt" "${module_args[@]}") &
pids+=($!)
# Wait for the first answer, then for the blink run after it to end.
for _ in $(seq 100); do grep -q '1\.3\.6\.1\.2\.1\.1\.1\.0' "$work/sim.log" 2>/dev/null && break; sleep 0.1; done
sleep 1.5
"$grab" "$out"
echo "Screenshot: $out"
