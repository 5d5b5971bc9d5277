#!/usr/bin/env bash
# Builds the benchmarks (Release, the bench preset) and runs them: the primitives of the layer,
# every program's frame headless, and the idle CPU use of every program in a window under Xvfb.
# Prints the three tables and writes them to RESULTS_DIR (default: the build dir's results/).
# Usage: scripts/bench.sh [BUILD_DIR]        (default build/bench)
#   BENCH_ARGS="--benchmark_repetitions=9" scripts/bench.sh   passes flags to both benchmarks
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
results=${RESULTS_DIR:-$build/results}
read -r -a args <<<"${BENCH_ARGS:-}"

"$root/scripts/deps.sh" all
cmake --preset bench -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target primitives_bench frames_bench
mkdir -p "$results"
bin=$build/bin
{
    echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores, $(uname -sr)"
    echo "Load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
} | tee "$results/machine.txt"
"$bin/primitives_bench" --table="$results/primitives.md" "${args[@]}"
"$bin/frames_bench" --table="$results/frames.md" "${args[@]}"
"$root/bench/idle_cpu.sh" "$bin" | tee "$results/idle.md"
echo
echo "Tables written to $results"
