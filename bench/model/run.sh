#!/usr/bin/env bash
# Runs the object-model benchmark of the control natively and prints its figures.
# Usage: bench/model/run.sh [DECK_BENCH]   (default: the release preset's build)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench=${1:-build/release/bench/model/deck_bench}
if [ $# -eq 0 ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release -j2 --target deck_bench >/dev/null
fi
"$bench"
