# Sourced by the benchmark scripts: a web server on 127.0.0.1 that serves a folder, so that the
# launcher and its peers download from the same server and the server is not what is measured.
#   start_nginx <folder> <work folder>   sets NGINX_PORT; the files are under /dlc/ (any name
#                                         under that prefix maps to <folder>/<name>)
#   stop_nginx
# Installs Debian's nginx when it is missing; the configuration is written into the work folder.
# The workers run as the caller, so that they read whatever the caller can.
NGINX_PID=
NGINX_PORT=

start_nginx() {
    local folder=$1 work=$2
    if ! command -v nginx >/dev/null && [ ! -x /usr/sbin/nginx ]; then
        # The package would start a system-wide server on port 80; the benchmarks need none, so
        # its start is refused for the length of the install.
        local policy=/usr/sbin/policy-rc.d own_policy=
        if [ ! -e "$policy" ]; then
            printf '#!/bin/sh\nexit 101\n' >"$policy" && chmod +x "$policy" && own_policy=1
        fi
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends nginx-light >&2
        [ -n "$own_policy" ] && rm -f "$policy"
    fi
    local conf="$work/nginx"
    rm -rf "$conf"
    mkdir -p "$conf/tmp"
    NGINX_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    cat >"$conf/nginx.conf" <<EOF
daemon off;
user $(id -un) $(id -gn);
worker_processes 4;
pid $conf/nginx.pid;
error_log $conf/error.log warn;
events { worker_connections 1024; }
http {
    access_log off;
    sendfile on;
    tcp_nopush on;
    keepalive_requests 100000;
    client_body_temp_path $conf/tmp;
    proxy_temp_path $conf/tmp;
    fastcgi_temp_path $conf/tmp;
    uwsgi_temp_path $conf/tmp;
    scgi_temp_path $conf/tmp;
    default_type application/octet-stream;
    server {
        listen 127.0.0.1:$NGINX_PORT;
        location /dlc/ { alias $folder/; }
    }
}
EOF
    /usr/sbin/nginx -p "$conf" -c "$conf/nginx.conf" </dev/null >/dev/null 2>&1 &
    NGINX_PID=$!
    local i
    for i in $(seq 100); do
        curl -s -o /dev/null "http://127.0.0.1:$NGINX_PORT/" && return 0
        kill -0 "$NGINX_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "nginx did not start (see $conf/error.log)" >&2
    return 1
}

stop_nginx() {
    [ -n "$NGINX_PID" ] || return 0
    kill "$NGINX_PID" 2>/dev/null || true
    wait "$NGINX_PID" 2>/dev/null || true
    NGINX_PID=
}
