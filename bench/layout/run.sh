#!/usr/bin/env bash
# Runs the toolbar layout benchmark natively and prints its figures.
# Usage: bench/layout/run.sh [LAYOUT_BENCH]   (default: the release preset's build)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench=${1:-build/release/bench/layout/layout_bench}
if [ $# -eq 0 ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release -j2 --target layout_bench >/dev/null
fi
"$bench"
