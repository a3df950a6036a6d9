#!/usr/bin/env bash
# Starts or stops the PostgreSQL server the tests use: a throw-away cluster in
# FOLDER that listens on a Unix socket in FOLDER only (PORT names the socket),
# trusting local connections of the user "carrowin".
#   postgres_server.sh start|stop FOLDER PORT
set -euo pipefail
action=$1 folder=$2 port=$3

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
  echo "No PostgreSQL server under /usr/lib/postgresql (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

# initdb refuses to run as root: the cluster then belongs to "nobody".
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}

stop() {
  if [ -f "$folder/data/postmaster.pid" ]; then
    as_owner "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null || true
  fi
  rm -rf "$folder"
}

case $action in
  start)
    stop
    mkdir -p "$folder"
    [ "$(id -u)" -eq 0 ] && chown nobody: "$folder"
    as_owner "$bin/initdb" -D "$folder/data" -U carrowin --auth=trust -E UTF8 --locale=C \
      >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log" >&2; exit 1; }
    # fsync off: the tests kill clients, never this server.
    as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
      -o "-k $folder -p $port -c listen_addresses= -c fsync=off" start >/dev/null ||
      { cat "$folder/server.log" >&2; exit 1; }
    ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop FOLDER PORT" >&2; exit 2 ;;
esac
