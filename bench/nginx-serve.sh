# Sourced by the benches: serve_nginx WORK [SERVER-DIRECTIVES] serves
# WORK/www from a real nginx on a random loopback port, logging to
# WORK/nginx, and sets port and nginx_pid once it answers.
serve_nginx() {
  local work=$1 directives=${2:-}
  mkdir -p "$work/nginx"
  port=$((20000 + RANDOM % 20000))
  cat > "$work/nginx/nginx.conf" <<CONF
daemon off;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events {}
http {
  access_log off;
  sendfile on;
  client_body_temp_path $work/nginx; proxy_temp_path $work/nginx; fastcgi_temp_path $work/nginx;
  uwsgi_temp_path $work/nginx; scgi_temp_path $work/nginx;
  server { listen 127.0.0.1:$port; root $work/www; $directives }
}
CONF
  nginx -c "$work/nginx/nginx.conf" &
  nginx_pid=$!
  for _ in $(seq 50); do curl -s -o /dev/null "http://127.0.0.1:$port/" && break; sleep 0.1; done
}
