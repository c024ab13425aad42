#!/usr/bin/env bash
# Runs the keyboard benchmark natively and prints its figures.
# Usage: bench/menus/run.sh [KEY_BENCH]   (default: the release preset's build)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench=${1:-build/release/bench/menus/key_bench}
if [ $# -eq 0 ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release -j2 --target key_bench >/dev/null
fi
"$bench"
