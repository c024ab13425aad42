#!/usr/bin/env bash
# The window program against the console program on one tree, under Wine in
# one prefix and one X display: a tree holding an archive of 65,600 entries,
# tested by Qrw32.exe (a command-line run whose summary closes by itself) and
# by qrw32.exe. Prints both times and their ratio; the target is the window
# program within 1.5x of the console program.
# Usage: bench/window/run.sh [ENTRIES]   (reuses the `windows` preset's build)
set -euo pipefail
cd "$(dirname "$0")/../.."
entries=${1:-65600}

if [ -z "${QUARROW_BENCH_UNDER_XVFB:-}" ]; then
  bash scripts/setup.sh >/dev/null
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j2 --target Qrw32 qrw32 >/dev/null
  QUARROW_BENCH_UNDER_XVFB=1 exec xvfb-run -a "$0" "$@"
fi

export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 bench/window/make_many_entries.py "$work/tree" "$entries"
# Each program writes its result files into a program folder of its own.
mkdir -p "$work/window" "$work/console"
cp build/windows/tester/ui/bin/* "$work/window/"
cp build/windows/tester/ui/qrw32.exe "$work/console/"
tree_path="Z:$(echo "$work/tree" | tr / '\\')"

"$wine" wineboot --init >/dev/null 2>&1
now() { date +%s.%N; }
# The window program's summary closes 1 ms after it shows. Its start and end
# (splash, control, summary) are measured on an empty tree as well.
mkdir -p "$work/empty" "$work/window-empty"
cp build/windows/tester/ui/bin/* "$work/window-empty/"
start=$(now)
QUARROW_SUMMARY_TIMER_MS=1 "$wine" "$work/window-empty/Qrw32.exe" "Z:$(echo "$work/empty" | tr / '\\')" >/dev/null 2>&1 || true
fixed=$(echo "$(now) - $start" | bc)
start=$(now)
QUARROW_SUMMARY_TIMER_MS=1 "$wine" "$work/window/Qrw32.exe" "$tree_path" >/dev/null 2>&1 || true
window=$(echo "$(now) - $start" | bc)
start=$(now)
"$wine" "$work/console/qrw32.exe" "$tree_path" >/dev/null 2>&1 || true
console=$(echo "$(now) - $start" | bc)

grep -q " 1 tested" "$work/window/Quarrow.log" || { echo "the window program's run did not complete" >&2; exit 1; }
grep -q " 1 tested" "$work/console/Quarrow.log" || { echo "the console program's run did not complete" >&2; exit 1; }
printf 'archive of %d entries under Wine\n' "$entries"
printf '  Qrw32.exe (window)   %8.2f s\n' "$window"
printf '  qrw32.exe (console)  %8.2f s\n' "$console"
printf '  ratio window/console %8.2f (target <= 1.5)\n' "$(echo "$window / $console" | bc -l)"
printf '  Qrw32.exe on an empty tree (start and end only) %8.2f s\n' "$fixed"
