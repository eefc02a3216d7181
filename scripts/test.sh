#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${HV_TEST_BUILD_DIR:-$top/build-test}"
jobs="${HV_JOBS:-$(nproc)}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHV_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
# Full stacks: Qt and fontconfig are built without frame pointers, where the fast unwinder stops, and
# the leak suppressions name frames beyond them.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cd "$build"
ctest --output-on-failure -j "$jobs" --timeout 300 "$@"
