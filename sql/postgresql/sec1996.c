/*
 * sec1996.c - the sec1996 type of PostgreSQL: a Sec1996 count in four bytes,
 * passed by value, with its text and binary forms, comparisons, hashing,
 * casts and functions.
 *
 * Everything about the scale (the epoch, the span, the leap second) comes
 * from the library through its public headers; this file only moves values
 * between PostgreSQL's representations and the library's.
 */
#include "postgres.h"

#include "access/htup_details.h"
#include "common/hashfn.h"
#include "datatype/timestamp.h"
#include "fmgr.h"
#include "funcapi.h"
#include "libpq/pqformat.h"
#include "utils/builtins.h"
#include "utils/timestamp.h"

#include <sec1996.h>
#include <sec1996_scales.h>

#include "count_text.h"

PG_MODULE_MAGIC;

/* A count travels as the low 32 bits of a Datum; it is unsigned, so it is
 * compared as such. */
#define DatumGetSec1996(d) ((Sec1996)DatumGetUInt32(d))
#define Sec1996GetDatum(c) UInt32GetDatum(c)
#define PG_GETARG_SEC1996(n) DatumGetSec1996(PG_GETARG_DATUM(n))
#define PG_RETURN_SEC1996(c) return Sec1996GetDatum(c)

/* PostgreSQL's own epoch, 2000-01-01, in POSIX seconds. */
#define POSTGRES_EPOCH_POSIX ((int64)(POSTGRES_EPOCH_JDATE - UNIX_EPOCH_JDATE) * SECS_PER_DAY)

/* Reports why parseDate1996_iso refused text: a malformed text is an
 * invalid format, a well-formed one that names no second of the scale an
 * overflow of its fields. */
static void report_refused(const char* text, Sec1996ParseStatus status, size_t offset) {
  if (status == SEC1996_PARSE_SYNTAX)
    ereport(ERROR, (errcode(ERRCODE_INVALID_DATETIME_FORMAT),
                    errmsg("invalid input syntax for type sec1996: \"%s\"", text),
                    errdetail("At character %zu: %s.", offset + 1, parseStatusText1996(status)),
                    errhint("Give YYYY-MM-DDTHH:MM:SS with an optional Z, or a count.")));
  if (status == SEC1996_PARSE_OUT_OF_SPAN)
    ereport(ERROR, (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
                    errmsg("sec1996 value out of range: \"%s\"", text),
                    errdetail("The time lies %s.", parseStatusText1996(status))));
  ereport(ERROR, (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
                  errmsg("date/time field value out of range for type sec1996: \"%s\"", text),
                  errdetail("At character %zu: %s.", offset + 1, parseStatusText1996(status))));
}

PG_FUNCTION_INFO_V1(sec1996_in);
Datum sec1996_in(PG_FUNCTION_ARGS) {
  const char* text = PG_GETARG_CSTRING(0);
  size_t length = strlen(text);
  Sec1996 count = 0;
  size_t offset = 0;
  Sec1996ParseStatus status;

  switch (sec1996CountFromText(text, length, &count)) {
    case SEC1996_COUNT_TEXT_OK:
      PG_RETURN_SEC1996(count);
    case SEC1996_COUNT_TEXT_OUT_OF_RANGE:
      ereport(ERROR, (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
                      errmsg("sec1996 count out of range: \"%s\"", text),
                      errdetail("A count is 0 to %u.", PG_UINT32_MAX)));
      break;
    case SEC1996_COUNT_TEXT_NONE:
      break;
  }
  status = parseDate1996_iso(text, length, &count, &offset);
  if (status != SEC1996_PARSE_OK) report_refused(text, status, offset);
  PG_RETURN_SEC1996(count);
}

PG_FUNCTION_INFO_V1(sec1996_out);
Datum sec1996_out(PG_FUNCTION_ARGS) {
  char* text = palloc(SEC1996_ISO_SIZE);

  stringDate1996_iso(PG_GETARG_SEC1996(0), text);
  PG_RETURN_CSTRING(text);
}

/* The binary form is the count as a four-byte unsigned integer in network
 * byte order. */
