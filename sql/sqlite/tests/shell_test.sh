#!/usr/bin/env bash
# The SQLite extension in the sqlite3 shell: each function's results at the
# edges of the scale and at the leap second, NULL for NULL and for bad input,
# the errors of the strict variants, and the functions in an expression index
# that the query plan uses, a generated column and a CHECK constraint with
# trusted_schema off (which admits innocuous functions only).
# Usage: shell_test.sh SQLITE3 EXTENSION
set -uo pipefail
sqlite3=$1
extension=${2%.so}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# check NAME SQL EXPECTED: runs SQL, the extension loaded, and compares its
# standard output and error with EXPECTED.
check() {
  local actual
  actual=$("$sqlite3" -batch -noheader -list -nullvalue NULL "$work/db" \
    ".load $extension" "$2" 2>&1)
  if [ "$actual" != "$3" ]; then
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$3" "$actual" >&2
    failures=$((failures + 1))
  fi
}

check "text of counts" "
WITH v(c) AS (VALUES (0), (47260799), (47260800), (47260801), (4294967295))
SELECT c, sec1996_iso(c), sec1996_text(c), sec1996_is_leap(c), sec1996_to_unixepoch(c) FROM v;" \
"0|1996-01-01T00:00:00Z|01-Jan-1996 00:00:00|0|820454400
47260799|1997-06-30T23:59:59Z|30-Jun-1997 23:59:59|0|867715199
47260800|1997-06-30T23:59:60Z|30-Jun-1997 23:59:59|1|867715199
47260801|1997-07-01T00:00:00Z|01-Jul-1997 00:00:00|0|867715200
4294967295|2132-02-07T06:28:14Z|07-Feb-2132 06:28:14|0|5115421694"

check "counts in other forms" "
SELECT sec1996_iso('47260800'), sec1996_iso(47260800.0), sec1996_is_leap(' 47260800');" \
"1997-06-30T23:59:60Z|1997-06-30T23:59:60Z|1"

check "not counts give NULL" "
SELECT sec1996_iso(-1), sec1996_iso(4294967296), sec1996_iso(1.5), sec1996_iso('abc'),
       sec1996_iso(x'00'), sec1996_text(NULL), sec1996_is_leap(-1), sec1996_to_unixepoch(1e10);" \
"NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"

check "ISO text to counts" "
SELECT sec1996_from_iso('1997-06-30T23:59:60Z'), sec1996_from_iso('1997-06-30T23:59:60'),
       sec1996_from_iso('2132-02-07T06:28:14Z'), sec1996_from_iso('1996-01-01T00:00:00Z');" \
"47260800|47260800|4294967295|0"

check "bad ISO text gives NULL" "
SELECT sec1996_from_iso('1998-12-31T23:59:60Z'), sec1996_from_iso('2132-02-07T06:28:15Z'),
       sec1996_from_iso('1995-12-31T23:59:59Z'), sec1996_from_iso('1997-02-29T00:00:00Z'),
       sec1996_from_iso('1997-06-30 23:59:59'), sec1996_from_iso(''), sec1996_from_iso(47260800),
       sec1996_from_iso(NULL);" \
"NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"

check "POSIX seconds to counts" "
SELECT sec1996_from_unixepoch(820454400), sec1996_from_unixepoch(867715199),
       sec1996_from_unixepoch(867715200), sec1996_from_unixepoch(5115421694),
       sec1996_from_unixepoch(820454400.999), sec1996_from_unixepoch('867715200'),
       sec1996_from_unixepoch(820454399), sec1996_from_unixepoch(820454399.5),
       sec1996_from_unixepoch(5115421695), sec1996_from_unixepoch(1e300),
       sec1996_from_unixepoch('now'), sec1996_from_unixepoch(NULL);" \
"0|47260799|47260801|4294967295|0|47260801|NULL|NULL|NULL|NULL|NULL|NULL"

check "strict variants agree on good input" "
SELECT sec1996_iso_strict(47260800), sec1996_from_iso_strict('1997-06-30T23:59:60Z'),
       sec1996_to_unixepoch_strict(0), sec1996_from_unixepoch_strict(867715200),
       sec1996_is_leap_strict(47260800), sec1996_text_strict(0), sec1996_iso_strict(NULL);" \
"1997-06-30T23:59:60Z|47260800|820454400|47260801|1|01-Jan-1996 00:00:00|NULL"

# TAI: +1 across the scale's leap second, +2 across 2016's, which it lacks;
# past the list's expiry the value assumes no further leap second.
check "TAI of counts" "
WITH v(c) AS (VALUES (0), (47260799), (47260800), (47260801), (662774400), (662774401),
                     (4294967295))
SELECT c, sec1996_tai(c), sec1996_tai_strict(c) FROM v;" \
"0|1199145630|1199145630
47260799|1246406429|1246406429
47260800|1246406430|1246406430
47260801|1246406431|1246406431
662774400|1861920035|1861920035
662774401|1861920037|1861920037
4294967295|5494112931|5494112931"

check "patterns" "
SELECT sec1996_format(47260800, '%F %T'), sec1996_format(0, '%a %d %b %Y, day %j'),
       sec1996_format('4294967295', '%s %z %Z %%'), length(sec1996_format(0, printf('%.*c', 300, 'x'))),
       length(sec1996_format(47260800, replace(printf('%.*c', 42, 'x'), 'x', '%A %B '))),
       sec1996_format(0, '');" \
"1997-06-30 23:59:60|Mon 01 Jan 1996, day 001|5115421694 +0000 UTC %|NULL|504|"

