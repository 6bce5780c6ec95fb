#!/usr/bin/env bash
# Builds the benchmarks in a Release tree of their own and runs them.
#   scripts/bench.sh [BUILD_DIR] [benchmark options...]
# e.g. scripts/bench.sh build-bench --benchmark_filter=FullSweep
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
shift || true
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVINEL_BENCH=ON -DTARVINEL_TESTS=OFF >/dev/null
targets=(tarvinel_bench_model)
if ninja -C "$build" -t targets all 2>/dev/null | grep -q '^tarvinel_bench_paint:'; then
  targets+=(tarvinel_bench_paint)
fi
ninja -C "$build" "${targets[@]}"
for t in "${targets[@]}"; do
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bench/$t" --benchmark_counters_tabular=false "$@"
done