PG_FUNCTION_INFO_V1(sec1996_recv);
Datum sec1996_recv(PG_FUNCTION_ARGS) {
  StringInfo buffer = (StringInfo)PG_GETARG_POINTER(0);

  PG_RETURN_SEC1996((Sec1996)pq_getmsgint(buffer, sizeof(Sec1996)));
}

PG_FUNCTION_INFO_V1(sec1996_send);
Datum sec1996_send(PG_FUNCTION_ARGS) {
  StringInfoData buffer;

  pq_begintypsend(&buffer);
  pq_sendint32(&buffer, PG_GETARG_SEC1996(0));
  PG_RETURN_BYTEA_P(pq_endtypsend(&buffer));
}

/* Comparison, for the operators and the btree and hash classes. */
#define SEC1996_COMPARISON(name, op)  \
  PG_FUNCTION_INFO_V1(name);          \
  Datum name(PG_FUNCTION_ARGS) {      \
    Sec1996 a = PG_GETARG_SEC1996(0); \
    Sec1996 b = PG_GETARG_SEC1996(1); \
    PG_RETURN_BOOL(a op b);           \
  }
SEC1996_COMPARISON(sec1996_eq, ==)
SEC1996_COMPARISON(sec1996_ne, !=)
SEC1996_COMPARISON(sec1996_lt, <)
SEC1996_COMPARISON(sec1996_le, <=)
SEC1996_COMPARISON(sec1996_gt, >)
SEC1996_COMPARISON(sec1996_ge, >=)

PG_FUNCTION_INFO_V1(sec1996_cmp);
Datum sec1996_cmp(PG_FUNCTION_ARGS) {
  Sec1996 a = PG_GETARG_SEC1996(0);
  Sec1996 b = PG_GETARG_SEC1996(1);

  PG_RETURN_INT32(a < b ? -1 : a > b ? 1 : 0);
}

/* The transition functions of min() and max(). */
PG_FUNCTION_INFO_V1(sec1996_smaller);
Datum sec1996_smaller(PG_FUNCTION_ARGS) {
  Sec1996 a = PG_GETARG_SEC1996(0);
  Sec1996 b = PG_GETARG_SEC1996(1);

  PG_RETURN_SEC1996(a < b ? a : b);
}

PG_FUNCTION_INFO_V1(sec1996_larger);
Datum sec1996_larger(PG_FUNCTION_ARGS) {
  Sec1996 a = PG_GETARG_SEC1996(0);
  Sec1996 b = PG_GETARG_SEC1996(1);

  PG_RETURN_SEC1996(a > b ? a : b);
}

PG_FUNCTION_INFO_V1(sec1996_hash);
Datum sec1996_hash(PG_FUNCTION_ARGS) { return hash_uint32(PG_GETARG_SEC1996(0)); }

PG_FUNCTION_INFO_V1(sec1996_hash_extended);
Datum sec1996_hash_extended(PG_FUNCTION_ARGS) {
  return hash_uint32_extended(PG_GETARG_SEC1996(0), PG_GETARG_INT64(1));
}

/* Casts to and from the integers. */
PG_FUNCTION_INFO_V1(sec1996_to_bigint);
Datum sec1996_to_bigint(PG_FUNCTION_ARGS) { PG_RETURN_INT64((int64)PG_GETARG_SEC1996(0)); }

static Sec1996 count_from_integer(int64 value, const char* type) {
  if (value < 0 || value > (int64)PG_UINT32_MAX)
    ereport(ERROR, (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
                    errmsg("%s %lld is out of range for type sec1996", type, (long long)value),
                    errdetail("A count is 0 to %u.", PG_UINT32_MAX)));
  return (Sec1996)value;
}

PG_FUNCTION_INFO_V1(sec1996_from_bigint);
Datum sec1996_from_bigint(PG_FUNCTION_ARGS) {
  PG_RETURN_SEC1996(count_from_integer(PG_GETARG_INT64(0), "bigint"));
}

