#!/usr/bin/env bash
# Times a whole install the way a player gets the game: the real view model
# from the get button to Ready against nginx on loopback, and in the same run
# the three tools a player could use instead, one after another on the same
# package: curl, md5sum, 7zz x.
# It also prints how long after the download's last byte the game was Ready.
# With a rate (nginx limit_rate, per connection: "6m" makes 1024 MiB take
# about 20 s over the launcher's four connections) the download is throttled
# and the tools are not run.
# SEGMENTS=n sets the player's connection count (the launcher's default
# otherwise).
# Usage: bench/install-bench.sh [size-MiB [rate]]   (default 1024; needs scripts/setup first)
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-1024}
rate=${2:-}
bench=$PWD/build/bench/bench_install
[ -x "$bench" ] || { echo "build first: scripts/setup" >&2; exit 1; }

work=$(mktemp -d /var/tmp/tessaril-install.XXXXXX)
nginx_pid=""
cleanup() { [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
chmod 755 "$work"
api="$work/www/qx7a_global/zqk/launcher/api"
mkdir -p "$work/package" "$api" "$work/nginx" "$work/program"
export XDG_CONFIG_HOME="$work/config"
if [ -n "${SEGMENTS:-}" ]; then
  printf '[General]\ndownload_segments=%s\n' "$SEGMENTS" > "$work/program/config.ini"
fi

files=3000
per_file_kib=$((size_mib * 1024 / files))
echo "generating ${size_mib} MiB in $files files, half text, half random..."
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
printf '#!/bin/sh\n' > "$work/package/Quorvela.exe"
echo "packing..."
(cd "$work/package" && 7zz a -bso0 -bsp0 -t7z -m0=lzma2 -mx=3 "$work/www/game.7z" .)
md5=$(md5sum "$work/www/game.7z" | cut -d' ' -f1)
size=$(stat -c %s "$work/www/game.7z")

. bench/nginx-serve.sh
serve_nginx "$work" "${rate:+limit_rate $rate;}"
origin="http://127.0.0.1:$port"
# nginx reads files as they are asked for, so the manifest may follow it.
printf '{"data":{"game":{"latest":{"version":"1.0.0","path":"%s/game.7z","md5":"%s","size":"%s"}}}}' \
  "$origin" "$md5" "$size" > "$api/resource"
printf '{"data":{"adv":{}}}' > "$api/content"

now() { date +%s.%N; }
tools_s=""
if [ -z "$rate" ]; then
echo "tools: curl, md5sum, 7zz x..."
mkdir -p "$work/tools"
sync
t0=$(now)
curl -sf -o "$work/tools/game.7z" "$origin/game.7z"
md5sum "$work/tools/game.7z" >/dev/null
7zz x -bso0 -bsp0 -o"$work/tools/game" "$work/tools/game.7z"
t1=$(now)
tools_s=$(echo "$t1 - $t0" | bc -l)
rm -rf "$work/tools"
sync
fi

echo "launcher: get button to Ready..."
out=$(TESSARIL_CONTENT_ORIGIN=$origin TESSARIL_REPORT_ORIGIN=$origin TESSARIL_RELEASE_ORIGIN=$origin \
      TESSARIL_WEB_ORIGIN=$origin "$bench" "$work/program")
launcher_s=$(echo "$out" | awk '/^seconds/ {print $2}')
after_s=$(echo "$out" | awk '/^after_last_byte/ {print $2}')
diff -rq "$work/package" "$work/program/Tessaril Game" -x config.ini -x install-record.txt >/dev/null \
  || { echo "installed tree differs!" >&2; exit 1; }

printf 'package: %d MiB packed, %d files\n' "$((size / 1048576))" "$files"
[ -n "$rate" ] && printf 'throttled: limit_rate %s per connection\n' "$rate"
[ -n "$tools_s" ] && printf 'tools (curl + md5sum + 7zz x): %6.2f s\n' "$tools_s"
printf 'launcher (get to Ready):       %6.2f s\n' "$launcher_s"
[ -n "$tools_s" ] && printf 'install/tools ratio: %.2f\n' "$(echo "$tools_s / $launcher_s" | bc -l)"
printf 'ready after last byte s: %.3f\n' "$after_s"
