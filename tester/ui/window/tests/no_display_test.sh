#!/bin/sh
# Qrw32.exe in a Wine session without a display cannot create its main
# window: it must say so on standard error and end with status 1, with
# nothing tested. The session has a prefix of its own, so no desktop of
# another session lends it a display.
# Usage: no_display_test.sh QRW32_EXE PREFIX
set -u
exe=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/tree"
cp "$(dirname "$exe")"/* "$work/program/"
/usr/lib/wine/wine64 "$work/program/Qrw32.exe" "Z:$(echo "$work/tree" | tr / '\\')" >"$work/out" 2>"$work/err"
status=$?
fail=0
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; fail=1; }
grep -q "Qrw32: Quarrow could not create its main window; nothing was tested." "$work/err" ||
  { echo "no message on standard error:"; cat "$work/err"; fail=1; }
[ ! -e "$work/program/Quarrow.log" ] || { echo "a run was recorded"; fail=1; }
[ "$fail" -eq 0 ] && echo "ok"
exit "$fail"
