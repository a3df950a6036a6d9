#!/usr/bin/env bash
# The main job: an optimised build, then carrowin-demo, the warehouse
# application on virtual terminals with a scripted operator. Arguments go to
# the demo (--terminals N, --store LOCATION, --svg FOLDER).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset release
cmake --build --preset release
build/release/demo/carrowin-demo "$@"
