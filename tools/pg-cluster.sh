#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests: made with initdb in a temporary folder, listening only on a Unix
# socket in that folder, never on a network port.
#   eval "$(bash tools/pg-cluster.sh start)"   prints the exports (QUENVALE_TEST_DATABASE_URL, QUENVALE_PG_CLUSTER)
#   bash tools/pg-cluster.sh stop DIR          stops the cluster and removes its folder
set -euo pipefail

bindir() {
    local initdb
    initdb="$(command -v initdb 2>/dev/null || true)"
    if [[ -z "$initdb" ]]; then
        initdb="$(ls -d /usr/lib/postgresql/*/bin/initdb 2>/dev/null | sort -V | tail -n 1 || true)"
    fi
    [[ -n "$initdb" ]] || { echo "pg-cluster: initdb not found (install the postgresql package)" >&2; exit 1; }
    dirname "$initdb"
}

# The server refuses to run as root; the cluster then belongs to the postgres user.
as_owner() {
    if [[ "$(id -u)" == 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

start() {
    local bin dir
    bin="$(bindir)"
    dir="$(mktemp -d "${TMPDIR:-/tmp}/quenvale-pg.XXXXXX")"
    chmod 755 "$dir"
    [[ "$(id -u)" == 0 ]] && chown postgres: "$dir"
    as_owner "$bin/initdb" -D "$dir/data" -U quenvale -E UTF8 --locale=C.UTF-8 --auth=trust >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c max_connections=120" start \
        >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    echo "export QUENVALE_PG_CLUSTER='$dir'"
    echo "export QUENVALE_TEST_DATABASE_URL='postgresql://quenvale@/postgres?host=$dir'"
}

stop() {
    local dir="${1:-${QUENVALE_PG_CLUSTER:-}}"
    [[ -n "$dir" && -d "$dir/data" ]] || exit 0
    as_owner "$(bindir)/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$dir"
}

case "${1:-}" in
start) start ;;
stop) stop "${2:-}" ;;
*) echo "usage: $0 start | stop DIR" >&2; exit 2 ;;
esac