PG_FUNCTION_INFO_V1(sec1996_from_integer);
Datum sec1996_from_integer(PG_FUNCTION_ARGS) {
  PG_RETURN_SEC1996(count_from_integer(PG_GETARG_INT32(0), "integer"));
}

/* Casts to and from timestamptz.  A timestamptz has no leap seconds: the
 * leap second becomes the last microsecond of 23:59:59 of its day, which
 * keeps the order of the counts, and an instant becomes the count of the
 * second it lies in. */
PG_FUNCTION_INFO_V1(sec1996_to_timestamptz);
Datum sec1996_to_timestamptz(PG_FUNCTION_ARGS) {
  Sec1996 count = PG_GETARG_SEC1996(0);
  TimestampTz result = (cvtFromSec1996_posix(count) - POSTGRES_EPOCH_POSIX) * USECS_PER_SEC;

  if (isLeapSecond1996(count)) result += USECS_PER_SEC - 1;
  PG_RETURN_TIMESTAMPTZ(result);
}

PG_FUNCTION_INFO_V1(sec1996_from_timestamptz);
Datum sec1996_from_timestamptz(PG_FUNCTION_ARGS) {
  TimestampTz instant = PG_GETARG_TIMESTAMPTZ(0);
  int64 seconds;
  Sec1996 count = 0;

  if (TIMESTAMP_NOT_FINITE(instant))
    ereport(ERROR,
            (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
             errmsg("timestamp out of range for type sec1996: %s",
                    TIMESTAMP_IS_NOBEGIN(instant) ? "-infinity" : "infinity"),
             errdetail("A sec1996 lies %s.", parseStatusText1996(SEC1996_PARSE_OUT_OF_SPAN))));
  /* Floor division: an instant before 2000 lies in the second below it. */
  seconds = instant / USECS_PER_SEC;
  if (instant % USECS_PER_SEC < 0) seconds--;
  if (cvtToSec1996_posix_checked(seconds + POSTGRES_EPOCH_POSIX, &count) != SEC1996_PARSE_OK)
    ereport(ERROR,
            (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
             errmsg("timestamp out of range for type sec1996: \"%s\"", timestamptz_to_str(instant)),
             errdetail("A sec1996 lies %s.", parseStatusText1996(SEC1996_PARSE_OUT_OF_SPAN))));
  PG_RETURN_SEC1996(count);
}

/* a - b in seconds of the scale, the leap second counted, as an interval
 * of hours, minutes and seconds: a day of the scale is not always 86400
 * seconds, so no days are split off. */
PG_FUNCTION_INFO_V1(sec1996_minus);
Datum sec1996_minus(PG_FUNCTION_ARGS) {
  int64 seconds = (int64)PG_GETARG_SEC1996(0) - (int64)PG_GETARG_SEC1996(1);
  Interval* result = palloc(sizeof(Interval));

  result->month = 0;
  result->day = 0;
  result->time = seconds * USECS_PER_SEC;
  PG_RETURN_INTERVAL_P(result);
}

PG_FUNCTION_INFO_V1(sec1996_is_leap);
Datum sec1996_is_leap(PG_FUNCTION_ARGS) {
  PG_RETURN_BOOL(isLeapSecond1996(PG_GETARG_SEC1996(0)) != 0);
}

PG_FUNCTION_INFO_V1(sec1996_text);
Datum sec1996_text(PG_FUNCTION_ARGS) {
  char text[SEC1996_TEXT_SIZE];

  stringDate1996_r(PG_GETARG_SEC1996(0), text);
  PG_RETURN_TEXT_P(cstring_to_text(text));
}

/* (year, day_of_year): the year and the day of the year counted from 1
 * plus the elapsed fraction of the day, as cvtFromSec1996_yd gives them. */