check "bad counts, patterns and NULL give NULL" "
SELECT sec1996_tai(-1), sec1996_tai('x'), sec1996_tai(NULL), sec1996_format(-1, '%F'),
       sec1996_format(0, '%Q'), sec1996_format(0, '%F' || char(0) || '%T'), sec1996_format(NULL, '%F'),
       sec1996_format(0, NULL), sec1996_format_strict(0, NULL);" \
"NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"

for call in "sec1996_iso_strict(4294967296)|sec1996_iso_strict: not a count (an integer 0 to 4294967295): '4294967296'" \
  "sec1996_text_strict('abc')|sec1996_text_strict: not a count (an integer 0 to 4294967295): 'abc'" \
  "sec1996_from_iso_strict('1997-13-01T00:00:00Z')|sec1996_from_iso_strict: '1997-13-01T00:00:00Z' refused at character 6: a field is out of its range" \
  "sec1996_from_iso_strict('1998-12-31T23:59:60Z')|sec1996_from_iso_strict: '1998-12-31T23:59:60Z' refused at character 18: second 60 that is not a leap second of the scale" \
  "sec1996_from_unixepoch_strict(0)|sec1996_from_unixepoch_strict: 0 seconds lie outside the scale, 1996-01-01T00:00:00Z to 2132-02-07T06:28:14Z" \
  "sec1996_from_unixepoch_strict('soon')|sec1996_from_unixepoch_strict: not a number of seconds: 'soon'" \
  "sec1996_tai_strict(-1)|sec1996_tai_strict: not a count (an integer 0 to 4294967295): '-1'" \
  "sec1996_format_strict(0, '%F %Q')|sec1996_format_strict: pattern '%F %Q' refused at character 4: an unknown or truncated conversion in the pattern" \
  "sec1996_format_strict(0, CAST(x'254600' AS TEXT))|sec1996_format_strict: pattern '%F' refused at character 3: an unknown or truncated conversion in the pattern" \
  "sec1996_format_strict(4294967296, '%F')|sec1996_format_strict: not a count (an integer 0 to 4294967295): '4294967296'"; do
  check "strict ${call%%|*}" "SELECT ${call%%|*};" "Error: stepping, ${call#*|}"
done

check "expression index" "
CREATE TABLE t(c INTEGER);
WITH RECURSIVE n(c) AS (SELECT 47000000 UNION ALL SELECT c + 1 FROM n WHERE c < 47300000)
INSERT INTO t SELECT c FROM n;
CREATE INDEX t_iso ON t(sec1996_iso(c));
ANALYZE;
EXPLAIN QUERY PLAN SELECT c FROM t WHERE sec1996_iso(c) = '1997-06-30T23:59:60Z';
SELECT c FROM t WHERE sec1996_iso(c) = '1997-06-30T23:59:60Z';
SELECT count(*) FROM t WHERE sec1996_iso(c) BETWEEN '1997-06-30T23:59:59Z' AND '1997-07-01T00:00:00Z';" \
"QUERY PLAN
\`--SEARCH t USING INDEX t_iso (<expr>=?)
47260800
3"

# sec1996_tai depends on the leap-second list loaded at run time: SQLite
# refuses it in an index, and in a view with trusted_schema off.
rm -f "$work/db"
check "sec1996_tai is not deterministic" "
CREATE TABLE n(c INTEGER);
CREATE INDEX n_format ON n(sec1996_format(c, '%Y.%j'));
CREATE INDEX n_tai ON n(sec1996_tai(c));" \
"Error: in prepare, non-deterministic functions prohibited in index expressions
  CREATE INDEX n_tai ON n(sec1996_tai(c));
                          ^--- error here"
check "a view over sec1996_tai" "
CREATE VIEW tai AS SELECT sec1996_tai(0) AS t; CREATE VIEW format AS SELECT sec1996_format(0, '%F') AS f;" ""
check "sec1996_format is innocuous" "PRAGMA trusted_schema = OFF; SELECT f FROM format;" "1996-01-01"
check "sec1996_tai is not innocuous" "PRAGMA trusted_schema = OFF; SELECT t FROM tai;" \
"Error: in prepare, unsafe use of sec1996_tai()"

rm -f "$work/db"
check "generated column and CHECK with trusted_schema off" "
CREATE TABLE g(c INTEGER CHECK (sec1996_iso(c) IS NOT NULL),
               iso TEXT GENERATED ALWAYS AS (sec1996_iso(c)) STORED);
PRAGMA trusted_schema = OFF;
INSERT INTO g(c) VALUES (47260800);
SELECT c, iso FROM g;" \
"47260800|1997-06-30T23:59:60Z"
check "CHECK refuses a bad count" "PRAGMA trusted_schema = OFF; INSERT INTO g(c) VALUES (-1);" \
"Error: stepping, CHECK constraint failed: sec1996_iso(c) IS NOT NULL (19)"

[ "$failures" -eq 0 ] || { echo "$failures SQLite shell check(s) failed" >&2; exit 1; }
echo "SQLite shell checks passed"
