#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS [TARGET...]]
# Builds the fuzzers (the "fuzz" preset: clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn for SECONDS seconds (default 60), starting
# from its seeds (examples, golden files, kept findings). Fails on the first finding; the input
# that caused it is left in build/fuzz/findings/. Fix the fault, then keep the input in
# tests/fuzz/regressions/TARGET/ so that ctest replays it in every build. A run may take up to
# 90 s before it counts as hung: the largest legal projects (500 diameters, 500 ft, a print
# increment of 0.1 ft, a 94 MB report) take about a minute under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(engine project evaluator plotload tablelayout)
jobs=$(nproc)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

bin=build/fuzz/bin
work=build/fuzz/corpus
findings=build/fuzz/findings
mkdir -p "$findings"

# seeds of each target: folders, or files copied into a folder of their own
seed_dir() {
    local target=$1
    shift
    local dir=build/fuzz/seeds/$target
    rm -rf "$dir"
    mkdir -p "$dir"
    for f in "$@"; do
        if [[ -d $f ]]; then cp "$f"/* "$dir"/ 2>/dev/null || true; else cp "$f" "$dir"/; fi
    done
    cp tests/fuzz/regressions/"$target"/* "$dir"/ 2>/dev/null || true
    echo "$dir"
}

declare -A seeds
seeds[engine]=$(seed_dir engine examples/*.kvd tests/frontend/data/AllSoilTypes.kvd)
seeds[project]=$(seed_dir project examples/*.kvd tests/frontend/data/AllSoilTypes.kvd)
seeds[evaluator]=$(seed_dir evaluator tests/fuzz/seeds/evaluator)
seeds[plotload]=$(seed_dir plotload tests/golden/*/*.kvp tests/frontend/data/*.kvp)
seeds[tablelayout]=$(seed_dir tablelayout frontend/entry/SystemTables.layout)
declare -A maxlen=([engine]=4096 [project]=4096 [evaluator]=256 [plotload]=16384 [tablelayout]=16384)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in "${targets[@]}"; do
    mkdir -p "$work/$target"
    echo "== fuzz_$target for ${seconds} s"
    "$bin/fuzz_$target" "$work/$target" "${seeds[$target]}" \
        -dict="tests/fuzz/dict/$target.dict" -max_len="${maxlen[$target]}" \
        -max_total_time="$seconds" -timeout=90 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" 2>"build/fuzz/$target.log" || {
        tail -n 60 "build/fuzz/$target.log"
        echo "fuzz_$target found a fault; its input is in $findings/" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "build/fuzz/$target.log" || true
done
echo "No findings."
