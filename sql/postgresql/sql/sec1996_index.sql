-- sec1996 columns in btree and hash indexes, sorts and joins.
CREATE TABLE readings (at sec1996 PRIMARY KEY, value integer);
INSERT INTO readings SELECT (47250000 + i)::sec1996, i FROM generate_series(0, 19999) AS i;
CREATE TABLE events (at sec1996);
CREATE INDEX events_at ON events USING hash (at);
INSERT INTO events SELECT (47260790 + i)::sec1996 FROM generate_series(0, 20) AS i;
VACUUM ANALYZE readings;
VACUUM ANALYZE events;
SET enable_seqscan = off;
SET enable_bitmapscan = off;

EXPLAIN (COSTS OFF) SELECT value FROM readings WHERE at = '1997-06-30T23:59:60Z';
SELECT value FROM readings WHERE at = '1997-06-30T23:59:60Z';

EXPLAIN (COSTS OFF)
SELECT at FROM readings WHERE at BETWEEN '1997-06-30T23:59:59Z' AND '1997-07-01T00:00:01Z'
ORDER BY at DESC;
SELECT at FROM readings WHERE at BETWEEN '1997-06-30T23:59:59Z' AND '1997-07-01T00:00:01Z'
ORDER BY at DESC;

EXPLAIN (COSTS OFF) SELECT min(at), max(at) FROM readings;
SELECT min(at), max(at) FROM readings;

EXPLAIN (COSTS OFF) SELECT count(*) FROM events WHERE at = '47260800';
SELECT count(*) FROM events WHERE at = '47260800';

-- Joins by hash and by merge.
RESET enable_seqscan;
SET enable_nestloop = off;
SET enable_mergejoin = off;
EXPLAIN (COSTS OFF) SELECT count(*) FROM readings JOIN events USING (at);
SELECT count(*) FROM readings JOIN events USING (at);
SET enable_hashjoin = off;
SET enable_mergejoin = on;
EXPLAIN (COSTS OFF) SELECT count(*) FROM readings JOIN events USING (at);
SELECT count(*) FROM readings JOIN events USING (at);
RESET ALL;

-- A generated column and an expression index over the functions.
ALTER TABLE readings ADD COLUMN shown text GENERATED ALWAYS AS (sec1996_text(at)) STORED;
CREATE INDEX readings_leap ON readings (sec1996_is_leap(at));
SELECT at, shown FROM readings WHERE sec1996_is_leap(at);

DROP TABLE readings, events;

-- sec1996_tai is not IMMUTABLE, so no index may use it.
CREATE TABLE tai_readings (at sec1996);
CREATE INDEX tai_readings_tai ON tai_readings (sec1996_tai(at));
CREATE INDEX tai_readings_format ON tai_readings (sec1996_format(at, '%Y.%j'));
DROP TABLE tai_readings;

-- A database at 1.0 updates to 1.1 and gains its functions.
DROP EXTENSION sec1996;
CREATE EXTENSION sec1996 VERSION '1.0';
SELECT sec1996_tai('0');
ALTER EXTENSION sec1996 UPDATE;
SELECT extversion, sec1996_tai('0'), sec1996_format('47260800', '%F %T')
FROM pg_extension WHERE extname = 'sec1996';
