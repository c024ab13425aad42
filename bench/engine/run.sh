#!/usr/bin/env bash
# Runs the run-engine benchmarks on data generated in a temporary folder,
# prints the figures and ratios, and removes the data.
# Usage: bench/engine/run.sh [ENGINE_BENCH]   (default: the release preset's build)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench=${1:-build/release/bench/engine/engine_bench}
if [ $# -eq 0 ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release -j2 --target engine_bench >/dev/null
fi

data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
"$bench" "$data"
