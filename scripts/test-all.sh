#!/usr/bin/env bash
# Sets up, builds and runs every test: native (under ASan/UBSan), the record
# codec as a 32-bit build (g++ -m32, under ASan/UBSan through qemu-i386),
# Windows (mingw-w64 x86_64, under Wine), the i686 compile, and a short fuzz
# run (40 seconds a target; FUZZ_SECONDS changes it).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== native"
cmake --preset native >/dev/null
cmake --build --preset native -j2
ctest --preset native -j2

echo "== native32 (g++ -m32, the record codec's tests through qemu-i386)"
cmake --preset native32 >/dev/null
cmake --build --preset native32 -j2
ctest --preset native32 -j2

echo "== windows (x86_64, tests under Wine; the i686 compile runs alongside)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2
# The window tests spend most of their time waiting on Wine: the i686
# compile-only build uses that time, on one job.
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686 -j1 > build/windows-i686.log 2>&1 &
i686_build=$!
xvfb-run -a ctest --preset windows -j2
echo "== windows (i686, compile only)"
wait "$i686_build" || { tail -n 80 build/windows-i686.log; exit 1; }
tail -n 1 build/windows-i686.log

echo "== fuzz"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-40}"
