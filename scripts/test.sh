#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${HV_TEST_BUILD_DIR:-$top/build-test}"
jobs="${HV_JOBS:-$(nproc)}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHV_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
# The frame-pointer unwinder on malloc: the slow one cost a third of every test's time. Qt and
# fontconfig have no frame pointers, so a stack recorded inside them ends there; the leak
# suppressions name the library, which such a stack still shows.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cd "$build"
run=(ctest --output-on-failure -j "$jobs" --timeout 300 "$@")
# No test may send a packet off loopback: the suite runs where nothing else has a route, and fails
# when a test tried. HV_TEST_NETNS=0 runs it in the PC's own network.
if [ "${HV_TEST_NETNS:-1}" != 0 ]; then
    if unshare -n true 2>/dev/null && command -v ip >/dev/null; then
        exec "$top/scripts/loopback-only.sh" "${run[@]}"
    fi
    echo "test.sh: no network namespace (needs root and ip from iproute2); packets off loopback go unchecked" >&2
fi
exec "${run[@]}"
