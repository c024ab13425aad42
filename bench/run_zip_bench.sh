#!/usr/bin/env bash
# Archive-test throughput: our component with each inflate engine against
# `unzip -tqq`, `7z t -mmt=1`, `7z t` on all cores and the raw zlib floor,
# over one generated corpus, in one run; then the console tester qrw32
# (ISA-L) over the same corpus with --jobs 1 and --jobs 2. Prints MB/s of
# uncompressed data (best of 3 runs each), the ratios, and the peak RSS of
# each program on the largest archive, and what two copies of our component
# run at once gain over one (the most two jobs can gain here).
#   bash bench/run_zip_bench.sh [SCALE]    (SCALE 1 = about 430 MB uncompressed)
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target archive_bench qrw32 >/dev/null
bench=build/release/bench/archive_bench
qrw32=build/release/tester/ui/qrw32

corpus=build/bench-corpus-$scale
if [ ! -f "$corpus/.done" ]; then
  echo "generating corpus (scale $scale) in $corpus ..."
  rm -rf "$corpus" && mkdir -p "$corpus"
  python3 bench/make_corpus.py "$corpus" "$scale"
  touch "$corpus/.done"
fi
mapfile -t archives < <(find "$corpus" -name '*.zip' | sort)
cat "${archives[@]}" > /dev/null   # warm the page cache

best() {  # best of 3 wall-clock seconds of a command
  local best_s=""
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N); "$@" > /dev/null 2>&1 || true; t1=$(date +%s.%N)
    best_s=$(python3 -c "a=$t1-$t0; b='$best_s'; print(min(a, float(b)) if b else a)")
  done
  echo "$best_s"
}
twice() {  # two copies of a command at once
  "$@" & "$@"; wait
}
peak_kb() {  # peak RSS in KiB of a command
  /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
}

# The floor times its inflate and CRC work alone: best of 3 of its own figure.
read -r bytes floor_s < <("$bench" floor "${archives[@]}")
for _ in 1 2; do
  read -r _ s < <("$bench" floor "${archives[@]}")
  floor_s=$(python3 -c "print(min($floor_s, $s))")
done
zlib_s=$(best "$bench" ours zlib "${archives[@]}")
isal_s=$(best "$bench" ours isal "${archives[@]}")
# The most two jobs can gain on this machine as it is: two copies of the
# same single-threaded work at once, which share nothing.
twice_s=$(best twice "$bench" ours isal "${archives[@]}")
unzip_s=$(best unzip -tqq "$corpus/*.zip")
sevenz1_s=$(best 7z t -mmt=1 -bd -y "$corpus/*.zip")
sevenz_s=$(best 7z t -bd -y "$corpus/*.zip")
large=$corpus/large0.zip
rss_zlib=$(peak_kb "$bench" ours zlib "$large")
rss_isal=$(peak_kb "$bench" ours isal "$large")
rss_unzip=$(peak_kb unzip -tqq "$large")
rss_7z=$(peak_kb 7z t -bd -y "$large")

# The console tester on the whole tree, its result files in a scratch
# program folder; --no-rename keeps the corpus as it is. The two runs must
# print the same lines.
program=$(mktemp -d)
largest=$(mktemp -d)
smalls=$(mktemp -d)
trap 'rm -rf "$program" "$largest" "$smalls"' EXIT
export QUARROW_PROGRAM_FOLDER=$program
"$qrw32" --jobs 1 --no-rename "$corpus" > "$program/jobs1.out" || true
"$qrw32" --jobs 2 --no-rename "$corpus" > "$program/jobs2.out" || true
if ! diff -q <(grep -v -e seconds -e total "$program/jobs1.out") <(grep -v -e seconds -e total "$program/jobs2.out") >/dev/null; then
  echo "qrw32 --jobs 1 and --jobs 2 printed different results" >&2
  exit 1
