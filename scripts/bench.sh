#!/usr/bin/env bash
# The optimised build and the benchmark suite; arguments go to Google
# Benchmark (--benchmark_filter=..., --benchmark_min_time=...).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset release
cmake --build --preset release
build/release/bench/carrowin_bench "$@"
