#!/usr/bin/env bash
# The verdicts on archives of every compression method the native build
# verifies (bzip2, LZMA, xz, zstd), good and damaged, on an undefined method
# and on archives behind a stub: ziptest gives the indexed result code, and
# unzip -t and 7z t -tzip agree with its verdict wherever they can decompress
# the method themselves. Both peers exit with 1 for a warning (such as bytes
# in front of the archive) after finding every entry good.
# Usage: method_verdicts_test.sh ZIPTEST MAKE_METHOD_ARCHIVES_PY
set -euo pipefail
ziptest=$1
generator=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

python3 "$generator" "$work/a"
checked=0
peers=0
while read -r name expected _; do
  path=$work/a/$name
  line=$("$ziptest" "$path" || true)
  code=$(cut -d' ' -f2 <<<"$line")
  [ "$code" = "$expected" ] || fail "$name: '$line', expected result $expected"
  case $expected in 100|110|200|410) ours=bad ;; *) ours=good ;; esac

  # A peer that reports the method unsupported has no verdict, except on
  # the undefined method, which every reader must refuse. unzip 6.0 spins
  # without end on a truncated bzip2 stream: a peer that does not finish
  # within ten seconds has no verdict either.
  status=0; out=$(timeout 10 unzip -t "$path" 2>&1) || status=$?
  if [ "$status" != 124 ] && { [ "$status" != 81 ] || [ "$expected" = 100 ]; }; then
    theirs=good; [ "$status" -le 1 ] || theirs=bad
    [ "$theirs" = "$ours" ] || fail "$name: unzip -t says $theirs (status $status), we say $ours"
    peers=$((peers + 1))
  fi
  # -tzip: without it 7z takes a stub starting "MZ" for a program, not a zip.
  status=0; out=$(timeout 10 7z t -tzip "$path" 2>&1) || status=$?
  if [ "$status" != 124 ] && { ! grep -qi unsupported <<<"$out" || [ "$expected" = 100 ]; }; then
    theirs=good; [ "$status" -le 1 ] || theirs=bad
    [ "$theirs" = "$ours" ] || fail "$name: 7z t says $theirs (status $status), we say $ours"
    peers=$((peers + 1))
  fi
  checked=$((checked + 1))
done < "$work/a/index.txt"
[ "$checked" -ge 13 ] || fail "only $checked archives"
echo "method verdicts: $checked archives, $peers peer verdicts agree"
