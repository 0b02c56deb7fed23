#!/usr/bin/env bash
# The database extensions against real databases:
#   - builds both from cmake in build/sql-extensions, the PostgreSQL directories given as
#     the server's own (pg_config), and runs the SQLite tests (the sqlite3
#     shell and Debian's Python);
#   - installs the PostgreSQL extension into the server's directories with
#     cmake --install, starts a throw-away server as the postgres user (a
#     temporary data directory, a Unix socket only, no TCP) and runs the
#     pg_regress tests through PGXS `make installcheck`; the server is
#     stopped and removed on exit.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/sql-extensions

source scripts/lib/need.sh
need_command cmake
need_command g++
need_command make
need_command runuser util-linux
need_file /usr/include/gtest/gtest.h libgtest-dev
need_package postgresql-15 postgresql-server-dev-15 libsqlite3-dev sqlite3 python3
install_needed
source scripts/lib/pg_server.sh

echo "== build the extensions"
cmake -S . -B "$build" -DSEC1996_BUILD_CLI=OFF -DSEC1996_BUILD_DRIVER=OFF \
  -DSEC1996_BUILD_POSTGRESQL=ON -DSEC1996_BUILD_SQLITE=ON \
  -DSEC1996_POSTGRESQL_PKGLIBDIR="$(pg_config --pkglibdir)" \
  -DSEC1996_POSTGRESQL_EXTENSIONDIR="$(pg_config --sharedir)/extension" >/dev/null
cmake --build "$build" -j2 --target sec1996_postgresql sec1996_sqlite

echo "== SQLite"
ctest --test-dir "$build" -R '^sqlite_' --output-on-failure --no-tests=error

echo "== PostgreSQL"
cmake --install "$build" --component sec1996_postgresql
start_pg_server
listening=$(psql -X -Atq -d postgres -c "SHOW listen_addresses")
[ -z "$listening" ] || { echo "ci_sql: the test server listens on '$listening'" >&2; exit 1; }
status=0
make -s -C "$build/sql/postgresql" -f "$root/sql/postgresql/Makefile" \
  VPATH="$root/sql/postgresql" with_llvm=no installcheck || status=$?
if [ "$status" -ne 0 ]; then
  cat "$build/sql/postgresql/regression.diffs" >&2 || true
  exit "$status"
fi
