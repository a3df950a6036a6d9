#!/usr/bin/env bash
# The main job: an optimised build of the library and its benchmark suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset release
cmake --build --preset release
build/release/bench/carrowin_bench "$@"
