#!/usr/bin/env bash
# Installs a game of 3000 files (1 GiB by default, text and incompressible
# data) with a fresh install record, then compares verifying it against the
# record with `md5sum` over the same files. Both read warm from the page
# cache: each runs a few times, in turns, and its best time counts. Prints
# the ratio md5sum/verify (above 1 means verify is faster) and the longest
# stall of the thread that runs the verify's event loop, as the window's
# would.
# Usage: bench/verify-bench.sh [size-MiB]   (default 1024; needs scripts/setup first)
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
bench=$(realpath "${TESSARIL_BENCH_DIR:-build/bench}")/bench_verify
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-verify.XXXXXX)
trap 'rm -rf "$work"' EXIT
files=3000
per_file_kib=$((size_mib * 1024 / files))
echo "generating ${size_mib} MiB in $files files..."
mkdir -p "$work/package" "$work/game"
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
echo "packing and installing..."
(cd "$work/package" && 7zz a -bso0 -bsp0 -t7z -mx=1 "$work/game/package.7z" .)
rm -rf "$work/package"
"$bench" "$work/game" package.7z >/dev/null

now() { date +%s.%N; }
best_md5="" best_verify="" worst_stall=0
for run in 1 2 3; do
  run_md5() {
    local t0 t1; t0=$(now)
    (cd "$work/game" && find data -type f -print0 | xargs -0 md5sum >/dev/null); t1=$(now)
    md5_s=$(echo "$t1 - $t0" | bc -l)
  }
  run_verify() {
    out=$("$bench" "$work/game")
    verify_s=$(echo "$out" | awk '/^seconds/ {print $2}')
    stall=$(echo "$out" | awk '/^stall_max_ms/ {print $2}')
    [ "$(echo "$out" | awk '/^damaged/ {print $2}')" = 0 ] || { echo "verify found damage!" >&2; exit 1; }
  }
  if [ $((run % 2)) -eq 1 ]; then run_md5; run_verify; else run_verify; run_md5; fi
  [ "$stall" -gt "$worst_stall" ] && worst_stall=$stall
  if [ -z "$best_md5" ] || [ "$(echo "$md5_s < $best_md5" | bc -l)" = 1 ]; then best_md5=$md5_s; fi
  if [ -z "$best_verify" ] || [ "$(echo "$verify_s < $best_verify" | bc -l)" = 1 ]; then
    best_verify=$verify_s
  fi
done
printf 'md5sum: %6.3f s   verify: %6.3f s\n' "$best_md5" "$best_verify"
printf 'verify/md5sum ratio: %.2f\n' "$(echo "$best_md5 / $best_verify" | bc -l)"
printf 'GUI thread longest stall: %d ms\n' "$worst_stall"
