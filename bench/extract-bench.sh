#!/usr/bin/env bash
# Makes a package of text and incompressible data in a few thousand files,
# packs it as 7z (LZMA2) and as zip, and compares the setup worker's
# extraction with `7zz x` of the same archive into a fresh folder.
# Usage: bench/extract-bench.sh [size-MiB]   (default 1024; needs scripts/setup first)
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
bench=$PWD/build/bench/bench_extract
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-extract.XXXXXX)
trap 'rm -rf "$work"' EXIT
files=3000
per_file_kib=$((size_mib * 1024 / files))
echo "generating ${size_mib} MiB in $files files..."
mkdir -p "$work/package"
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

echo "packing..."
(cd "$work/package" && 7zz a -bso0 -bsp0 -t7z -m0=lzma2 -mx=3 "$work/package.7z" . && \
                       7zz a -bso0 -bsp0 -tzip -mx=3 "$work/package.zip" .)

now() { date +%s.%N; }
measure() { # format
  local archive="$work/package.$1"
  rm -rf "$work/ref" && mkdir "$work/ref"
  sync
  local t0 t1; t0=$(now); 7zz x -bso0 -bsp0 -o"$work/ref" "$archive"; t1=$(now)
  ref_s=$(echo "$t1 - $t0" | bc -l)
  rm -rf "$work/ref" "$work/dest" && mkdir "$work/dest"
  ln "$archive" "$work/dest/package.$1" # the worker removes the archive it installed
  sync
  out=$("$bench" "$work/dest" "package.$1")
  worker_s=$(echo "$out" | awk '/^seconds/ {print $2}')
  worker_rss=$(echo "$out" | awk '/^peak_rss_growth_kib/ {print $2}')
  diff -rq "$work/package" "$work/dest" >/dev/null || { echo "extracted tree differs!" >&2; exit 1; }
  rm -rf "$work/dest"
  printf '%-4s 7zz x: %6.2f s   worker: %6.2f s   worker peak RSS growth: %d MiB\n' \
    "$1" "$ref_s" "$worker_s" "$((worker_rss / 1024))"
  ratio=$(echo "$ref_s / $worker_s" | bc -l)
}

measure 7z;  ratio_7z=$ratio
measure zip; ratio_zip=$ratio
printf 'extract-7z/7zz ratio: %.2f\n' "$ratio_7z"
printf 'extract-zip/7zz ratio: %.2f\n' "$ratio_zip"
