#!/usr/bin/env bash
# Whether the window stays responsive while the game installs: the launcher's
# real view model and window (offscreen) install a generated 1 GiB package
# from nginx on loopback, with every service it asks served beside it, while
# a probe timer on the GUI thread records how late the event loop serves it.
# Also the time from process start to the window's first frame (the web
# page loads on its own afterwards), the median of a few start-ups.
# Usage: bench/responsiveness.sh [size-MiB]   (default 1024; needs scripts/setup first)
# TESSARIL_BENCH_DIR points at the bench programs of another build to compare.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
bench=$(realpath "${TESSARIL_BENCH_DIR:-build/bench}")/bench_responsiveness
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-responsiveness.XXXXXX)
nginx_pid=""
cleanup() { [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
chmod 755 "$work"
www=$work/www
mkdir -p "$www/qx7a_global/zqk/launcher/api" "$www/packages" "$www/launcher" "$www/releases" \
         "$work/nginx" "$work/game"

echo "generating a ${size_mib} MiB game of 10000 small files and large assets..."
python3 - "$work/game" "$size_mib" <<'EOF'
import os, random, sys
root, size_mib = sys.argv[1], int(sys.argv[2])
random.seed(7)
def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
write(f"{root}/Quorvela.exe", b"#!/bin/sh\nexit 0\n")
write(f"{root}/Quorvela_Data/Managed/Metadata/global-metadata.dat", os.urandom(4096))
small = 0
for i in range(10000):
    n = random.randint(256, 4096)
    text = (f"line {i}: the warden walks the northern gate at dusk\n" * (n // 48 + 1)).encode()
    write(f"{root}/Quorvela_Data/scripts/{i % 100:02d}/s_{i}.txt", text[:n] if i % 2 else os.urandom(n))
    small += n
left = size_mib * 1024 * 1024 - small
piece = 16 * 1024 * 1024
i = 0
while left > 0:
    n = min(piece, left)
    write(f"{root}/Quorvela_Data/assets/a_{i}.pak", os.urandom(n))
    left -= n
    i += 1
EOF
# The small files compressed, the large random assets stored: LZMA2 would
# spend minutes on them for nothing.
echo "packing..."
(cd "$work/game" && 7zz a -bso0 -bsp0 -t7z -m0=lzma2 -mx=1 "$www/packages/game_1.0.0.7z" . -xr!assets &&
                    7zz a -bso0 -bsp0 -t7z -mx=0 "$www/packages/game_1.0.0.7z" Quorvela_Data/assets)
rm -rf "$work/game"
package=$www/packages/game_1.0.0.7z

port=$((20000 + RANDOM % 20000))
origin=http://127.0.0.1:$port
cat >"$www/qx7a_global/zqk/launcher/api/resource" <<JSON
{"code":0,"data":{"game":{"latest":{"version":"1.0.0","path":"$origin/packages/game_1.0.0.7z",
 "entry":"Quorvela.exe","name":"game_1.0.0.7z","md5":"$(md5sum "$package" | cut -d' ' -f1)",
 "size":"$(stat -c %s "$package")"},"diffs":[]},"web_url":"$origin/launcher/"}}
JSON
echo '{"code":0,"data":{"adv":{}}}' >"$www/qx7a_global/zqk/launcher/api/content"
echo '{"code":0,"data":{"has_update":"false"}}' >"$www/releases/none.json"
echo '<html><body style="background:#202020;color:#ddd">News</body></html>' >"$www/launcher/index.html"

cat >"$work/nginx/nginx.conf" <<CONF
$([ "$(id -u)" -eq 0 ] && echo "user root;")
daemon off;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events {}
http {
  access_log off;
  sendfile on;
  client_body_temp_path $work/nginx; proxy_temp_path $work/nginx; fastcgi_temp_path $work/nginx;
  uwsgi_temp_path $work/nginx; scgi_temp_path $work/nginx;
  server {
    listen 127.0.0.1:$port;
    root $www;
    location = /client_report { return 200 "ok"; }
    location = /brisko/quentharos/api/getLatestRelease {
      default_type application/json; try_files /releases/none.json =404;
    }
    location /qx7a_global/zqk/launcher/api/ { default_type application/json; }
    location /launcher/ { default_type text/html; try_files \$uri /launcher/index.html; }
  }
}
CONF
nginx -c "$work/nginx/nginx.conf" &
nginx_pid=$!
for _ in $(seq 50); do curl -sfI "$origin/packages/game_1.0.0.7z" >/dev/null && break; sleep 0.1; done

export TESSARIL_CONTENT_ORIGIN=$origin TESSARIL_RELEASE_ORIGIN=$origin TESSARIL_REPORT_ORIGIN=$origin \
       TESSARIL_WEB_ORIGIN=$origin TESSARIL_LAUNCHER_API_ORIGIN=$origin QT_QPA_PLATFORM=offscreen
fresh_user() { # each run starts as a new player: no settings, nothing installed
  rm -rf "$work/user" "$work/program"
  mkdir -p "$work/user/config" "$work/user/data" "$work/user/cache" "$work/user/runtime" "$work/program"
  chmod 700 "$work/user/runtime"
  export HOME=$work/user XDG_CONFIG_HOME=$work/user/config XDG_DATA_HOME=$work/user/data \
         XDG_CACHE_HOME=$work/user/cache XDG_RUNTIME_DIR=$work/user/runtime
}

frames=()
for _ in 1 2 3 4 5; do
  fresh_user
  frame=$(timeout 60 "$bench" "$work/program" --first-frame 2>/dev/null | awk '/^first frame ms:/ {print $4}')
  frames+=("${frame:-99999}")
done
first_frame=$(printf '%s\n' "${frames[@]}" | sort -n | sed -n 3p)

fresh_user
sync
out=$("$bench" "$work/program" 2>"$work/stalls.log") || { cat "$work/stalls.log" >&2; echo "$out"; exit 1; }
[ -f "$work/program/Tessaril Game/Quorvela.exe" ] || { echo "the game was not installed!" >&2; exit 1; }
echo "first frame ms of each start-up: ${frames[*]}"
echo "$out" | grep -E '^(stall max|install seconds)'
echo "longest stalls, with what the GUI thread waited in:"
grep -E '^stall at' "$work/stalls.log" | sort -t: -k2 -n -r | head -5 || true
echo "$out" | grep '^gui stall max ms:'
echo "first frame ms: $first_frame"
