/*
 * sec1996.h - the Sec1996 time scale.
 *
 * A Sec1996 is a count of seconds since 1996-01-01 00:00:00 UTC in which
 * every inserted leap second is counted, so the count goes up by exactly one
 * each second.  The library converts a count to and from three human forms of
 * the same instant: a six-field UTC calendar record (Date1996), a year with a
 * fractional day of the year (YearDay1996), and a 20-character text.
 *
 * Leap seconds.  The library's table holds the leap second 1997-06-30
 * 23:59:60 UTC, whose count is 47260800.  Reading a count, a leap second
 * shows as 23:59:59 of its day (the same record and text as the second
 * before) and as the end of its day in the day-of-year form (182.0 in 1997).
 * Writing a record, sec = 60 at 23:59, or 24:00:00, on the leap day
 * addresses the leap second itself.
 *
 * Span.  Every count 0 (1996-01-01 00:00:00) to 4294967295
 * (2132-02-07 06:28:14) converts to its date, and every date in that range
 * converts back.  The to-count functions accept any field values: the exact
 * count of the instant they name is reduced modulo 2^32, so a date before
 * 1996 or after 2132-02-07 06:28:14 wraps around the scale.
 *
 * Time zone.  Every result is UTC; the process time zone (TZ) is never read.
 *
 * Threads.  cvtFromSec1996, cvtToSec1996, cvtFromSec1996_yd,
 * cvtToSec1996_yd and getSecondsSince1996FromDate touch no shared storage and
 * may be called from several threads at once.  getDateFromSecondsSince1996
 * and stringDate1996 return pointers into storage the library owns, which
 * the next call overwrites: call them from one thread at a time and copy the
 * result before calling again.
 *
 * Example:
 *     Date1996 d = cvtFromSec1996(47260801);   // {1997, 7, 1, 0, 0, 0}
 *     Sec1996 c = cvtToSec1996(d);             // 47260801
 *     puts(stringDate1996(c));                 // "01-Jul-1997 00:00:00"
 *
 * The header compiles as C and as C++.
 */
#ifndef SEC1996_SEC1996_H
#define SEC1996_SEC1996_H

#include <stdint.h>
#include <time.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Seconds since 1996-01-01 00:00:00 UTC, inserted leap seconds included. */
typedef uint32_t Sec1996;

/* A UTC calendar record.  As a result every field is in its usual range
 * (mon 1-12, day 1-31, hour 0-23, min 0-59, sec 0-59).  As an input any
 * values are accepted and normalised: see cvtToSec1996. */
typedef struct Date1996 {
  int32_t year; /* full Gregorian year, as 1996 */
  int32_t mon;  /* 1-12 */
  int32_t day;  /* 1-31 */
  int32_t hour; /* 0-23 */
  int32_t min;  /* 0-59 */
  int32_t sec;  /* 0-59; as input, 60 addresses a leap second */
} Date1996;

/* A year and the day of that year counted from 1 plus the elapsed fraction
 * of the day: 1 January 00:00:00 is 1.0, 1 January 12:00:00 is 1.5. */
typedef struct YearDay1996 {
  double dayOfYear;
  int32_t year;
} YearDay1996;

/* Scratch record behind getDateFromSecondsSince1996: it holds that
 * function's latest result. */
extern struct tm time_str;

/* getDateFromSecondsSince1996(count)
 * Returns: a pointer to time_str, filled as gmtime() fills its record with
 *   the UTC date and time of count (tm_year from 1900, tm_mon from 0,
 *   tm_wday, tm_yday, tm_isdst = 0).
 * Leap second: reads as 23:59:59 of its day; tm_sec is never 60.
 * Storage: overwritten by the next call; not for concurrent use. */
struct tm* getDateFromSecondsSince1996(Sec1996 count);

/* getSecondsSince1996FromDate(date)
 * Takes: tm_year (from 1900), tm_mon (from 0), tm_mday, tm_hour, tm_min,
 *   tm_sec of a UTC date and time; other fields are ignored.  Out-of-range
 *   fields roll over as timegm() rolls them (month 12 is January of the next
 *   year, day 0 the last day of the previous month, tm_sec 60 the first
 *   second of the next minute).  The record is not modified.
 * Returns: the count of that time.  A time at or after the day that follows
 *   a leap second gains that leap second.  The leap second itself cannot be
 *   expressed through this function (23:59:60 rolls over to 00:00:00); use
 *   cvtToSec1996.  Outside the span the result wraps modulo 2^32. */
Sec1996 getSecondsSince1996FromDate(const struct tm* date);

/* cvtFromSec1996(count)
 * Returns: the UTC calendar record of count, every field in range.
 * Leap second: 23:59:59 of its day, the same record as the second before. */
Date1996 cvtFromSec1996(Sec1996 count);

/* cvtToSec1996(date)
 * Returns: the count of 00:00:00 on the date given by year, mon and day
 *   (normalised: month 13 is January of the next year, day 0 the last day of
 *   the previous month, 30 February a day in March), plus
 *   hour * 3600 + min * 60 + sec seconds added to that count as they are,
 *   without range checks.  sec = 60 at 23:59, and 24:00:00, on the leap day
 *   give the leap second; negative or large hour, min and sec move the count
 *   by that many seconds.  All arithmetic wraps modulo 2^32. */
Sec1996 cvtToSec1996(Date1996 date);

/* cvtFromSec1996_yd(count)
 * Returns: the year and fractional day of the year of count.  The fraction
 *   is the seconds since that day's midnight over 86400.0.
 * Leap second: its fraction reaches exactly 1.0, so 1997-06-30 23:59:60
 *   reads as {182.0, 1997}, the same value as 1997-07-01 00:00:00. */
YearDay1996 cvtFromSec1996_yd(Sec1996 count);

/* cvtToSec1996_yd(dayOfYear, year)
 * Returns: the count of 00:00:00 on day trunc(dayOfYear) of year, plus the
 *   fraction of dayOfYear in seconds rounded to the nearest second (halves
 *   up).  Day 0 is 31 December of the previous year, and days past the
 *   year's end carry on into the next years.
 * Leap second: the end of a leap day, as 182.0 in 1997, gives 00:00:00 of
 *   the next day, one count after the leap second.
 * Odd input: a NaN dayOfYear is read as 1.0; values beyond +-2^31 days,
 *   infinities included, are clamped to +-2^31.  Outside the span the
 *   result wraps modulo 2^32. */
Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year);

/* stringDate1996(count)
 * Returns: a pointer to a 21-byte buffer holding the UTC date and time of
 *   count as exactly 20 characters, "DD-Mon-YYYY HH:MM:SS" (for example
 *   "01-Jan-1996 00:00:00"), and a terminating zero.
 * Leap second: the text of 23:59:59 of its day.
 * Storage: the same buffer every call, overwritten by the next call; not for
 *   concurrent use. */
char* stringDate1996(Sec1996 count);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* SEC1996_SEC1996_H */
