#!/usr/bin/env bash
# Makes a package of text and incompressible data in a few thousand files,
# packs it as 7z (LZMA2) and as zip, and compares the setup worker's
# extraction with `7zz x` (all cores) and `7zz x -mmt1` of the same archive
# into a fresh folder; then the same for a package of 10000 small files, where
# the cost per item counts. The 7z package is extracted in a tmpfs too: there
# the disk's write-back, which swings the on-disk figures between runs, stays
# out of the way and the decoding alone counts.
# Each tool runs a few times, in turns, and its best time counts: creating
# files right after many were deleted costs the file system far more than
# usual here, and deleting happens only once all runs are over.
# Usage: bench/extract-bench.sh [size-MiB] [files]   (default 1024 3000; needs scripts/setup first)
# TESSARIL_BENCH_DIR points at the bench programs of another build to compare.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
bench=$(realpath "${TESSARIL_BENCH_DIR:-build/bench}")/bench_extract
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-extract.XXXXXX)
tmpfs=""
trap 'rm -rf "$work" $tmpfs' EXIT
files=${2:-3000}
shm=/dev/shm
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
seconds_of() { local t0; t0=$(now); "$@"; echo "$(now) - $t0" | bc -l; }
lower() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi; }
run=0
measure() { # measure <archive> <source tree> <runs> <runs folder> [label]
  local archive=$1 tree=$2 runs=$3 root=$4 label=${5:-${1##*/}} name=${1##*/}
  local best_ref="" best_mmt1="" best_worker="" worker_rss=0
  for _ in $(seq "$runs"); do
    run=$((run + 1))
    local ref="$root/ref$run" mmt1="$root/mmt1_$run" dest="$root/dest$run"
    mkdir "$ref" "$mmt1" "$dest"
    ln "$archive" "$dest/$name" # the worker removes the archive it installed
    local ref_s mmt1_s worker_s out
    run_7zz() { sync; ref_s=$(seconds_of 7zz x -bso0 -bsp0 -o"$ref" "$archive"); }
    run_mmt1() { sync; mmt1_s=$(seconds_of 7zz x -bso0 -bsp0 -mmt1 -o"$mmt1" "$archive"); }
    run_worker() {
      sync
      out=$("$bench" "$dest" "$name")
      worker_s=$(echo "$out" | awk '/^seconds/ {print $2}')
    }
    # Turn about, so none always meets the file system as another left it.
    case $((run % 3)) in
      0) run_7zz; run_mmt1; run_worker ;;
      1) run_worker; run_7zz; run_mmt1 ;;
      *) run_mmt1; run_worker; run_7zz ;;
    esac
    worker_rss=$(echo "$out" | awk '/^peak_rss_growth_kib/ {print $2}')
    diff -rq "$tree" "$dest" >/dev/null || { echo "extracted tree differs!" >&2; exit 1; }
    best_ref=$(lower "$best_ref" "$ref_s")
    best_mmt1=$(lower "$best_mmt1" "$mmt1_s")
    best_worker=$(lower "$best_worker" "$worker_s")
    # Memory is what a tmpfs costs; deleting there has no after-effect.
    if [ "$root" != "$work/runs" ]; then rm -rf "$ref" "$mmt1" "$dest"; fi
  done
  printf '%-15s 7zz x: %6.3f s   7zz x -mmt1: %6.3f s   worker: %6.3f s   worker peak RSS growth: %d MiB\n' \
    "$label" "$best_ref" "$best_mmt1" "$best_worker" "$((worker_rss / 1024))"
  ratio=$(echo "$best_ref / $best_worker" | bc -l)
  ratio_faster=$(echo "$(lower "$best_ref" "$best_mmt1") / $best_worker" | bc -l)
}

echo "load: $(uptime | sed 's/.*load average/load average/')"
measure "$work/package.7z" "$work/package" 3 "$work/runs"; ratio_7z=$ratio
measure "$work/package.zip" "$work/package" 3 "$work/runs"; ratio_zip=$ratio
measure "$work/many.7z" "$work/many" 5 "$work/runs"; ratio_many=$ratio
tmpfs=$(mktemp -d "$shm/tessaril-extract.XXXXXX")
cp "$work/package.7z" "$tmpfs/"
measure "$tmpfs/package.7z" "$work/package" 5 "$tmpfs" "package.7z/shm"; ratio_shm=$ratio_faster
printf 'extract-7z/7zz ratio: %.2f\n' "$ratio_7z"
printf 'extract-zip/7zz ratio: %.2f\n' "$ratio_zip"
printf 'extract-many/7zz ratio: %.2f\n' "$ratio_many"
printf 'extract-7z/7zz-mmt1 ratio: %.2f   (tmpfs, against the faster of 7zz x and 7zz x -mmt1)\n' "$ratio_shm"
