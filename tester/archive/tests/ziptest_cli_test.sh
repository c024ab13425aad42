#!/usr/bin/env bash
# Runs ziptest over every archive of the fixture table and checks each line
# against the table's index: the verdict, the result code of the operation
# that decided, and the structure check named for a result of 100.
# Usage: ziptest_cli_test.sh ZIPTEST MAKE_FIXTURES [ENGINE]
set -euo pipefail
ziptest=$1
make_fixtures=$2
engine=(); [ $# -ge 3 ] && engine=(--engine "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$make_fixtures" "$work/fixtures" >/dev/null
mkdir "$work/out"
checked=0
while read -r name extract test check _; do
  [ "$name" = "#" ] && continue
  # The extract result decides when it is bad (100 or more, other than 140).
  expected=$test
  if [ "$extract" -ge 100 ] && [ "$extract" != 140 ]; then expected=$extract; fi
  case $expected in
    100|110|200|410) verdict=bad ;;
    *) verdict=good ;;
  esac
  line=$("$ziptest" "${engine[@]}" --extract-to "$work/out" "$work/fixtures/$name" || true)
  want="$verdict $expected $work/fixtures/$name"
  [ "$expected" = 100 ] && want="$want - structure: $check"
  case $line in
    "$want"|"$want - not verified (method "*")") ;;
    *) fail "$name: got '$line', expected '$want'" ;;
  esac
  if [ "$expected" = 120 ]; then
    [[ $line =~ " - not verified (method "[0-9]+")"$ ]] || fail "$name: no unverified method in '$line'"
  fi
  checked=$((checked + 1))
done < "$work/fixtures/fixtures.txt"
[ "$checked" -gt 40 ] || fail "only $checked archives in the index"
echo "ziptest: $checked archives as the table says"
