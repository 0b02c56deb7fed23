-- Casts to and from bigint, integer and timestamptz.
SET TimeZone = 'UTC';

SELECT v, v::sec1996, v::sec1996::bigint = v AS back
FROM (VALUES (0::bigint), (47260800), (4294967295)) AS t(v);
SELECT 47260800::sec1996 AS from_integer;
CREATE FUNCTION pg_temp.refusal(input bigint) RETURNS text LANGUAGE plpgsql AS $$
BEGIN
  PERFORM input::sec1996;
  RETURN 'accepted';
EXCEPTION WHEN OTHERS THEN
  RETURN SQLSTATE || ' ' || SQLERRM;
END $$;
SELECT v, pg_temp.refusal(v)
FROM (VALUES (-1::bigint), (4294967296), (-9223372036854775808), (9223372036854775807)) AS t(v);
SELECT (-1)::integer::sec1996;

-- To timestamptz: the leap second is the last microsecond of 23:59:59.
SELECT c, c::timestamptz
FROM (VALUES ('0'::sec1996), ('47260799'), ('47260800'), ('47260801'), ('4294967295')) AS t(c);
-- And back: the count of the second an instant lies in, whatever the zone.
SELECT t, t::sec1996
FROM (VALUES ('1996-01-01 00:00:00+00'::timestamptz), ('1997-06-30 23:59:59.999999+00'),
             ('1997-07-01 00:00:00+00'), ('1996-01-01 05:30:00.5+05:30'),
             ('2132-02-07 06:28:14.999999+00')) AS t(t);
SELECT c::timestamptz::sec1996 = c AS back, sec1996_is_leap(c)
FROM (VALUES ('47260799'::sec1996), ('47260800'), ('47260801')) AS t(c);
SET TimeZone = 'America/New_York';
SELECT '1997-06-30T23:59:60Z'::sec1996::timestamptz AS in_new_york,
       '1997-06-30 20:00:00-04'::timestamptz::sec1996 AS from_new_york;
SET TimeZone = 'UTC';
-- The counts' timestamps differ from the plain arithmetic one second after
-- the leap second.
SELECT c, c::timestamptz - to_timestamp(c::bigint + 820454400) AS plain_route_error
FROM (VALUES ('47260799'::sec1996), ('47260801')) AS t(c);

-- Outside the span, and at infinity.
SELECT '1995-12-31 23:59:59.999999+00'::timestamptz::sec1996;
SELECT '2132-02-07 06:28:15+00'::timestamptz::sec1996;
SELECT 'infinity'::timestamptz::sec1996;
SELECT '-infinity'::timestamptz::sec1996;

-- The extension in a schema off the search path works the same.
CREATE SCHEMA elsewhere;
DROP EXTENSION sec1996;
CREATE EXTENSION sec1996 SCHEMA elsewhere;
SET search_path = '';
CREATE TABLE public.t (c elsewhere.sec1996 PRIMARY KEY);
INSERT INTO public.t VALUES ('47260800'), ('0');
SELECT c, elsewhere.sec1996_is_leap(c) FROM public.t ORDER BY c;
DROP TABLE public.t;
RESET search_path;
DROP EXTENSION sec1996;
DROP SCHEMA elsewhere;
CREATE EXTENSION sec1996;
