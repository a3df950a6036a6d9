#!/usr/bin/env bash
# Builds and runs every test: the ordinary debug build (gcc), then the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer (clang) and
# under ThreadSanitizer (clang).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in default asan tsan; do
  echo "=== ${preset} ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset" --parallel "$(nproc)"
  ctest --preset "$preset"
done
