#!/usr/bin/env bash
# The speed limit on an unlimited nginx: a limit of N MB/s over about S
# seconds of download, how far the launcher's rate is from it, and the
# longest the download's event loop (the GUI thread in the launcher) stalled.
# Usage: bench/limit-bench.sh [limit-MB/s] [seconds]   (defaults 20 and 20)
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:-20}
seconds=${2:-20}
bench=${TESSARIL_BENCH_DIR:-build/bench}/bench_download
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-limit.XXXXXX)
nginx_pid=""
cleanup() { [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
chmod 755 "$work"
mkdir -p "$work/www" "$work/launcher" "$work/nginx"
export XDG_CONFIG_HOME="$work/config"
bytes=$((limit * 1000 * 1000 * seconds))
head -c "$bytes" /dev/urandom > "$work/www/package.7z"

. bench/nginx-serve.sh
serve_nginx "$work" ""
out=$(TESSARIL_BENCH_LIMIT_MBPS=$limit "$bench" download "http://127.0.0.1:$port/package.7z" "$work/launcher")
dl_s=$(echo "$out" | awk '/^seconds/ {print $2}')
stall=$(echo "$out" | awk '/^longest_stall_ms/ {print $2}')
cmp -s "$work/www/package.7z" "$work/launcher/package.7z" || { echo "downloaded file differs!" >&2; exit 1; }
rate=$(echo "$bytes / $dl_s / 1000000" | bc -l)
printf 'limit %d MB/s, %d MB in %.2f s: %.2f MB/s\n' "$limit" "$((bytes / 1000000))" "$dl_s" "$rate"
printf 'limit error %%: %+.1f\n' "$(echo "($rate - $limit) * 100 / $limit" | bc -l)"
echo "longest GUI thread stall ms: $stall"
