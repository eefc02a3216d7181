#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz/*_fuzz.cpp) with clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for SECONDS (default 60; 0 runs each over its seed
# corpus once). Inputs that crash land in tests/fuzz/crashes/<target>/; the script then ends non-zero.
#
#   HV_FUZZ_BUILD_DIR  build folder (build-fuzz/)
#   HV_JOBS            compile jobs (all cores)
#   HV_FUZZ_PARALLEL   targets fuzzed at once (1); each is one process
#   HV_FUZZ_TARGETS    names of the targets to run, blank-separated (all)
#   HV_FUZZ_ARGS       extra libFuzzer options
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
build="${HV_FUZZ_BUILD_DIR:-$top/build-fuzz}"
jobs="${HV_JOBS:-$(nproc)}"
parallel="${HV_FUZZ_PARALLEL:-1}"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DHV_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs" --target hv_fuzz_all

if [ -n "${HV_FUZZ_TARGETS:-}" ]; then
    read -r -a targets <<<"$HV_FUZZ_TARGETS"
else
    targets=()
    for src in "$top"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
mkdir -p "$build/logs"

# One target: new inputs go to the build folder's corpus, the seeds are only read.
run() {
    local target=$1 name=${1%_fuzz}
    local seeds="$top/tests/fuzz/corpus/$name" work="$build/corpus/$name" crashes="$top/tests/fuzz/crashes/$name"
    local log="$build/logs/$target.log"
    mkdir -p "$seeds" "$work" "$crashes"
    local args=(-artifact_prefix="$crashes/" -print_final_stats=1)
    if [ "$seconds" -eq 0 ]; then
        args+=(-runs=0)
        "$build/tests/fuzz/$target" "${args[@]}" ${HV_FUZZ_ARGS:-} "$seeds" >"$log" 2>&1
    else
        args+=(-max_total_time="$seconds")
        "$build/tests/fuzz/$target" "${args[@]}" ${HV_FUZZ_ARGS:-} "$work" "$seeds" >"$log" 2>&1
    fi
}

# The executions and the coverage of a finished run, from its log.
summary() {
    local log="$build/logs/$1.log" execs cov
    execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | awk '{print $2}')
    cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
    echo "$1: ${execs:-?} runs, ${cov:-no coverage line}"
}

failed=()
pids=()
names=()
wait_one() {
    local pid=${pids[0]} target=${names[0]}
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
    if wait "$pid"; then
        summary "$target"
    else
        summary "$target"
        echo "$target: FAILED, see $build/logs/$target.log" >&2
        failed+=("$target")
    fi
}
for target in "${targets[@]}"; do
    [ ${#pids[@]} -ge "$parallel" ] && wait_one
    run "$target" &
    pids+=($!)
    names+=("$target")
done
while [ ${#pids[@]} -gt 0 ]; do wait_one; done

found=$(find "$top/tests/fuzz/crashes" -type f 2>/dev/null | wc -l)
if [ ${#failed[@]} -gt 0 ] || [ "$found" -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]:-} ($found inputs under tests/fuzz/crashes/)" >&2
    exit 1
fi
echo "fuzzing: ${#targets[@]} targets, no faults"
