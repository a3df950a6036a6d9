#!/usr/bin/env bash
# Builds and runs every test: the ordinary debug build (gcc), the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer (clang) followed by a
# bounded run of every fuzz target, then the suite under ThreadSanitizer
# (clang).
set -euo pipefail
cd "$(dirname "$0")/.."

# Seconds of fuzzing shared by all fuzz targets; scripts/fuzz.sh alone takes
# a longer budget.
fuzz_budget=150

scripts/install-deps.sh

for preset in default asan tsan; do
  echo "=== ${preset} ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset" --parallel "$(nproc)"
  ctest --preset "$preset"
  if [ "$preset" = asan ]; then
    scripts/fuzz.sh "$fuzz_budget"
  fi
done
