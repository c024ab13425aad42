#!/usr/bin/env bash
# Sets up, builds, and runs the console tester qrw32 on a generated sample
# folder tree of good and damaged archives, then shows the master log entry
# the run wrote.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target qrw32 make_sample_tree >/dev/null

sample=$PWD/build/sample
rm -rf "$sample" && mkdir -p "$sample/program"
build/native/tests/fixtures/make_sample_tree "$sample/tree"

# The result files go to the program folder; the sample run gets its own.
status=0
QUARROW_PROGRAM_FOLDER="$sample/program" build/native/tester/ui/qrw32 "$sample/tree" || status=$?

echo
echo "== master log entry: $sample/program/Quarrow.log =="
tr -d '\r' < "$sample/program/Quarrow.log"
echo "qrw32 exit status: $status (0: all good, 1: bad archives found)"
[ "$status" -le 1 ]
