#!/usr/bin/env bash
# Takes a screenshot under Xvfb while the module watches the simulator.
# Usage: scripts/screenshot.sh [SNMP options of demo.sh] [OUTPUT.png]
#                                   the main window (default: build/screenshot.png)
#        scripts/screenshot.sh [SNMP options] --page NAME [--menu PATH] [OUTPUT.png]
#                                   a page window (default: build/NAME.png), e.g.
#                                   --page TFM_Performace --menu Advanced/Performance
#        scripts/screenshot.sh --every-mode DIR
#                                   a picture of each page of the menu in each of the five AP modes,
#                                   offscreen, into DIR (MODE-ITEM.png), each page checked as it stands
#                                   in its picture: every control inside the window, no caption cut,
#                                   list columns wide enough; fails and names the page and the control
#                                   when one does not fit. Builds the driver in build-test (tests on).
#        --sim-arg ARG (repeatable) passes ARG to the simulator, for pages a device shows only in
#                                   some states, e.g. --sim-arg --profile --sim-arg legacy
#                                   for the Mode and Encryption items of older firmware
#
# --page NAME: NAME is the page's window name, the name of its layout table (its class, e.g.
# TFM_Performace). The script sets, for the module:
#   HV_SCREENSHOT=OUTPUT.png HV_SCREENSHOT_FORM=NAME   the kit's application saves the first window of
#                                                       that name once painted, then closes it;
#   HV_SCREENSHOT_DELAY=ms                             waited after the first paint (default 1500 here),
#                                                       so that the page shows its first answers;
#   HV_SCREENSHOT_MENU=PATH (--menu, "Top/Item")       the kit chooses the main window's menu item at
#                                                       PATH as soon as it can be chosen.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${HV_BUILD_DIR:-$top/build}"

if [ "${1:-}" = --every-mode ]; then
    [ -n "${2:-}" ] || { echo "usage: $0 --every-mode DIR" >&2; exit 2; }
    mkdir -p "$2"
    shots=$(cd "$2" && pwd)
    tests="${HV_TEST_BUILD_DIR:-$top/build-test}"
    [ -f "$tests/build.ninja" ] ||
        cmake -S "$top" -B "$tests" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHV_SANITIZE=ON >/dev/null
    cmake --build "$tests" -j "${HV_JOBS:-2}" --target hv_page_shots qmx_sim
    export QT_QPA_PLATFORM=offscreen HV_SHOT_DIR="$shots"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0:${ASAN_OPTIONS:-}"
    export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
    run=("$tests/tests/hv_page_shots" --gtest_brief=1)
    # The pages talk to the simulator on loopback only; where a namespace can be made, nothing else
    # has a route.
    if unshare -n true 2>/dev/null && command -v ip >/dev/null; then run=("$top/scripts/loopback-only.sh" "${run[@]}"); fi
    rc=0
    "${run[@]}" || rc=$?
    echo "Pictures: $(find "$shots" -name '*.png' | wc -l) in $shots"
    [ "$rc" -eq 0 ] && echo "Every page fits in every AP mode." || echo "Some pages do not fit: see above." >&2
    exit "$rc"
fi
# shellcheck source=demo-options.sh
. "$top/scripts/demo-options.sh"
page=""
menu=""
set -- "${demo_rest[@]+"${demo_rest[@]}"}"
while [ $# -gt 0 ]; do
    case "$1" in
        --page | --menu | --sim-arg)
            [ -n "${2:-}" ] || { echo "usage: $0 [--sim-arg ARG]... [--page NAME [--menu PATH]] [OUTPUT.png]" >&2; exit 2; }
            case "$1" in
                --page) page="$2" ;;
                --menu) menu="$2" ;;
                *) sim_args+=("$2") ;;
            esac
            shift 2
            ;;
        *) break ;;
    esac
done
[ -z "$page" ] || [ -n "$menu" ] || { echo "--page needs --menu Top/Item, the menu item that opens it" >&2; exit 2; }
out="${1:-$build/${page:-screenshot}.png}"
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
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
    # The module first, while its display is still there.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

display=":$((90 + RANDOM % 100))"
# The main window alone fills a small screen; a page needs room to open centred on it.
screen_size=481x160x24
[ -n "$page" ] && screen_size=1024x768x24
Xvfb "$display" -screen 0 "$screen_size" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display" QT_QPA_PLATFORM=xcb

demo_module_args "$sim_port"
if [ -n "$page" ]; then
    rm -f "$out"
    (cd "$work" && HV_SCREENSHOT="$out" HV_SCREENSHOT_FORM="$page" HV_SCREENSHOT_DELAY="${HV_SCREENSHOT_DELAY:-1500}" \
        HV_SCREENSHOT_MENU="$menu" exec "$build/app/qmx7240nt" "${module_args[@]}") &
    pids+=($!)
    for _ in $(seq 300); do [ -s "$out" ] && break; sleep 0.1; done
    [ -s "$out" ] || { echo "No picture of $page: does $menu open it?" >&2; exit 1; }
    echo "Screenshot: $out"
    exit 0
fi

(cd "$work" && exec "$build/app/qmx7240nt" "${module_args[@]}") &
pids+=($!)
# Wait for the first answer, then for the blink run after it to end.
for _ in $(seq 100); do grep -q '1\.3\.6\.1\.2\.1\.1\.1\.0' "$work/sim.log" 2>/dev/null && break; sleep 0.1; done
sleep 1.5
"$grab" "$out"
echo "Screenshot: $out"
