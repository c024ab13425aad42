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

# An archive of a method this build does not decompress is good but said
# to be unverified, on its line and in the errors file.
grep -qx "good  $work/tree/untestable/unsupported_method.zip - not verified (method 98)" "$work/out.txt" ||
  fail "no unverified line: $(grep unsupported_method "$work/out.txt")"
grep -q "unsupported_method.zip - not verified (method 98)  "$'\r' "$work/program/errors.txt" ||
  fail "errors file lacks the unverified archive"

# An archive the user may not read is neither bad nor renamed, and the run
# goes on (run as an unprivileged user: root reads everything).
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  mkdir -p "$work/locked/tree" "$work/locked/program"
  cp "$work/tree/good_with_diz.zip" "$work/locked/tree/a.zip"
  cp "$work/tree/good_with_diz.zip" "$work/locked/tree/b.zip"
  chmod 000 "$work/locked/tree/a.zip"
  chmod 777 "$work/locked/program"
  chmod 755 "$work" "$work/locked" "$work/locked/tree"
  status=0
  QUARROW_PROGRAM_FOLDER="$work/locked/program" setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$qrw32" "$work/locked/tree" >"$work/locked/out.txt" 2>&1 || status=$?
  [ "$status" = 0 ] || fail "unreadable archive: exit status $status"
  grep -qx "unread $work/locked/tree/a.zip - can't read (permission denied)" "$work/locked/out.txt" ||
    fail "unreadable archive line: $(cat "$work/locked/out.txt")"
  grep -qx "good  $work/locked/tree/b.zip" "$work/locked/out.txt" || fail "the run did not go on"
  [ -e "$work/locked/tree/a.zip" ] && [ ! -e "$work/locked/tree/a.zip.bad" ] || fail "unreadable archive renamed"
  sed -n 2p "$work/locked/program/Quarrow.log" | grep -qx " 1 tested"$'\r' || fail "unreadable archive counted"
fi

# A reader that goes away early does not stop the run, with one job or
# several: it completes, is recorded, cleans up and exits with its status.
runs=1
for jobs in 1 4; do
  rm -rf "$work/piped" && mkdir "$work/piped"
  cp -r "$work/tree/damaged" "$work/piped/"
  for f in "$work"/piped/damaged/*.zip.bad; do mv "$f" "${f%.bad}"; done
  # The pipe's read end is closed before qrw32 starts, so its first write fails.
  status=$(QUARROW_PROGRAM_FOLDER="$work/program" python3 -c '
import os, subprocess, sys
r, w = os.pipe()
os.close(r)
print(subprocess.run(sys.argv[1:], stdout=w).returncode)' "$qrw32" --jobs "$jobs" "$work/piped")
  runs=$((runs + 1))
  [ "$status" = 1 ] || fail "with its reader gone (--jobs $jobs): exit status $status"
  [ "$(grep -c 'Path tested' "$log")" = "$runs" ] || fail "a run whose reader went away was not logged (--jobs $jobs)"
  [ -z "$(ls "$work"/piped/damaged/*.zip 2>/dev/null)" ] || fail "not every bad archive was renamed (--jobs $jobs)"
  [ -z "$(find "$work/program" -iname '*.diz')" ] || fail "description files left behind (--jobs $jobs)"
done

# A relative start folder is recorded as the absolute folder it names.
(cd "$work" && QUARROW_PROGRAM_FOLDER="$work/program" "$qrw32" --no-rename piped >/dev/null) || true
tail -n +2 "$log" | grep -q "^ Path tested - $work/piped/"$'\r'"\$" || fail "relative folder not recorded as absolute"

# A folder whose name ends like the date form is that folder when it exists;
# the Linux spelling of a date run cannot be mistaken for a folder.
mkdir "$work/amp&"
cp "$work/tree/good_with_diz.zip" "$work/amp&/"
QUARROW_PROGRAM_FOLDER="$work/program" "$qrw32" "$work/amp&" >/dev/null || fail "folder named with &: failed"
grep -q "^ Path tested - $work/amp&/"$'\r'"\$" "$log" || fail "folder named with & not tested as itself"
mkdir -p "$work/dated/$(date +%m%d)"
status=0
QUARROW_PROGRAM_FOLDER="$work/program" "$qrw32" --no-rename --date "$work/dated" >/dev/null || status=$?
[ "$status" = 0 ] || fail "--date: exit status $status"
grep -q "(Date run)"$'\r'"\$" "$log" || fail "--date run not marked as a date run"

# A missing start folder is a usage error, names the folder and writes nothing more.
status=0
QUARROW_PROGRAM_FOLDER="$work/program" "$qrw32" "$work/missing" >/dev/null 2>"$work/err.txt" || status=$?
[ "$status" = 2 ] || fail "missing folder: exit status $status"
grep -q "the start folder $work/missing does not exist" "$work/err.txt" || fail "message: $(cat "$work/err.txt")"
[ "$(grep -c 'Path tested' "$log")" = 6 ] || fail "a run over a missing folder was logged"
echo "qrw32 command line: ok ($bad bad archives renamed)"
