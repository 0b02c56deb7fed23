# A throw-away PostgreSQL server for the tests and the benchmark.  Sourced:
#   start_pg_server   initdb and start a server as the postgres user (initdb
#                     refuses root) in a new temporary directory, listening on
#                     a Unix socket there and on no TCP port; exports PGHOST,
#                     PGPORT and PGUSER for psql and pg_regress, and stops and
#                     removes the server on exit
#   stop_pg_server    stops and removes it (also called on exit)
# Needs pg_config on PATH, and runuser when run as root.
pg_server_dir=""

pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

stop_pg_server() {
  [ -n "$pg_server_dir" ] || return 0
  pg_as_owner "$(pg_config --bindir)/pg_ctl" -D "$pg_server_dir/data" -m fast -w stop \
    >/dev/null 2>&1 || true
  rm -rf "$pg_server_dir"
  pg_server_dir=""
}

start_pg_server() {
  local bindir
  bindir=$(pg_config --bindir)
  pg_server_dir=$(mktemp -d /tmp/sec1996-pg.XXXXXX)
  trap stop_pg_server EXIT
  [ "$(id -u)" -ne 0 ] || chown postgres "$pg_server_dir"
  pg_as_owner "$bindir/initdb" -D "$pg_server_dir/data" -U postgres -A trust -E UTF8 \
    --locale=C --no-sync >"$pg_server_dir/initdb.log" 2>&1 ||
    { cat "$pg_server_dir/initdb.log" >&2; return 1; }
  # listen_addresses '' turns TCP off: the socket in the private directory
  # is the only way in.
  if ! pg_as_owner "$bindir/pg_ctl" -D "$pg_server_dir/data" -l "$pg_server_dir/server.log" -w \
    -o "-c listen_addresses='' -c unix_socket_directories='$pg_server_dir' -c fsync=off" \
    start >/dev/null; then
    cat "$pg_server_dir/server.log" >&2
    return 1
  fi
  export PGHOST=$pg_server_dir PGPORT=5432 PGUSER=postgres
}
