#!/usr/bin/env bash
# A server that caps each connection (nginx limit_rate): curl with one
# connection against the launcher with its default segments, and the MD5 of
# the launcher's file.
# Usage: bench/segments-bench.sh [size-MiB] [rate-MiB/s per connection]
#        (defaults 256 and 16; needs scripts/setup first)
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-256}
rate_mib=${2:-16}
bench=${TESSARIL_BENCH_DIR:-build/bench}/bench_download
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-segments.XXXXXX)
nginx_pid=""
cleanup() { [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
chmod 755 "$work"
mkdir -p "$work/www" "$work/curl" "$work/launcher" "$work/nginx"
export XDG_CONFIG_HOME="$work/config"
head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$work/www/package.7z"

. bench/nginx-serve.sh
serve_nginx "$work" "limit_rate ${rate_mib}m;"
url="http://127.0.0.1:$port/package.7z"

now() { date +%s.%N; }
t0=$(now); curl -s -o "$work/curl/package.7z" "$url"; t1=$(now)
curl_s=$(echo "$t1 - $t0" | bc -l)
md5=$(md5sum "$work/www/package.7z" | cut -d' ' -f1)
out=$("$bench" download "$url" "$work/launcher" "$md5")
dl_s=$(echo "$out" | awk '/^seconds/ {print $2}')
md5ok=no
[ "$(md5sum "$work/launcher/package.7z" | cut -d' ' -f1)" = "$md5" ] && md5ok=yes
printf 'curl, one connection: %6.2f s\n' "$curl_s"
printf 'launcher, segments:   %6.2f s\n' "$dl_s"
echo "launcher's file MD5 right: $md5ok"
printf 'segments/curl ratio: %.2f\n' "$(echo "$curl_s / $dl_s" | bc -l)"
