#!/usr/bin/env bash
# Runs the qrw32 executable on the generated sample tree with the program
# folder given through QUARROW_PROGRAM_FOLDER, and checks the exit status,
# the result files and the renames on disk.
# Usage: qrw32_cli_test.sh QRW32 MAKE_SAMPLE_TREE
set -euo pipefail
qrw32=$1
make_sample_tree=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$make_sample_tree" "$work/tree" >/dev/null
mkdir "$work/program"
status=0
QUARROW_PROGRAM_FOLDER="$work/program/" "$qrw32" "$work/tree" >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1 (the sample holds damaged archives)"

log=$work/program/Quarrow.log
[ -f "$log" ] && [ -f "$work/program/QRtot.txt" ] && [ -f "$work/program/errors.txt" ] || fail "result files missing"
grep -q $'\r$' "$log" || fail "log lines do not end in CR LF"
head -1 "$log" | grep -Eq '^[0-9]{2}-[0-9]{2}-[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}   \(Command line\)'$'\r''$' ||
  fail "header line: $(head -1 "$log")"
sed -n 7p "$log" | grep -qx " Path tested - $work/tree/"$'\r' || fail "path line: $(sed -n 7p "$log")"

# Every error line names an archive now renamed to ".bad".
bad=0
while IFS= read -r line; do
  archive=${line#\# * - }
  archive=${archive%% - renamed (*}
  [ -f "$archive.bad" ] && [ ! -e "$archive" ] || fail "not renamed: $archive"
  bad=$((bad + 1))
done < <(tr -d '\r' < "$log" | grep '^# ')
[ "$bad" -gt 0 ] || fail "no error lines"
sed -n 3p "$log" | grep -qx " $bad bad"$'\r' || fail "bad count line: $(sed -n 3p "$log")"

# The totals file holds the bytes tested.
bytes=$(sed -n 4p "$log" | tr -d ' ,\r' | sed 's/-bytestested$//')
[ "$(cat "$work/program/QRtot.txt")" = " $bytes "$'\r' ] || fail "totals: $(cat "$work/program/QRtot.txt")"

# No description file is left in the program folder.
[ -z "$(find "$work/program" -iname '*.diz')" ] || fail "description files left behind"
grep -q "Quarrow Stats" "$work/out.txt" || fail "no summary printed"

# A missing start folder is a usage error and writes nothing more.
status=0
QUARROW_PROGRAM_FOLDER="$work/program" "$qrw32" "$work/missing" >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "missing folder: exit status $status"
[ "$(grep -c 'Path tested' "$log")" = 1 ] || fail "a run over a missing folder was logged"
echo "qrw32 command line: ok ($bad bad archives renamed)"
