#!/usr/bin/env bash
# How downloads survive what goes wrong.
# 1. The download is killed (SIGKILL) at 20 random moments of a 1 GiB
#    download from a rate-limited nginx and started again each time, as a
#    player's machine that crashes or loses power would: how many restarts
#    continued where the file was, how many began again from zero, and how
#    many bytes nginx sent twice (from its access log). This runs twice, with
#    one connection and with the segments, at the same total rate: a kill
#    costs what arrived since the last resume record, a fraction of a
#    second's worth, so at four times the rate it would cost four times the
#    bytes whatever the segments do.
# 2. Network faults from the tests' scripted server, at the launcher's real
#    timings: a stalled transfer, a reset connection, 416 and 503 answers, a
#    200 to a ranged request, a redirect loop, a byte per second; and, as
#    root, a package larger than a small tmpfs. Each with its outcome and the
#    time it took to come.
# Usage: bench/faults.sh [size-MiB] [rate-MiB/s]   (defaults 1024 and 48 in all; needs scripts/setup)
# TESSARIL_BENCH_SEGMENTS sets the download's segments (default 4);
# TESSARIL_FAULTS_KILLS_ONLY=1 stops after the kills.
# TESSARIL_BENCH_DIR points at the bench programs of another build to compare.
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
rate_mib=${2:-48}
segments=${TESSARIL_BENCH_SEGMENTS:-4}
kills=20
bench_dir=$(realpath "${TESSARIL_BENCH_DIR:-build/bench}")
for program in bench_download bench_faults; do
  [ -x "$bench_dir/$program" ] || { echo "build first: scripts/setup" >&2; exit 1; }
done

work=$(mktemp -d /var/tmp/tessaril-faults.XXXXXX)
nginx_pid=""
mounted=""
cleanup() {
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
mkdir -p "$work/www" "$work/launcher" "$work/nginx" "$work/faults"
export XDG_CONFIG_HOME=$work/config

echo "generating ${size_mib} MiB package..."
head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$work/www/package.7z"
size=$(stat -c %s "$work/www/package.7z")

port=$((20000 + RANDOM % 20000))
cat > "$work/nginx/nginx.conf" <<CONF
$([ "$(id -u)" -eq 0 ] && echo "user root;")
daemon off;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events {}
http {
  log_format sent '\$request_method \$status "\$http_range" \$body_bytes_sent';
  access_log $work/nginx/access.log sent;
  sendfile on;
  # Sent in small pieces, so what nginx has pushed ahead of the reader at a
  # kill stays near what a real link holds in flight.
  sendfile_max_chunk 128k;
  client_body_temp_path $work/nginx; proxy_temp_path $work/nginx; fastcgi_temp_path $work/nginx;
  uwsgi_temp_path $work/nginx; scgi_temp_path $work/nginx;
  server {
    listen 127.0.0.1:$port; root $work/www;
    location /one/ { alias $work/www/; limit_rate ${rate_mib}m; }
    location /segments/ { alias $work/www/; limit_rate $((rate_mib * 1024 / segments))k; }
  }
}
CONF
nginx -c "$work/nginx/nginx.conf" &
nginx_pid=$!
for _ in $(seq 50); do curl -sfI "http://127.0.0.1:$port/one/package.7z" >/dev/null && break; sleep 0.1; done

# The kills fall, on average, over the first 70 % of the time the whole
# download takes at the rate, so every one of them hits a download under way.
mean_ms=$((size_mib * 1000 * 7 / 10 / rate_mib / kills))

# kill_runs SEGMENTS PATH: the kills, then the run to the end, and the
# outcome from nginx's access log.
kill_runs() {
  local count=$1 url="http://127.0.0.1:$port/$2/package.7z" killed=0 t0 t1 intact=no
  local dir="$work/launcher-$count"
  mkdir -p "$dir"
  : > "$work/nginx/access.log"
  RANDOM=4242
  t0=$(date +%s.%N)
  for run in $(seq $kills); do
    curl -s -o /dev/null "http://127.0.0.1:$port/run-$run" || true
    TESSARIL_BENCH_SEGMENTS=$count "$bench_dir/bench_download" download "$url" "$dir" >/dev/null 2>&1 &
    pid=$!
    delay_ms=$((100 + RANDOM % (2 * mean_ms - 100)))
    sleep "$(echo "$delay_ms / 1000" | bc -l)"
    if kill -KILL "$pid" 2>/dev/null; then killed=$((killed + 1)); fi
    wait "$pid" 2>/dev/null || true
  done
  curl -s -o /dev/null "http://127.0.0.1:$port/run-last" || true
  TESSARIL_BENCH_SEGMENTS=$count "$bench_dir/bench_download" download "$url" "$dir" >/dev/null 2>&1 || true
  t1=$(date +%s.%N)
  cmp -s "$work/www/package.7z" "$dir/package.7z" && intact=yes
  sleep 0.5 # nginx writes a request's line once it has seen the connection end

  # Runs are told apart by a request for "/run-N" before each. A run after the
  # first resumed soundly when none of its transfers starts at byte zero again
  # (with segments each starts where its record says) and each starts no
  # further than nginx ever got in that part of the file; it restarted from
  # zero when one of them asks for byte zero again.
  read -r resumed from_zero sent < <(awk -v size="$size" '
    function close_run() {
      if (runs > 1 && gets_in_run > 0) { if (zero_in_run) zero++; else if (sound) ok++ }
    }
    $1 == "GET" && $2 == 404 { close_run(); runs++; gets_in_run = 0; zero_in_run = 0; sound = 1; next }
    $1 == "GET" {
      range = $3; gsub(/"|bytes=/, "", range); split(range, r, "-")
      start = (range == "-" || range == "") ? 0 : r[1] + 0
      if (runs > 1 && start == 0) zero_in_run = 1
      if (runs > 1 && start > reached && !fresh[start]) sound = 0
      fresh[start] = 1
      gets_in_run++
      if (start + $4 > reached) reached = start + $4
      total += $4
    }
    END { close_run(); printf "%d %d %d\n", ok, zero, total }' "$work/nginx/access.log")
  [ "$intact" = yes ] || resumed=0
  twice_mib=$(( (sent - size) / 1024 / 1024 ))
  echo "with $count connection(s), ${rate_mib} MiB/s in all:"
  printf '  killed %d times in %.1f s; final file intact: %s\n' "$killed" "$(echo "$t1 - $t0" | bc -l)" "$intact"
  echo "  resumes ok: $resumed/$killed"
  echo "  restarts from zero: $from_zero"
  echo "  bytes fetched twice MiB: $twice_mib"
}

echo "killing the download $kills times, after 0.1 to $((2 * mean_ms)) ms each..."
kill_runs 1 one
one_twice=$twice_mib
if [ "$segments" -gt 1 ]; then
  kill_runs "$segments" segments
  echo "bytes fetched twice, segments against one connection: $twice_mib MiB / $one_twice MiB"
fi

small=""
if [ "$(id -u)" -eq 0 ]; then
  mkdir -p "$work/small"
  if mount -t tmpfs -o size=8m tmpfs "$work/small" 2>/dev/null; then
    mounted=$work/small
    small=$work/small
  fi
fi
[ -n "$small" ] || echo "fault full-disk: skipped (a small tmpfs needs root)"
[ -n "${TESSARIL_FAULTS_KILLS_ONLY:-}" ] && exit 0
echo "network faults at the real timings (the slowest takes about three minutes)..."
"$bench_dir/bench_faults" "$work/faults" $small 2>/dev/null
