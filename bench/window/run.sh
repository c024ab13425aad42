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
# A long ping keeps the Wine session up between the runs, so no run pays for
# starting the session's services.
"$wine" ping -n 900 127.0.0.1 >/dev/null 2>&1 </dev/null &
keeper=$!
trap 'kill "$keeper" 2>/dev/null; rm -rf "$work"' EXIT
"$wine" cmd /c ver >/dev/null 2>&1
# Seconds a command, under Wine, takes.
seconds() {
  local start
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  echo "$(date +%s.%N) - $start" | bc
}
# The window program's summary closes 1 ms after it shows. Both programs are
# also timed on an empty tree: their start and end. Under Xvfb, which has no
# window manager, Wine waits 2 s for each window it hides to be withdrawn,
# which makes the window program's start and end cost seconds; the figures
# net of the empty tree compare the work on the archive itself.
mkdir -p "$work/empty" "$work/window-empty" "$work/console-empty"
cp build/windows/tester/ui/bin/* "$work/window-empty/"
cp build/windows/tester/ui/qrw32.exe "$work/console-empty/"
empty_path="Z:$(echo "$work/empty" | tr / '\\')"
export QUARROW_SUMMARY_TIMER_MS=1
window_empty=$(seconds "$wine" "$work/window-empty/Qrw32.exe" "$empty_path")
window=$(seconds "$wine" "$work/window/Qrw32.exe" "$tree_path")
console_empty=$(seconds "$wine" "$work/console-empty/qrw32.exe" "$empty_path")
console=$(seconds "$wine" "$work/console/qrw32.exe" "$tree_path")

grep -q " 1 tested" "$work/window/Quarrow.log" || { echo "the window program's run did not complete" >&2; exit 1; }
grep -q " 1 tested" "$work/console/Quarrow.log" || { echo "the console program's run did not complete" >&2; exit 1; }
printf 'archive of %d entries under Wine\n' "$entries"
printf '                        tree      empty tree   net\n'
printf '  Qrw32.exe (window)   %8.2f s %8.2f s %8.2f s\n' "$window" "$window_empty" "$(echo "$window - $window_empty" | bc)"
printf '  qrw32.exe (console)  %8.2f s %8.2f s %8.2f s\n' "$console" "$console_empty" "$(echo "$console - $console_empty" | bc)"
printf '  ratio window/console %8.2f   net %8.2f (target <= 1.5)\n' "$(echo "$window / $console" | bc -l)" \
  "$(echo "($window - $window_empty) / ($console - $console_empty)" | bc -l)"
# The seconds each program recorded for the run itself, in its log.
logged() { grep -o '[0-9.,]* - seconds' "$1" | head -1 | tr -d ', -' | sed 's/seconds//'; }
window_logged=$(logged "$work/window/Quarrow.log")
console_logged=$(logged "$work/console/Quarrow.log")
printf '  run as logged: window %s s, console %s s, ratio %.2f\n' "$window_logged" "$console_logged" \
  "$(echo "$window_logged / $console_logged" | bc -l)"
