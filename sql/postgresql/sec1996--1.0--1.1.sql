-- sec1996 1.0 to 1.1: TAI of a count, and a count as text in a pattern's
-- layout.  CREATE EXTENSION sec1996 runs the 1.0 script and then this one;
-- ALTER EXTENSION sec1996 UPDATE brings a 1.0 database here.  As in the 1.0
-- script, every name is schema-qualified.

\echo Use "ALTER EXTENSION sec1996 UPDATE TO '1.1'" to load this file. \quit

-- STABLE, not IMMUTABLE: the leap-second list comes from a file at run time
-- (once per server process), and a newer list changes the TAI of the counts
-- past the older one's expiry.  So it may not go into an index or a
-- generated column, whose stored values would then be wrong.
CREATE FUNCTION @extschema@.sec1996_tai(@extschema@.sec1996) RETURNS pg_catalog.int8
  AS 'MODULE_PATHNAME' LANGUAGE C STABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION @extschema@.sec1996_tai(@extschema@.sec1996) IS
  'TAI seconds since 1958-01-01 00:00:00 TAI, from the leap-second list the server loaded';
CREATE FUNCTION @extschema@.sec1996_format(@extschema@.sec1996, pg_catalog.text)
  RETURNS pg_catalog.text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION @extschema@.sec1996_format(@extschema@.sec1996, pg_catalog.text) IS
  'the count in the layout of a strftime-style pattern, UTC, the leap second as 23:59:60';
