-- The sec1996 type: text and binary forms, comparison, functions, NULLs.
CREATE EXTENSION sec1996;
SELECT extversion FROM pg_extension WHERE extname = 'sec1996';

-- Text in and out: ISO 8601 with or without Z, the leap second kept, and the
-- bare count.
SELECT v AS input, v::sec1996 AS output, v::sec1996::bigint AS count
FROM (VALUES ('1996-01-01T00:00:00Z'), ('1997-06-30T23:59:59Z'), ('1997-06-30T23:59:60Z'),
             ('1997-06-30T23:59:60'), ('1997-07-01T00:00:00Z'), ('2132-02-07T06:28:14Z'),
             ('0'), ('47260800'), ('0047260801'), ('-0'), ('4294967295')) AS t(v);

-- Refused text, with the SQLSTATE and what is said.
CREATE FUNCTION pg_temp.refusal(input text) RETURNS text LANGUAGE plpgsql AS $$
DECLARE
  detail text;
BEGIN
  PERFORM input::sec1996;
  RETURN 'accepted';
EXCEPTION WHEN OTHERS THEN
  GET STACKED DIAGNOSTICS detail = PG_EXCEPTION_DETAIL;
  RETURN SQLSTATE || ' ' || SQLERRM || ' / ' || detail;
END $$;
SELECT v AS input, pg_temp.refusal(v)
FROM (VALUES (''), ('x'), ('1997-06-30 23:59:59'), ('1997-06-30T23:59:59+00:00'),
             ('1997-06-30t23:59:59z'), (' 0'), ('0 '), ('+1'), ('1e3'), ('-'),
             ('1997-13-01T00:00:00Z'), ('1997-02-29T00:00:00Z'), ('1998-12-31T23:59:60Z'),
             ('1997-06-30T23:59:61Z'), ('1995-12-31T23:59:59Z'), ('2132-02-07T06:28:15Z'),
             ('-1'), ('4294967296'), ('99999999999999999999999999')) AS t(v);
-- One as psql shows it.
SELECT '1997-06-31T00:00:00Z'::sec1996;

-- The binary form: four bytes in network order, and back through COPY.
SELECT sec1996_send('47260800'), sec1996_send('4294967295');
CREATE TABLE wire (c sec1996);
INSERT INTO wire VALUES ('0'), ('1997-06-30T23:59:60Z'), ('2132-02-07T06:28:14Z'), (NULL);
\copy wire TO 'results/sec1996_wire.bin' WITH (FORMAT binary)
CREATE TABLE wire_back (c sec1996);
\copy wire_back FROM 'results/sec1996_wire.bin' WITH (FORMAT binary)
SELECT c, c::bigint FROM wire_back;
DROP TABLE wire, wire_back;

-- Comparison is unsigned: counts of 2^31 and more are the latest.
SELECT a, b, a < b AS lt, a <= b AS le, a = b AS eq, a <> b AS ne, a >= b AS ge, a > b AS gt
FROM (VALUES ('0'::sec1996, '1'::sec1996), ('2147483648', '2147483647'),
             ('4294967295', '0'), ('47260800', '47260800')) AS t(a, b);
SELECT c FROM (VALUES ('3000000000'::sec1996), ('47260800'), ('2147483648'), ('0')) AS t(c)
ORDER BY c;
SELECT min(c), max(c), count(c)
FROM (VALUES ('3000000000'::sec1996), (NULL), ('47260800'), ('2147483648')) AS t(c);

-- Differences count the leap second, in seconds.
SELECT '1997-07-01T00:00:00Z'::sec1996 - '1997-06-30T23:59:59Z' AS across_leap,
       '1997-06-30T23:59:59Z'::sec1996 - '1997-07-01T00:00:00Z' AS backwards,
       '4294967295'::sec1996 - '0' AS whole_span;

-- The functions.
SELECT c, sec1996_is_leap(c), sec1996_text(c), (sec1996_year_day(c)).*
FROM (VALUES ('0'::sec1996), ('47260799'), ('47260800'), ('47260801'), ('4294967295')) AS t(c);

-- TAI: one second more across the scale's leap second, two across the
-- 2016 one the scale lacks (662774400 is 2016-12-31T23:59:59Z); the last
-- column counts the leap seconds the scale lacks.
SELECT c, sec1996_tai(c), sec1996_tai(c) - sec1996_tai('0') - c::bigint AS uncounted_leaps
FROM (VALUES ('0'::sec1996), ('47260799'), ('47260800'), ('47260801'), ('662774400'),
             ('662774401')) AS t(c);
-- Past the list's expiry the value is given, assuming no further leap
-- second, with one warning for the query, however many rows.
\set VERBOSITY terse
SELECT c, sec1996_tai(c) FROM (VALUES ('4294967294'::sec1996), ('4294967295')) AS t(c);
\set VERBOSITY default

-- Patterns: the leap second as 23:59:60, names in English, text that needs
-- more room than a short pattern gives.
SELECT c, sec1996_format(c, '%F %T') AS f_t, sec1996_format(c, '%a %d %b %Y, day %j') AS names,
       sec1996_format(c, '%s %z %Z %%') AS posix
FROM (VALUES ('0'::sec1996), ('47260800'), ('47260801'), ('4294967295')) AS t(c);
SELECT length(sec1996_format('47260800', repeat('%A %B ', 42))) AS long_text,
       sec1996_format('0', '') = '' AS empty_pattern;
-- Bad patterns: 22007, with the offset and what is wrong.
SELECT sec1996_format('0', '%F %Q');
SELECT sec1996_format('0', '%Y-%');
SELECT sec1996_format('0', repeat('x', 257));

-- NULL in, NULL out.
SELECT NULL::sec1996 IS NULL AS null_text, sec1996_is_leap(NULL) IS NULL AS is_leap,
       sec1996_text(NULL) IS NULL AS text, sec1996_year_day(NULL) IS NULL AS year_day,
       sec1996_tai(NULL) IS NULL AS tai, sec1996_format(NULL, '%F') IS NULL AS format_count,
       sec1996_format('0', NULL) IS NULL AS format_pattern,
       (NULL::sec1996 - '0') IS NULL AS minus, NULL::bigint::sec1996 IS NULL AS from_bigint,
       NULL::timestamptz::sec1996 IS NULL AS from_timestamptz;

-- Every function of the extension may be used in an index, a generated
-- column and a parallel plan, but sec1996_tai, which depends on the
-- leap-second list loaded at run time: it is STABLE.
SELECT count(*) FILTER (WHERE p.prokind = 'f') AS functions,
       count(*) FILTER (WHERE p.prokind = 'a' AND p.proparallel = 's') AS parallel_safe_aggregates,
       string_agg(p.proname || ' ' || p.provolatile::text || p.proparallel::text
                    || CASE WHEN p.proisstrict THEN ' strict' ELSE '' END, ', ')
         FILTER (WHERE p.prokind = 'f' AND (p.provolatile <> 'i' OR NOT p.proisstrict
                                            OR p.proparallel <> 's'))
         AS not_immutable_strict_parallel_safe
FROM pg_proc p JOIN pg_depend d ON d.classid = 'pg_proc'::regclass AND d.objid = p.oid
JOIN pg_extension e ON d.refclassid = 'pg_extension'::regclass AND d.refobjid = e.oid
WHERE e.extname = 'sec1996';
