/*
 * sec1996.h - the Sec1996 time scale.
 *
 * A Sec1996 is a count of seconds since 1996-01-01 00:00:00 UTC that counts
 * the leap seconds of the library's own table, which holds one and never
 * grows (stored counts depend on it): the leap seconds UTC inserted later,
 * from 1998-12-31 23:59:60 on, are not counted.  The library converts a
 * count to and from three human forms of the same instant: a six-field UTC
 * calendar record (Date1996, or the C library's struct tm), a year with a
 * fractional day of the year (YearDay1996), and a 20-character text.
 *
 * Leap seconds.  The library knows one leap second, 1997-06-30 23:59:60 UTC,
 * whose count is 47260800.  Read back, it shows as 23:59:59 of its day (the
 * same record and text as 47260799) and as 182.0 in the day-of-year form (the
 * same value as 47260801).  To name it, give cvtToSec1996 23:59:60 or
 * 24:00:00 on 1997-06-30.
 *
 * Span.  Every count 0 (1996-01-01 00:00:00) to 4294967295
 * (2132-02-07 06:28:14) converts to its date, and every date in that range
 * converts back.  The to-count functions accept any field values: the exact
 * count of the instant they name is reduced modulo 2^32, so a date before
 * 1996 or after 2132-02-07 06:28:14 wraps around the scale
 * (1995-12-31 23:59:59 gives 4294967295).  No function fails or reports an
 * error.
 *
 * Time zone.  Every result is UTC; the process time zone (TZ) is never read.
 *
 * Threads.  cvtFromSec1996, cvtToSec1996, cvtFromSec1996_yd,
 * cvtToSec1996_yd and getSecondsSince1996FromDate keep no state and may be
 * called from any number of threads at once.  getDateFromSecondsSince1996
 * and stringDate1996 each return a pointer to one object the library owns
 * and overwrites on every call: call them from one thread at a time and copy
 * the result before the next call.
 *
 * Example:
 *     Date1996 d = cvtFromSec1996(47260801);   // {1997, 7, 1, 0, 0, 0}
 *     Sec1996 c = cvtToSec1996(d);             // 47260801
 *     puts(stringDate1996(c));                 // "01-Jul-1997 00:00:00"
 *
 * The header compiles as C (C99 or later) and as C++; the functions have C
 * linkage.
 */
#ifndef SEC1996_SEC1996_H
#define SEC1996_SEC1996_H

#include <stdint.h>
#include <time.h>

/* Marks what the shared library exports; everything else in it is hidden. */
#ifndef SEC1996_API
#if defined(__GNUC__)
#define SEC1996_API __attribute__((visibility("default")))
#else
#define SEC1996_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sec1996: seconds since 1996-01-01 00:00:00 UTC, the leap second of the
 * library's table included.  Every value 0 to 4294967295 is a valid count. */
typedef uint32_t Sec1996;

/* Date1996: a UTC calendar date and time of day.
 * As a result, every field is in its usual range, shown below.
 * As an input, any values are accepted: see cvtToSec1996. */
typedef struct Date1996 {
  int32_t year; /* full Gregorian year, as 1996 */
  int32_t mon;  /* 1-12 */
  int32_t day;  /* 1-31 */
  int32_t hour; /* 0-23 */
  int32_t min;  /* 0-59 */
  int32_t sec;  /* 0-59; as input, 60 at 23:59 of a leap day is the leap second */
} Date1996;

/* YearDay1996: a year and the day of that year counted from 1, plus the
 * elapsed fraction of the day: 1 January 00:00:00 is 1.0, 1 January 12:00:00
 * is 1.5, 31 December 23:59:59 of 1996 is 366.99998842... */
typedef struct YearDay1996 {
  double dayOfYear;
  int32_t year;
} YearDay1996;

/* time_str: the record getDateFromSecondsSince1996 fills and returns a
 * pointer to.  It holds that function's latest result and nothing else.
 *
 * The name is global: a program that links the library must not define a
 * global of its own named time_str.  With the static library such a program
 * fails to link (multiple definition) once it calls
 * getDateFromSecondsSince1996.  With the shared library it links
 * without a warning, and the dynamic linker binds the library's time_str to
 * the program's object, so getDateFromSecondsSince1996 writes
 * sizeof(struct tm) bytes into it.  Binding the library to its own copy
 * instead would break readers: a program compiled the usual way reads
 * time_str from a copy in the executable (a copy relocation), which the
 * library reaches only through that same binding. */
extern SEC1996_API struct tm time_str;

/* getDateFromSecondsSince1996 - a count as a struct tm
 *
 *   struct tm* getDateFromSecondsSince1996(Sec1996 count);
 *
 * Parameters:   count - any count.
 * Return value: &time_str, filled with the UTC date and time of count as
 *               gmtime() fills its record: tm_year from 1900, tm_mon from 0,
 *               tm_mday, tm_hour, tm_min, tm_sec, tm_wday (0 = Sunday),
 *               tm_yday (0 = 1 January), tm_isdst 0, and on glibc tm_gmtoff 0
 *               and tm_zone "UTC".  Never a null pointer.
 * Leap second:  reads as 23:59:59 of its day; tm_sec is never 60.
 * Storage:      time_str, overwritten by the next call of this function.
 * Thread safety: not thread-safe; copy *result before calling again. */
