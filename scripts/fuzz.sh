#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each one for the given number of
# seconds (default 60), seeded from the generated fixture archives.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

# The seed corpus comes from the fixture generator of the fuzz build.
corpus=build/fuzz/corpus/archive
rm -rf "$corpus" && mkdir -p "$corpus"
build/fuzz/tests/fixtures/make_fixtures "$corpus" >/dev/null

for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  echo "fuzz: $name for ${seconds}s"
  work=build/fuzz/corpus/$name-work
  rm -rf "$work" && mkdir -p "$work"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    "$work" "$corpus" 2> "build/fuzz/$name.log" || { tail -n 60 "build/fuzz/$name.log"; exit 1; }
  grep -E '^Done|#[0-9]+.*DONE' "build/fuzz/$name.log" | tail -n 1 || true
done
