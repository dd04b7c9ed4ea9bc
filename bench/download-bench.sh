#!/usr/bin/env bash
# Serves a generated package from a real nginx on loopback and compares the
# launcher's download and MD5 check with curl and md5sum on the same file:
# the check right after a download in one piece, as the player waits for it,
# and the check of a file the launcher did not download itself (a full read).
# Usage: bench/download-bench.sh [size-MiB]   (default 1024; needs scripts/setup first)
# TESSARIL_BENCH_DIR points at the bench programs of another build to compare.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
bench=${TESSARIL_BENCH_DIR:-build/bench}/bench_download
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-bench.XXXXXX)
nginx_pid=""
cleanup() { [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
chmod 755 "$work"
mkdir -p "$work/www" "$work/curl" "$work/launcher" "$work/nginx"
export XDG_CONFIG_HOME="$work/config"

echo "generating ${size_mib} MiB package..."
head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$work/www/package.7z"

. bench/nginx-serve.sh
serve_nginx "$work"
url="http://127.0.0.1:$port/package.7z"

now() { date +%s.%N; }
t0=$(now); curl -s -o "$work/curl/package.7z" "$url"; t1=$(now)
curl_s=$(echo "$t1 - $t0" | bc -l)

md5=$(md5sum "$work/www/package.7z" | cut -d' ' -f1)
out=$("$bench" download "$url" "$work/launcher" "$md5")
dl_s=$(echo "$out" | awk '/^seconds/ {print $2}')
check_s=$(echo "$out" | awk '/^check_seconds/ {print $2}')
dl_rss=$(echo "$out" | awk '/^peak_rss_growth_kib/ {print $2}')
cmp -s "$work/www/package.7z" "$work/launcher/package.7z" || { echo "downloaded file differs!" >&2; exit 1; }

sync; t0=$(now); md5sum "$work/launcher/package.7z" >/dev/null; t1=$(now)
md5sum_s=$(echo "$t1 - $t0" | bc -l)
out=$("$bench" md5 "$work/launcher/package.7z")
md5_s=$(echo "$out" | awk '/^seconds/ {print $2}')

mib() { echo "scale=1; $size_mib / $1" | bc -l; }
printf 'curl download:     %6.2f s  %7s MiB/s\n' "$curl_s" "$(mib "$curl_s")"
printf 'launcher download: %6.2f s  %7s MiB/s\n' "$dl_s" "$(mib "$dl_s")"
printf 'md5sum:            %6.2f s  %7s MiB/s\n' "$md5sum_s" "$(mib "$md5sum_s")"
printf 'md5 worker:        %6.2f s  %7s MiB/s\n' "$md5_s" "$(mib "$md5_s")"
printf 'check after download: %.4f s\n' "$check_s"
printf 'download and check:  %6.2f s   (curl then md5sum: %.2f s)\n' \
  "$(echo "$dl_s + $check_s" | bc -l)" "$(echo "$curl_s + $md5sum_s" | bc -l)"
printf 'download/curl ratio: %.2f\n' "$(echo "$curl_s / $dl_s" | bc -l)"
printf 'md5/md5sum ratio: %.2f\n' "$(echo "$md5sum_s / $md5_s" | bc -l)"
printf 'peak RSS growth MiB: %d\n' "$((dl_rss / 1024))"
printf 'verify/md5sum ratio: %.2f\n' "$(echo "$check_s / $md5sum_s" | bc -l)"
