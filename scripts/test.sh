#!/usr/bin/env bash
# Builds and runs every test: the optimised build of the main job with one run
# of the demo and a short run of the benchmarks, the ordinary debug build
# (gcc), the same suite under AddressSanitizer and UndefinedBehaviorSanitizer (clang) followed by a
# bounded run of every fuzz target, and the suite under ThreadSanitizer
# (clang).
set -euo pipefail
cd "$(dirname "$0")/.."

# Seconds of fuzzing shared by all fuzz targets; scripts/fuzz.sh alone takes
# a longer budget.
fuzz_budget=180

scripts/install-deps.sh

# The main job's optimised build first, with the demo run once and every
# benchmark run briefly, so that what scripts/run.sh and scripts/bench.sh do
# cannot break unnoticed (gcc warns differently at -O3).
echo "=== release ==="
cmake --preset release
cmake --build --preset release --parallel "$(nproc)"
build/release/demo/carrowin-demo >/dev/null
build/release/bench/carrowin_bench --benchmark_min_time=0.01 >/dev/null

for preset in default asan tsan; do
  echo "=== ${preset} ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset" --parallel "$(nproc)"
  ctest --preset "$preset"
  if [ "$preset" = asan ]; then
    scripts/fuzz.sh "$fuzz_budget"
  fi
done