fi
jobs1_s=$(best "$qrw32" --jobs 1 --no-rename "$corpus")
jobs2_s=$(best "$qrw32" --jobs 2 --no-rename "$corpus")
ln "$large" "$largest/large0.zip" 2>/dev/null || cp "$large" "$largest/large0.zip"
# The three large archives hold most of the corpus's bytes; their entries
# are shared among the jobs. The small archives alone show how the jobs
# scale over many archives.
for a in "$corpus"/small*.zip; do ln "$a" "$smalls/" 2>/dev/null || cp "$a" "$smalls/"; done
read -r small_bytes _ < <("$bench" floor "$smalls"/*.zip)
small1_s=$(best "$qrw32" --jobs 1 --no-rename "$smalls")
small2_s=$(best "$qrw32" --jobs 2 --no-rename "$smalls")
rss_jobs1=$(peak_kb "$qrw32" --jobs 1 --no-rename "$largest")
rss_jobs2=$(peak_kb "$qrw32" --jobs 2 --no-rename "$largest")

python3 - "$bytes" "$zlib_s" "$isal_s" "$floor_s" "$unzip_s" "$sevenz1_s" "$sevenz_s" \
  "$rss_zlib" "$rss_isal" "$rss_unzip" "$rss_7z" "${#archives[@]}" "$(nproc)" \
  "$jobs1_s" "$jobs2_s" "$rss_jobs1" "$rss_jobs2" "$(cut -d' ' -f1 /proc/loadavg)" \
  "$small_bytes" "$small1_s" "$small2_s" "$twice_s" <<'PY'
import sys
(b, zl, isal, floor, unzip, sz1, sz, rz, ri, ru, r7, n, cores, j1, j2, rj1, rj2, load,
 sb, s1, s2, twice) = sys.argv[1:]
mb = int(b) / 1e6
def rate(s): return mb / float(s)
def ratio(a, b): return float(a) / float(b)
print(f"corpus: {n} archives, {mb:.1f} MB uncompressed; {cores} cores; load average {load} at the end")
for name, s in (("ours, ISA-L, 1 job", isal), ("ours, zlib, 1 job", zl),
                ("raw zlib inflate + crc32", floor), ("unzip -tqq", unzip),
                ("7z t -mmt=1", sz1), (f"7z t (all {cores} threads)", sz)):
    print(f"  {name:28s} {float(s):8.3f} s  {rate(s):8.1f} MB/s")
for name, s in (("qrw32, ISA-L, --jobs 1", j1), ("qrw32, ISA-L, --jobs 2", j2)):
    print(f"  {name:28s} {float(s):8.3f} s  {rate(s):8.1f} MB/s")
print(f"ratio ours ISA-L / unzip -t     {ratio(unzip, isal):6.2f}x  (target >= 3)")
print(f"ratio ours zlib / unzip -t      {ratio(unzip, zl):6.2f}x")
print(f"ratio ours ISA-L / 7z t -mmt=1  {ratio(sz1, isal):6.2f}x")
print(f"ratio ours ISA-L / 7z t         {ratio(sz, isal):6.2f}x")
print(f"ratio ours ISA-L / ours zlib    {ratio(zl, isal):6.2f}x")
print(f"ours zlib vs raw zlib floor     {100 * (ratio(zl, floor) - 1):+6.1f}% time")
print(f"ratio qrw32 --jobs 2 / --jobs 1 {ratio(j1, j2):6.2f}x  (target >= 1.8)")
print(f"two copies of ours ISA-L at once {float(twice):.3f} s: the machine's ceiling for two jobs "
      f"{2 * ratio(isal, twice):.2f}x")
smb = int(sb) / 1e6
print(f"small archives only ({smb:.1f} MB uncompressed): qrw32 --jobs 1 {float(s1):.3f} s "
      f"{smb / float(s1):.1f} MB/s, --jobs 2 {float(s2):.3f} s {smb / float(s2):.1f} MB/s, "
      f"ratio {ratio(s1, s2):.2f}x")
print(f"ratio qrw32 --jobs 2 / unzip -t {ratio(unzip, j2):6.2f}x")
print("peak RSS testing large0.zip: " + ", ".join(
    f"{name} {int(kb) / 1024:.1f} MiB" for name, kb in
    (("ours ISA-L", ri), ("ours zlib", rz), ("unzip -t", ru), ("7z t", r7),
     ("qrw32 --jobs 1", rj1), ("qrw32 --jobs 2", rj2))) + " (qrw32 target < 32 MiB)")
PY
