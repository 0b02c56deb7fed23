-- sec1996 1.0: the sec1996 type, its operators, classes, casts and functions.
-- Every name is schema-qualified (@extschema@ for this extension's own,
-- pg_catalog for the system's), so nothing here depends on search_path.

\echo Use "CREATE EXTENSION sec1996" to load this file. \quit

CREATE TYPE @extschema@.sec1996;

CREATE FUNCTION @extschema@.sec1996_in(pg_catalog.cstring) RETURNS @extschema@.sec1996
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_out(@extschema@.sec1996) RETURNS pg_catalog.cstring
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_recv(pg_catalog.internal) RETURNS @extschema@.sec1996
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_send(@extschema@.sec1996) RETURNS pg_catalog.bytea
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

CREATE TYPE @extschema@.sec1996 (
  INPUT = @extschema@.sec1996_in,
  OUTPUT = @extschema@.sec1996_out,
  RECEIVE = @extschema@.sec1996_recv,
  SEND = @extschema@.sec1996_send,
  INTERNALLENGTH = 4,
  PASSEDBYVALUE,
  ALIGNMENT = int4,
  STORAGE = plain,
  CATEGORY = 'D'
);
COMMENT ON TYPE @extschema@.sec1996 IS
  'seconds since 1996-01-01 00:00:00 UTC, the 1997-06-30 leap second counted';

-- Comparison.
CREATE FUNCTION @extschema@.sec1996_eq(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.bool AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_ne(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.bool AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_lt(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.bool AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_le(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.bool AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_gt(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.bool AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_ge(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.bool AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_cmp(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.int4 AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_hash(@extschema@.sec1996)
  RETURNS pg_catalog.int4 AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_hash_extended(@extschema@.sec1996, pg_catalog.int8)
  RETURNS pg_catalog.int8 AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;

CREATE OPERATOR @extschema@.= (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_eq,
  COMMUTATOR = OPERATOR(@extschema@.=), NEGATOR = OPERATOR(@extschema@.<>),
  RESTRICT = pg_catalog.eqsel, JOIN = pg_catalog.eqjoinsel, HASHES, MERGES
);
CREATE OPERATOR @extschema@.<> (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_ne,
  COMMUTATOR = OPERATOR(@extschema@.<>), NEGATOR = OPERATOR(@extschema@.=),
  RESTRICT = pg_catalog.neqsel, JOIN = pg_catalog.neqjoinsel
);
CREATE OPERATOR @extschema@.< (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_lt,
  COMMUTATOR = OPERATOR(@extschema@.>), NEGATOR = OPERATOR(@extschema@.>=),
  RESTRICT = pg_catalog.scalarltsel, JOIN = pg_catalog.scalarltjoinsel
);
CREATE OPERATOR @extschema@.<= (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_le,
  COMMUTATOR = OPERATOR(@extschema@.>=), NEGATOR = OPERATOR(@extschema@.>),
  RESTRICT = pg_catalog.scalarlesel, JOIN = pg_catalog.scalarlejoinsel
);
CREATE OPERATOR @extschema@.> (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_gt,
  COMMUTATOR = OPERATOR(@extschema@.<), NEGATOR = OPERATOR(@extschema@.<=),
  RESTRICT = pg_catalog.scalargtsel, JOIN = pg_catalog.scalargtjoinsel
);
CREATE OPERATOR @extschema@.>= (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_ge,
  COMMUTATOR = OPERATOR(@extschema@.<=), NEGATOR = OPERATOR(@extschema@.<),
  RESTRICT = pg_catalog.scalargesel, JOIN = pg_catalog.scalargejoinsel
);

CREATE OPERATOR CLASS @extschema@.sec1996_ops
  DEFAULT FOR TYPE @extschema@.sec1996 USING btree AS
    OPERATOR 1 @extschema@.<,
    OPERATOR 2 @extschema@.<=,
    OPERATOR 3 @extschema@.=,
    OPERATOR 4 @extschema@.>=,
    OPERATOR 5 @extschema@.>,
    FUNCTION 1 @extschema@.sec1996_cmp(@extschema@.sec1996, @extschema@.sec1996);
CREATE OPERATOR CLASS @extschema@.sec1996_ops
  DEFAULT FOR TYPE @extschema@.sec1996 USING hash AS
    OPERATOR 1 @extschema@.=,
    FUNCTION 1 @extschema@.sec1996_hash(@extschema@.sec1996),
    FUNCTION 2 @extschema@.sec1996_hash_extended(@extschema@.sec1996, pg_catalog.int8);

-- min() and max(), which the planner answers from a btree index.
CREATE FUNCTION @extschema@.sec1996_smaller(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS @extschema@.sec1996 AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_larger(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS @extschema@.sec1996 AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE AGGREGATE @extschema@.min(@extschema@.sec1996) (
  SFUNC = @extschema@.sec1996_smaller, STYPE = @extschema@.sec1996,
  COMBINEFUNC = @extschema@.sec1996_smaller, SORTOP = OPERATOR(@extschema@.<), PARALLEL = SAFE
);
CREATE AGGREGATE @extschema@.max(@extschema@.sec1996) (
  SFUNC = @extschema@.sec1996_larger, STYPE = @extschema@.sec1996,
  COMBINEFUNC = @extschema@.sec1996_larger, SORTOP = OPERATOR(@extschema@.>), PARALLEL = SAFE
);

-- Casts.  bigint and integer are range-checked (a count is 0 to 4294967295);
-- timestamptz is checked against the span of the scale.  A timestamptz has
-- no leap second: the leap second goes to 1997-06-30 23:59:59.999999 UTC,
-- and an instant back to the count of the second it lies in.
CREATE FUNCTION @extschema@.sec1996_to_bigint(@extschema@.sec1996) RETURNS pg_catalog.int8
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION @extschema@.sec1996_from_bigint(pg_catalog.int8) RETURNS @extschema@.sec1996
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_from_integer(pg_catalog.int4) RETURNS @extschema@.sec1996
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_to_timestamptz(@extschema@.sec1996)
  RETURNS pg_catalog.timestamptz
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION @extschema@.sec1996_from_timestamptz(pg_catalog.timestamptz)
  RETURNS @extschema@.sec1996
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

CREATE CAST (@extschema@.sec1996 AS pg_catalog.int8)
  WITH FUNCTION @extschema@.sec1996_to_bigint(@extschema@.sec1996);
CREATE CAST (pg_catalog.int8 AS @extschema@.sec1996)
  WITH FUNCTION @extschema@.sec1996_from_bigint(pg_catalog.int8);
CREATE CAST (pg_catalog.int4 AS @extschema@.sec1996)
  WITH FUNCTION @extschema@.sec1996_from_integer(pg_catalog.int4);
CREATE CAST (@extschema@.sec1996 AS pg_catalog.timestamptz)
  WITH FUNCTION @extschema@.sec1996_to_timestamptz(@extschema@.sec1996);
CREATE CAST (pg_catalog.timestamptz AS @extschema@.sec1996)
  WITH FUNCTION @extschema@.sec1996_from_timestamptz(pg_catalog.timestamptz);

-- The difference of two counts, in seconds of the scale.
CREATE FUNCTION @extschema@.sec1996_minus(@extschema@.sec1996, @extschema@.sec1996)
  RETURNS pg_catalog.interval
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE OPERATOR @extschema@.- (
  LEFTARG = @extschema@.sec1996, RIGHTARG = @extschema@.sec1996,
  FUNCTION = @extschema@.sec1996_minus
);

-- Functions.
CREATE FUNCTION @extschema@.sec1996_is_leap(@extschema@.sec1996) RETURNS pg_catalog.bool
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION @extschema@.sec1996_is_leap(@extschema@.sec1996) IS
  'whether the count is the leap second 1997-06-30 23:59:60';
CREATE FUNCTION @extschema@.sec1996_text(@extschema@.sec1996) RETURNS pg_catalog.text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION @extschema@.sec1996_text(@extschema@.sec1996) IS
  'the 20-character text DD-Mon-YYYY HH:MM:SS (the leap second reads 23:59:59)';
CREATE FUNCTION @extschema@.sec1996_year_day(@extschema@.sec1996,
                                             OUT year pg_catalog.int4,
                                             OUT day_of_year pg_catalog.float8)
  RETURNS pg_catalog.record
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION @extschema@.sec1996_year_day(@extschema@.sec1996) IS
  'the year and the day of the year from 1.0, plus the elapsed fraction of the day';