PG_FUNCTION_INFO_V1(sec1996_year_day);
Datum sec1996_year_day(PG_FUNCTION_ARGS) {
  YearDay1996 yearDay = cvtFromSec1996_yd(PG_GETARG_SEC1996(0));
  TupleDesc descriptor;
  Datum values[2];
  bool nulls[2] = {false, false};

  if (get_call_result_type(fcinfo, NULL, &descriptor) != TYPEFUNC_COMPOSITE)
    ereport(ERROR, (errcode(ERRCODE_FEATURE_NOT_SUPPORTED),
                    errmsg("sec1996_year_day called in a context that takes no record")));
  descriptor = BlessTupleDesc(descriptor);
  values[0] = Int32GetDatum(yearDay.year);
  values[1] = Float8GetDatum(yearDay.dayOfYear);
  PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(descriptor, values, nulls)));
}

/* TAI seconds since 1958-01-01 00:00:00 TAI, from the library's default
 * leap-second list.  That list is loaded once per server process, on the
 * first call, from the file SEC1996_LEAP_SECONDS names in the server's
 * environment, else SEC1996_LEAP_SECONDS_FILE, else the copy built into the
 * library.  A count at or past the list's expiry still gets its value, which
 * assumes no further leap second; it is told once per call site and query
 * (the flag lives in fn_extra, which each execution of a query sets up
 * afresh), so that a scan over many such counts warns once, not per row. */
PG_FUNCTION_INFO_V1(sec1996_tai);
Datum sec1996_tai(PG_FUNCTION_ARGS) {
  Sec1996 count = PG_GETARG_SEC1996(0);
  int64_t tai = 0;
  Sec1996ParseStatus status = cvtFromSec1996_tai(NULL, count, &tai);
  char iso[SEC1996_ISO_SIZE];
  Sec1996LeapListInfo info;

  if (status == SEC1996_PARSE_LIST_EXPIRED && fcinfo->flinfo->fn_extra == NULL) {
    fcinfo->flinfo->fn_extra = MemoryContextAllocZero(fcinfo->flinfo->fn_mcxt, 1);
    leapListInfo1996(NULL, &info);
    ereport(WARNING,
            (errmsg("sec1996_tai: %s lies past the expiry of the leap-second list",
                    stringDate1996_iso(count, iso)),
             errdetail("The list (%s) holds until %04d-%02d-%02d; the value assumes no further "
                       "leap second.",
                       info.origin, info.expires.year, info.expires.mon, info.expires.day),
             errhint("Install a newer leap-seconds.list (tzdata) and start a new session.")));
  } else if (status != SEC1996_PARSE_OK && status != SEC1996_PARSE_LIST_EXPIRED) {
    /* Only a list that starts after the count refuses it. */
    leapListInfo1996(NULL, &info);
    ereport(ERROR, (errcode(ERRCODE_DATETIME_FIELD_OVERFLOW),
                    errmsg("sec1996_tai: no TAI-UTC for %s", stringDate1996_iso(count, iso)),
                    errdetail("The leap-second list (%s) starts at %04d-%02d-%02d.", info.origin,
                              info.entries[0].date.year, info.entries[0].date.mon,
                              info.entries[0].date.day)));
  }
  PG_RETURN_INT64(tai);
}

/* The count as text in the layout of a strftime-style pattern. */
PG_FUNCTION_INFO_V1(sec1996_format);
Datum sec1996_format(PG_FUNCTION_ARGS) {
  Sec1996 count = PG_GETARG_SEC1996(0);
  char* pattern = text_to_cstring(PG_GETARG_TEXT_PP(1));
  char small[256];
  char* buffer = small;
  size_t length = 0;
  Sec1996ParseStatus status = formatDate1996(count, pattern, buffer, sizeof small, &length);

  if (status == SEC1996_PARSE_BUFFER_TOO_SMALL) {
    buffer = palloc(length);
    status = formatDate1996(count, pattern, buffer, length, &length);
  }
  if (status != SEC1996_PARSE_OK)
    ereport(ERROR, (errcode(ERRCODE_INVALID_DATETIME_FORMAT),
                    errmsg("invalid pattern for sec1996_format: \"%s\"", pattern),
                    errdetail("At character %zu: %s.", length + 1, parseStatusText1996(status)),
                    errhint("See the conversions of formatDate1996, as \"%%F %%T\".")));
  PG_RETURN_TEXT_P(cstring_to_text_with_len(buffer, (int)length));
}
