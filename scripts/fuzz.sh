#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each one for the given number of
# seconds (default 60), seeded from the fixtures its generator writes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

# target  seed generator (writes its seeds into the folder it is given)
seeds=(
  "fuzz_archive build/fuzz/tests/fixtures/make_fixtures"
  "fuzz_records build/fuzz/make_record_seeds"
  "fuzz_deck_records build/fuzz/make_record_seeds"
)

for row in "${seeds[@]}"; do
  read -r name generator <<< "$row"
  target=build/fuzz/fuzz/$name
  corpus=build/fuzz/corpus/$name
  rm -rf "$corpus" build/fuzz/"$name"-* && mkdir -p "$corpus/seeds" "$corpus/work"
  "$generator" "$corpus/seeds" >/dev/null
  echo "fuzz: $name for ${seconds}s from $(ls "$corpus/seeds" | wc -l) seeds"
  # A failing input is kept beside the log and printed, so that a CI log
  # alone is enough to reproduce the failure.
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="build/fuzz/$name-" \
    "$corpus/work" "$corpus/seeds" 2> "build/fuzz/$name.log" \
    || { tail -n 60 "build/fuzz/$name.log"
         for input in build/fuzz/"$name"-*; do [ -f "$input" ] && { echo "$input:"; base64 -w 76 "$input"; }; done
         exit 1; }
  grep -E '^Done [0-9]+ runs' "build/fuzz/$name.log" || true
done
