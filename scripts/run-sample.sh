#!/usr/bin/env bash
# Sets up, builds, and runs the tester on a generated sample folder tree of
# good and damaged archives.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j2 >/dev/null

sample=build/sample
rm -rf "$sample" && mkdir -p "$sample/extracted"
build/native/tests/fixtures/make_sample_tree "$sample/tree"
build/native/tester/archive/ziptest --extract-to "$sample/extracted" "$sample/tree" || true
