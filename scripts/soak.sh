#!/usr/bin/env bash
# Builds the soak in the benchmarks' Release tree and runs it: a million
# ticks with random edits between them; it fails when memory grows.
#   scripts/soak.sh [BUILD_DIR] [--ticks N] [--seed S] [--every N]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
shift || true
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVINEL_BENCH=ON -DTARVINEL_TESTS=OFF >/dev/null
ninja -C "$build" tarvinel_soak
"$build/bench/tarvinel_soak" "$@"
