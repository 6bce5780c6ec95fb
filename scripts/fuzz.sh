#!/usr/bin/env bash
# Builds the libFuzzer targets with Clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for SECONDS on a copy of its
# seed corpus (fuzz/corpus/NAME). A finding is left in BUILD_DIR/findings.
#   scripts/fuzz.sh [SECONDS] [BUILD_DIR] [FUZZER...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-25}
build=${2:-build-fuzz}
shift 2 || shift $# || true
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(fuzz_str_to_float fuzz_str_to_int fuzz_float_round_trip fuzz_handlers)

cxx=${CXX_FUZZ:-clang++-14}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
  -DTARVINEL_FUZZ=ON -DTARVINEL_TESTS=OFF -DTARVINEL_GUI=OFF >/dev/null
ninja -C "$build" "${fuzzers[@]}"

mkdir -p "$build/findings"
status=0
for f in "${fuzzers[@]}"; do
  work="$build/corpus/$f"
  mkdir -p "$work"
  cp -n fuzz/corpus/"$f"/* "$work"/ 2>/dev/null || true
  echo "== $f for ${seconds}s"
  # A single input that takes 10 s is a hang: the model bounds every loop.
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "$build/fuzz/$f" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=512 \
      -print_final_stats=1 -artifact_prefix="$build/findings/$f-" "$work" >"$build/findings/$f.log" 2>&1; then
    echo "$f FAILED; the finding and its log are in $build/findings/"
    grep -E -m 5 'FAILED|ERROR|runtime error|SUMMARY' "$build/findings/$f.log" || tail -20 "$build/findings/$f.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$build/findings/$f.log" | tail -2
  fi
done
exit $status
