#!/usr/bin/env bash
# Speed of the database extensions against each database's built-in route
# to the same ISO 8601 text, on the same rows:
#   PostgreSQL: c::sec1996::text  vs
#               to_char(to_timestamp(c + 820454400) AT TIME ZONE 'UTC',
#                       'YYYY-MM-DD"T"HH24:MI:SS"Z"')
#               over a table of PG_ROWS (default 1e6) random counts (bigint);
#   SQLite:     sec1996_iso(c)  vs
#               strftime('%Y-%m-%dT%H:%M:%SZ', c + 820454400, 'unixepoch')
#               over a table of SQLITE_ROWS (default 1e7) random counts.
# Each is timed as `SELECT count(*) ... WHERE text >= '2100...'` and as a
# SELECT of the text of every row (PostgreSQL: COPY to /dev/null on the
# server; SQLite: the sqlite3 shell writing to /dev/null), best of REPEAT
# (default 3) runs, one backend, no parallel workers.  Prints the times and
# the ratios (built-in time / extension time).  Builds and installs the
# extensions as scripts/ci_sql.sh does, and starts its own server.
# Usage: scripts/bench_sql.sh   (PG_ROWS=... SQLITE_ROWS=... REPEAT=... to change)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/sql-extensions
pg_rows=${PG_ROWS:-1000000}
sqlite_rows=${SQLITE_ROWS:-10000000}
repeat=${REPEAT:-3}

source scripts/lib/need.sh
need_command cmake
need_command g++
need_command make
need_command runuser util-linux
need_package postgresql-15 postgresql-server-dev-15 libsqlite3-dev sqlite3
install_needed
source scripts/lib/pg_server.sh

cmake -S . -B "$build" -DSEC1996_BUILD_CLI=OFF -DSEC1996_BUILD_DRIVER=OFF \
  -DSEC1996_BUILD_POSTGRESQL=ON -DSEC1996_BUILD_SQLITE=ON \
  -DSEC1996_POSTGRESQL_PKGLIBDIR="$(pg_config --pkglibdir)" \
  -DSEC1996_POSTGRESQL_EXTENSIONDIR="$(pg_config --sharedir)/extension" >/dev/null
cmake --build "$build" -j2 --target sec1996_postgresql sec1996_sqlite >/dev/null
cmake --install "$build" --component sec1996_postgresql >/dev/null

ours_pg="c::sec1996::text"
theirs_pg="to_char(to_timestamp(c + 820454400) AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS\"Z\"')"
ours_sqlite="sec1996_iso(c)"
theirs_sqlite="strftime('%Y-%m-%dT%H:%M:%SZ', c + 820454400, 'unixepoch')"
threshold="2100-01-01T00:00:00Z"

results=()
# report DATABASE QUERY OURS_MS THEIRS_MS
report() {
  local line
  line=$(awk -v d="$1" -v q="$2" -v o="$3" -v t="$4" \
    'BEGIN { printf "%-10s %-22s %10.1f ms %10.1f ms %6.2fx", d, q, o, t, t / o }')
  results+=("$line")
  echo "$line"
}

# best_ms: the least of the "Time: N ms" lines on standard input.
best_ms() { sed -n 's/^Time: \([0-9.]*\) ms.*/\1/p' | sort -g | head -n1; }

echo "== PostgreSQL, $pg_rows counts"
start_pg_server
psql_run() { psql -X -q -v ON_ERROR_STOP=1 -d postgres "$@"; }
psql_run -c "CREATE EXTENSION sec1996" \
  -c "SELECT setseed(0.1996)" \
  -c "CREATE TABLE counts AS SELECT (random() * 4294967295)::bigint AS c
      FROM generate_series(1, $pg_rows)" \
  -c "VACUUM ANALYZE counts" >/dev/null
pg_time() {  # EXPRESSION FORM: the best time of the form over the expression
  local query
  case $2 in
    count) query="SELECT count(*) FROM counts WHERE $1 >= '$threshold'" ;;
    select) query="COPY (SELECT $1 FROM counts) TO '/dev/null'" ;;
  esac
  {
    echo "SET max_parallel_workers_per_gather = 0;"
    echo '\timing on'
    for _ in $(seq "$repeat"); do echo "$query;"; done
  } | psql_run | best_ms
}
psql_run -At -c "SELECT count(*) FILTER (WHERE $ours_pg >= '$threshold'),
                        count(*) FILTER (WHERE $theirs_pg >= '$threshold') FROM counts" |
  sed 's/^\(.*\)|\(.*\)$/rows counted: extension \1, built-in \2/'
for form in count select; do
  report PostgreSQL "$form" "$(pg_time "$ours_pg" $form)" "$(pg_time "$theirs_pg" $form)"
done
stop_pg_server

echo "== SQLite, $sqlite_rows counts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db=$work/counts.db
extension=$build/sql/libsec1996_sqlite
sqlite3 "$db" "CREATE TABLE counts(c INTEGER);
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $sqlite_rows)
  INSERT INTO counts SELECT abs(random()) % 4294967296 FROM n;"
sqlite_time() {  # EXPRESSION FORM
  local query
  case $2 in
    count) query="SELECT count(*) FROM counts WHERE $1 >= '$threshold';" ;;
    select) query="SELECT $1 FROM counts;" ;;
  esac
  {
    echo ".load $extension"
    echo ".output /dev/null"
    echo ".timer on"
    for _ in $(seq "$repeat"); do echo "$query"; done
  } | sqlite3 "$db" 2>&1 | sed -n 's/^Run Time: real \([0-9.]*\).*/\1/p' |
    sort -g | head -n1 | awk '{ printf "%.1f", $1 * 1000 }'
}
sqlite3 "$db" ".load $extension" \
  "SELECT 'rows counted: extension ' || count(*) FILTER (WHERE $ours_sqlite >= '$threshold')
          || ', built-in ' || count(*) FILTER (WHERE $theirs_sqlite >= '$threshold') FROM counts;"
for form in count select; do
  report SQLite "$form" "$(sqlite_time "$ours_sqlite" $form)" "$(sqlite_time "$theirs_sqlite" $form)"
done

echo
echo "database   query                   extension     built-in  ratio"
printf '%s\n' "${results[@]}"
