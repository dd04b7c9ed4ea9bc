#!/usr/bin/env bash
# Makes a package of text and incompressible data in a few thousand files,
# packs it as 7z (LZMA2) and as zip, and compares the setup worker's
# extraction with `7zz x` of the same archive into a fresh folder; then the
# same for a package of 10000 small files, where the cost per item counts.
# Each tool runs a few times, in turns, and its best time counts: creating
# files right after many were deleted costs the file system far more than
# usual here, and deleting happens only once all runs are over.
# Usage: bench/extract-bench.sh [size-MiB]   (default 1024; needs scripts/setup first)
# TESSARIL_BENCH_DIR points at the bench programs of another build to compare.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
bench=$(realpath "${TESSARIL_BENCH_DIR:-build/bench}")/bench_extract
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-extract.XXXXXX)
trap 'rm -rf "$work"' EXIT
files=3000
per_file_kib=$((size_mib * 1024 / files))
echo "generating ${size_mib} MiB in $files files and 10000 small files..."
mkdir -p "$work/package" "$work/many" "$work/runs"
for i in $(seq 1 $files); do
  dir="$work/package/data/$((i % 40))"
  mkdir -p "$dir"
  if [ $((i % 2)) -eq 0 ]; then
    head -c "${per_file_kib}K" /dev/urandom > "$dir/asset_$i.bin"
  else
    yes "script line $i: the warden walks the northern gate at dusk, torch $((i * 7))" \
      | head -c "${per_file_kib}K" > "$dir/text_$i.txt" || true # yes ends by SIGPIPE
  fi
done
python3 - "$work/many" <<'EOF'
import os, random, sys
random.seed(11)
for i in range(10000):
    folder = f"{sys.argv[1]}/data/{i % 100:02d}"
    os.makedirs(folder, exist_ok=True)
    size = random.randint(256, 4096)
    line = f"script line {i}: the warden walks the northern gate at dusk\n".encode()
    data = (line * (size // len(line) + 1))[:size] if i % 2 else os.urandom(size)
    with open(f"{folder}/item_{i}.txt", "wb") as f:
        f.write(data)
EOF

echo "packing..."
(cd "$work/package" && 7zz a -bso0 -bsp0 -t7z -m0=lzma2 -mx=3 "$work/package.7z" . && \
                       7zz a -bso0 -bsp0 -tzip -mx=3 "$work/package.zip" .)
(cd "$work/many" && 7zz a -bso0 -bsp0 -t7z -m0=lzma2 -mx=3 "$work/many.7z" .)

now() { date +%s.%N; }
run=0
measure() { # measure <archive> <source tree> <runs>
  local archive=$1 tree=$2 runs=$3 name=${1##*/} best_ref="" best_worker="" worker_rss=0
  for _ in $(seq "$runs"); do
    run=$((run + 1))
    local ref="$work/runs/ref$run" dest="$work/runs/dest$run"
    mkdir "$ref" "$dest"
    ln "$archive" "$dest/$name" # the worker removes the archive it installed
    local ref_s worker_s out
    run_7zz() {
      sync
      local t0 t1; t0=$(now); 7zz x -bso0 -bsp0 -o"$ref" "$archive"; t1=$(now)
      ref_s=$(echo "$t1 - $t0" | bc -l)
    }
    run_worker() {
      sync
      out=$("$bench" "$dest" "$name")
      worker_s=$(echo "$out" | awk '/^seconds/ {print $2}')
    }
    # Turn about, so neither always meets the file system as the other left it.
    if [ $((run % 2)) -eq 1 ]; then run_7zz; run_worker; else run_worker; run_7zz; fi
    worker_rss=$(echo "$out" | awk '/^peak_rss_growth_kib/ {print $2}')
    diff -rq "$tree" "$dest" >/dev/null || { echo "extracted tree differs!" >&2; exit 1; }
    if [ -z "$best_ref" ] || [ "$(echo "$ref_s < $best_ref" | bc -l)" = 1 ]; then best_ref=$ref_s; fi
    if [ -z "$best_worker" ] || [ "$(echo "$worker_s < $best_worker" | bc -l)" = 1 ]; then
      best_worker=$worker_s
    fi
  done
  printf '%-9s 7zz x: %6.3f s   worker: %6.3f s   worker peak RSS growth: %d MiB\n' \
    "$name" "$best_ref" "$best_worker" "$((worker_rss / 1024))"
  ratio=$(echo "$best_ref / $best_worker" | bc -l)
}

measure "$work/package.7z" "$work/package" 3; ratio_7z=$ratio
measure "$work/package.zip" "$work/package" 3; ratio_zip=$ratio
measure "$work/many.7z" "$work/many" 5; ratio_many=$ratio
printf 'extract-7z/7zz ratio: %.2f\n' "$ratio_7z"
printf 'extract-zip/7zz ratio: %.2f\n' "$ratio_zip"
printf 'extract-many/7zz ratio: %.2f\n' "$ratio_many"