SEC1996_API struct tm* getDateFromSecondsSince1996(Sec1996 count);

/* getSecondsSince1996FromDate - a struct tm as a count
 *
 *   Sec1996 getSecondsSince1996FromDate(const struct tm* date);
 *
 * Parameters:   date - a UTC date and time in tm_year (from 1900), tm_mon
 *               (from 0), tm_mday, tm_hour, tm_min and tm_sec, each in any
 *               range; the other fields are ignored and *date is not
 *               modified.  Must not be a null pointer.
 * Return value: the count of that time.  Out-of-range fields roll over as
 *               timegm() rolls them: tm_mon 12 is January of the next year,
 *               tm_mday 0 the last day of the previous month, tm_sec 60 the
 *               first second of the next minute.
 * Leap second:  a time from 00:00:00 of the day after a leap second onwards
 *               counts it.  The leap second itself cannot be named here:
 *               23:59:60 gives 00:00:00 of the next day.  Use cvtToSec1996.
 * Span:         outside it the count wraps modulo 2^32.
 * Thread safety: safe. */
SEC1996_API Sec1996 getSecondsSince1996FromDate(const struct tm* date);

/* cvtFromSec1996 - a count as a calendar record
 *
 *   Date1996 cvtFromSec1996(Sec1996 count);
 *
 * Parameters:   count - any count.
 * Return value: the UTC date and time of count, every field in range.
 * Leap second:  reads as 23:59:59 of its day: 47260800 and 47260799 both
 *               give {1997, 6, 30, 23, 59, 59}.
 * Thread safety: safe. */
SEC1996_API Date1996 cvtFromSec1996(Sec1996 count);

/* cvtToSec1996 - a calendar record as a count
 *
 *   Sec1996 cvtToSec1996(Date1996 date);
 *
 * Parameters:   date - any field values.
 * Return value: the count of 00:00:00 on the date given by year, mon and day,
 *               plus hour * 3600 + min * 60 + sec.  The date rolls over
 *               (month 13 is January of the next year, day 0 the last day of
 *               the previous month, 30 February a day in March); the time of
 *               day is added as it stands, so negative or large hour, min and
 *               sec move the count by that many seconds, across days and leap
 *               seconds alike.
 * Leap second:  a leap day has 86401 seconds: 23:59:60 and 24:00:00 on
 *               1997-06-30 give the leap second 47260800, 23:59:61 gives
 *               1997-07-01 00:00:00.  On other days 23:59:60 is 00:00:00 of
 *               the next day.
 * Span:         outside it the count wraps modulo 2^32.
 * Thread safety: safe. */
SEC1996_API Sec1996 cvtToSec1996(Date1996 date);

/* cvtFromSec1996_yd - a count as a year and fractional day of the year
 *
 *   YearDay1996 cvtFromSec1996_yd(Sec1996 count);
 *
 * Parameters:   count - any count.
 * Return value: {day + s / 86400.0, year}: the UTC year of count, the day of
 *               that year counted from 1, and s, the seconds since that day's
 *               midnight.
 * Leap second:  s reaches 86400, so the fraction is exactly 1.0:
 *               47260800 gives {182.0, 1997}, the same value as 47260801
 *               (1997-07-01 00:00:00).
 * Thread safety: safe. */
SEC1996_API YearDay1996 cvtFromSec1996_yd(Sec1996 count);

/* cvtToSec1996_yd - a year and fractional day of the year as a count
 *
 *   Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year);
 *
 * Parameters:   dayOfYear - the day of year counted from 1, plus a fraction
 *               of a day; any value.  year - any year.
 * Return value: the count of 00:00:00 on day trunc(dayOfYear) of year, plus
 *               floor(f * 86400 + 0.5) seconds, f being the fractional part
 *               (negative for a negative dayOfYear).  Day 0 is 31 December of
 *               the previous year; days past the year's end carry on into the
 *               following years.
 * Leap second:  182.0 in 1997 gives 1997-07-01 00:00:00, one count after the
 *               leap second.  The leap second itself is the last second of
 *               day 181: a day-181 value whose fraction rounds up to a whole
 *               day (181.99999999 in 1997) gives 47260800.
 * Odd input:    NaN reads as 1.0; values beyond +-2^31 days, infinities
 *               included, are clamped to +-2^31.
 * Span:         outside it the count wraps modulo 2^32.
 * Thread safety: safe. */
SEC1996_API Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year);

/* stringDate1996 - a count as text
 *
 *   char* stringDate1996(Sec1996 count);
 *
 * Parameters:   count - any count.
 * Return value: a pointer to a 21-byte buffer holding the UTC date and time
 *               of count in exactly 20 characters, "DD-Mon-YYYY HH:MM:SS"
 *               with an English month abbreviation ("01-Jan-1996 00:00:00"),
 *               and a terminating zero.  Never a null pointer.
 * Leap second:  the text of 23:59:59 of its day.
 * Storage:      one buffer the library owns, overwritten by the next call of
 *               this function; two calls in one printf() argument list print
 *               the same text twice.  It is not time_str.
 * Thread safety: not thread-safe; copy the text before calling again. */
SEC1996_API char* stringDate1996(Sec1996 count);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* SEC1996_SEC1996_H */
