/** @file
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
 * 24:00:00 on 1997-06-30.  The functions of the modern layer below show it
 * as it is: isLeapSecond1996, cvtFromSec1996_lossless (sec = 60) and the
 * ISO 8601 text "1997-06-30T23:59:60Z".
 *
 * Span.  Every count 0 (1996-01-01 00:00:00) to 4294967295
 * (2132-02-07 06:28:14) converts to its date, and every date in that range
 * converts back.  The to-count functions accept any field values: the exact
 * count of the instant they name is reduced modulo 2^32, so a date before
 * 1996 or after 2132-02-07 06:28:14 wraps around the scale
 * (1995-12-31 23:59:59 gives 4294967295).  None of them fails or reports
 * an error.  The checked doors beside them (cvtToSec1996_checked,
 * cvtToSec1996_yd_checked, cvtToSec1996_posix_checked and the strict ISO
 * 8601 reader parseDate1996_iso) refuse what is not a second of the scale
 * and say why, in one status type, Sec1996ParseStatus.
 *
 * Time zone.  Every result is UTC; the process time zone (TZ) is never read.
 *
 * Threads.  cvtFromSec1996, cvtToSec1996, cvtFromSec1996_yd,
 * cvtToSec1996_yd and getSecondsSince1996FromDate keep no state and may be
 * called from any number of threads at once.  getDateFromSecondsSince1996
 * and stringDate1996 each return a pointer to one object the library owns
 * and overwrites on every call: call them from one thread at a time and copy
 * the result before the next call, or use getDateFromSecondsSince1996_r and
 * stringDate1996_r, which write into the caller's storage.  Every function
 * of the modern layer may be called from any number of threads at once.
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

#include <stddef.h>
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

/** Sec1996: seconds since 1996-01-01 00:00:00 UTC, the leap second of the
 * library's table included.  Every value 0 to 4294967295 is a valid count. */
typedef uint32_t Sec1996;

/** Date1996: a UTC calendar date and time of day.
 * As a result, every field is in its usual range, shown below.
 * As an input, any values are accepted: see cvtToSec1996. */
typedef struct Date1996 {
  int32_t year; /**< full Gregorian year, as 1996 */
  int32_t mon;  /**< 1-12 */
  int32_t day;  /**< 1-31 */
  int32_t hour; /**< 0-23 */
  int32_t min;  /**< 0-59 */
  int32_t sec;  /**< 0-59; as input, 60 at 23:59 of a leap day is the leap second */
} Date1996;

/** YearDay1996: a year and the day of that year counted from 1, plus the
 * elapsed fraction of the day: 1 January 00:00:00 is 1.0, 1 January 12:00:00
 * is 1.5, 31 December 23:59:59 of 1996 is 366.99998842... */
typedef struct YearDay1996 {
  double dayOfYear; /**< the day of the year from 1.0, with the elapsed fraction */
  int32_t year;     /**< full Gregorian year, as 1996 */
} YearDay1996;

/** time_str: the record getDateFromSecondsSince1996 fills and returns a
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

/** getDateFromSecondsSince1996 - a count as a struct tm
 *
 *   struct tm* getDateFromSecondsSince1996(Sec1996 count);
 *
 * Parameters:   count - any count.
 * Return value: &time_str, every field of it rewritten with the UTC date
 *               and time of count: tm_year from 1900, tm_mon from 0,
 *               tm_mday, tm_hour, tm_min, tm_sec, tm_wday (0 = Sunday),
 *               tm_yday (0 = 1 January), tm_isdst 0, and on glibc tm_gmtoff 0
 *               and tm_zone "UTC".  Never a null pointer.
 * Leap second:  reads as 23:59:59 of its day; tm_sec is never 60.
 * Storage:      time_str, overwritten by the next call of this function.
 * Thread safety: not thread-safe; copy *result before calling again. */
SEC1996_API struct tm* getDateFromSecondsSince1996(Sec1996 count);

/** getSecondsSince1996FromDate - a struct tm as a count
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

/** cvtFromSec1996 - a count as a calendar record
 *
 *   Date1996 cvtFromSec1996(Sec1996 count);
 *
 * Parameters:   count - any count.
 * Return value: the UTC date and time of count, every field in range.
 * Leap second:  reads as 23:59:59 of its day: 47260800 and 47260799 both
 *               give {1997, 6, 30, 23, 59, 59}.
 * Thread safety: safe. */
SEC1996_API Date1996 cvtFromSec1996(Sec1996 count);

/** cvtToSec1996 - a calendar record as a count
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

/** cvtFromSec1996_yd - a count as a year and fractional day of the year
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

/** cvtToSec1996_yd - a year and fractional day of the year as a count
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

/** stringDate1996 - a count as text
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

/* ---- The modern layer ----------------------------------------------------
 *
 * The functions below complete the seven above without changing them: they
 * can tell and show the leap second (23:59:60), write into the caller's
 * storage instead of the library's, read and write ISO 8601, and convert
 * whole arrays in one call.  Every one of them keeps no state, touches no
 * storage but the caller's, and may be called from any number of threads at
 * once.  C++ callers find a std::chrono clock for the scale in sec1996.hpp.
 */

/** The sizes of the caller buffers that the text functions fill: 20
 * characters and the terminating zero. */
#define SEC1996_TEXT_SIZE 21
#define SEC1996_ISO_SIZE 21 /**< the same for the ISO 8601 text */
/** The length of one ISO 8601 text without a terminating zero, as the array
 * form writes it. */
#define SEC1996_ISO_LENGTH 20

/** isLeapSecond1996 - whether a count is an inserted leap second
 *
 *   int isLeapSecond1996(Sec1996 count);
 *
 * Return value: 1 if count is a leap second of the library's table (the one
 *               count 47260800, 1997-06-30 23:59:60), else 0. */
SEC1996_API int isLeapSecond1996(Sec1996 count);

/** cvtFromSec1996_lossless - a count as a calendar record, 23:59:60 included
 *
 *   Date1996 cvtFromSec1996_lossless(Sec1996 count);
 *
 * Return value: the same record as cvtFromSec1996(count), except at a leap
 *               second, which reads as sec = 60: 47260800 gives
 *               {1997, 6, 30, 23, 59, 60}.  cvtToSec1996 of the result is
 *               count itself, for every count. */
SEC1996_API Date1996 cvtFromSec1996_lossless(Sec1996 count);

/** stringDate1996_r - stringDate1996 into the caller's buffer
 *
 *   char* stringDate1996_r(Sec1996 count, char* buffer);
 *
 * Parameters:   buffer - at least SEC1996_TEXT_SIZE (21) bytes.
 * Return value: buffer, holding exactly the 20 characters and terminating
 *               zero that stringDate1996(count) would hold.
 * Leap second:  the text of 23:59:59 of its day, as stringDate1996. */
SEC1996_API char* stringDate1996_r(Sec1996 count, char* buffer);

/** getDateFromSecondsSince1996_r - getDateFromSecondsSince1996 into the
 * caller's record
 *
 *   struct tm* getDateFromSecondsSince1996_r(Sec1996 count, struct tm* result);
 *
 * Return value: result, every field set exactly as
 *               getDateFromSecondsSince1996(count) sets time_str.  time_str
 *               itself is neither read nor written.
 * Leap second:  reads as 23:59:59 of its day; tm_sec is never 60. */
SEC1996_API struct tm* getDateFromSecondsSince1996_r(Sec1996 count, struct tm* result);

/** stringDate1996_iso - a count as ISO 8601 text
 *
 *   char* stringDate1996_iso(Sec1996 count, char* buffer);
 *
 * Parameters:   buffer - at least SEC1996_ISO_SIZE (21) bytes.
 * Return value: buffer, holding "YYYY-MM-DDTHH:MM:SSZ" (exactly 20
 *               characters, "1996-01-01T00:00:00Z" for count 0) and a
 *               terminating zero.
 * Leap second:  shown as it is: 47260800 gives "1997-06-30T23:59:60Z". */
SEC1996_API char* stringDate1996_iso(Sec1996 count, char* buffer);

/** Sec1996ParseStatus: why a checked function refused its input, or 0.
 *
 * The one status type of the library: the ISO 8601 reader, the checked
 * to-count doors and every later reader and writer of outside data return
 * it, and parseStatusText1996 puts any value of it into words.  A function
 * returns only the values its own comment names. */
typedef enum Sec1996ParseStatus {
  SEC1996_PARSE_OK = 0,                 /**< accepted */
  SEC1996_PARSE_SYNTAX = 1,             /**< not YYYY-MM-DDTHH:MM:SS with an optional Z */
  SEC1996_PARSE_FIELD_RANGE = 2,        /**< month 00 or 13, day 00 or 32, hour 24,
                                           minute 60, second 61 */
  SEC1996_PARSE_NO_SUCH_DATE = 3,       /**< a day its month lacks: 1997-02-29 */
  SEC1996_PARSE_NOT_LEAP_SECOND = 4,    /**< :60 that is not a leap second of the table */
  SEC1996_PARSE_OUT_OF_SPAN = 5,        /**< before 1996-01-01T00:00:00 or after
                                           2132-02-07T06:28:14 */
  SEC1996_PARSE_NOT_A_NUMBER = 6,       /**< NaN or an infinity */
  SEC1996_PARSE_FRACTION = 7,           /**< a fraction of a second, where whole
                                           seconds are asked for */
  SEC1996_PARSE_OFFSET = 8,             /**< a UTC offset that is refused */
  SEC1996_PARSE_PATTERN = 9,            /**< a pattern with an unknown or truncated
                                           conversion */
  SEC1996_PARSE_BUFFER_TOO_SMALL = 10,  /**< the output does not fit the buffer */
  SEC1996_PARSE_TRUNCATED = 11,         /**< the input ends before its layout does */
  SEC1996_PARSE_RESERVED = 12,          /**< a reserved or unsupported layout value */
  SEC1996_PARSE_WRONG_CODE = 13,        /**< a time code other than the one asked for */
  SEC1996_PARSE_BAD_DIGIT = 14,         /**< a BCD nibble above 9 */
  SEC1996_PARSE_LEAP_NOT_ON_SCALE = 15, /**< a real UTC leap second that the
                                           scale does not count */
  SEC1996_PARSE_LIST_EXPIRED = 16,      /**< a warning: the result is given, but lies
                                           past the leap-second list's expiry and
                                           assumes no further leap second */
  SEC1996_PARSE_LIST_SYNTAX = 17,       /**< a malformed line in a leap-second list */
  SEC1996_PARSE_LIST_HASH = 18,         /**< a leap-second list whose hash does not
                                           match its data */
  SEC1996_PARSE_LIST_ORDER = 19,        /**< leap-second list dates that do not
                                           increase */
  SEC1996_PARSE_LIST_STEP = 20,         /**< a TAI-UTC step other than +1 or -1 */
  SEC1996_PARSE_LIST_NOT_FOUND = 21,    /**< no leap-second list could be read */
  SEC1996_PARSE_OTHER_LAYOUT = 50,      /**< a time code of another layout than
                                            the one asked for */
  SEC1996_PARSE_CONFLICT = 60,          /**< fields that name different dates: a
                                           weekday or day of the year that does
                                           not match the date, a field given
                                           twice with two values */
  SEC1996_PARSE_MISMATCH = 61           /**< text that does not match the pattern:
                                           a letter where a digit belongs, a
                                           name that is none of the English
                                           names, text left over */
} Sec1996ParseStatus;

/** parseDate1996_iso - strict reading of an ISO 8601 UTC date and time
 *
 *   Sec1996ParseStatus parseDate1996_iso(const char* text, size_t length,
 *                                        Sec1996* count, size_t* errorOffset);
 *
 * Parameters:   text, length - the characters to read; exactly length bytes
 *               are read and no terminating zero is needed.  text may be a
 *               null pointer when length is 0.  count - where the count goes;
 *               errorOffset - where the offset of the refused part goes; either
 *               may be a null pointer.
 * Return value: SEC1996_PARSE_OK and *count set when the whole text is
 *               "YYYY-MM-DDTHH:MM:SS" or the same followed by "Z", naming a
 *               real second of the scale: months 01-12, a day that exists in
 *               its month, hours 00-23, minutes and seconds 00-59, second 60
 *               only at 23:59:60 of a leap second of the table, from
 *               1996-01-01T00:00:00 to 2132-02-07T06:28:14.  Otherwise the
 *               reason (see Sec1996ParseStatus), *count is left alone and
 *               *errorOffset is set to the offset in text of the first
 *               character of the field or character refused (for a date
 *               outside the span, 0).  Nothing is normalised: no blanks, no
 *               lower-case z, no other offset than Z, no embedded zero byte.
 * Leap second:  "1997-06-30T23:59:60Z" gives 47260800.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus parseDate1996_iso(const char* text, size_t length, Sec1996* count,
                                                 size_t* errorOffset);

/** parseStatusText1996 - a status in a few English words
 *
 *   const char* parseStatusText1996(Sec1996ParseStatus status);
 *
 * Return value: a constant string such as "day does not exist in its month";
 *               never a null pointer, also for values outside the enum. */
SEC1996_API const char* parseStatusText1996(Sec1996ParseStatus status);

/** cvtToSec1996_checked - a calendar record as a count, refused unless it
 * names a second of the scale
 *
 *   Sec1996ParseStatus cvtToSec1996_checked(Date1996 date, Sec1996* count);
 *
 * Parameters:   date - any field values.  count - where the count goes; may
 *               be a null pointer.
 * Return value: SEC1996_PARSE_OK and *count set when the record is a real
 *               second of the scale, else *count is left alone and:
 *               SEC1996_PARSE_FIELD_RANGE  - mon outside 1-12, day outside
 *                 1-31, hour outside 0-23, min outside 0-59, sec outside 0-60
 *                 (24:00:00 excepted, below);
 *               SEC1996_PARSE_NO_SUCH_DATE - a day its month lacks
 *                 (1997-02-29, 1996-04-31);
 *               SEC1996_PARSE_OUT_OF_SPAN  - before 1996-01-01 00:00:00 or
 *                 after 2132-02-07 06:28:14;
 *               SEC1996_PARSE_NOT_LEAP_SECOND - 23:59:60 or 24:00:00 (or any
 *                 second 60) that is not a leap second of the table.
 *               The checks are made in that order.
 * Leap second:  {1997, 6, 30, 23, 59, 60} and {1997, 6, 30, 24, 0, 0} give
 *               47260800.  Every record cvtFromSec1996_lossless gives comes
 *               back to its count.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_checked(Date1996 date, Sec1996* count);

/** cvtToSec1996_checked_n - cvtToSec1996_checked over an array
 *
 *   size_t cvtToSec1996_checked_n(const Date1996* in, size_t n, Sec1996* out,
 *                                 Sec1996ParseStatus* status);
 *
 * Parameters:   in[0..n-1] - the records.  out[0..n-1] - their counts, 0
 *               where refused.  status[0..n-1] - the status of each element;
 *               may be a null pointer.  n may be 0, and then every pointer may
 *               be null.  The arrays must not overlap.
 * Return value: the number of elements refused (0 when all are counts).
 * Thread safety: safe. */
SEC1996_API size_t cvtToSec1996_checked_n(const Date1996* in, size_t n, Sec1996* out,
                                          Sec1996ParseStatus* status);

/** cvtToSec1996_yd_checked - a year and fractional day of the year as a
 * count, refused unless it names a second of the scale
 *
 *   Sec1996ParseStatus cvtToSec1996_yd_checked(double dayOfYear, int32_t year,
 *                                              Sec1996* count);
 *
 * Parameters:   dayOfYear - the day of the year counted from 1, plus a
 *               fraction of a day, as cvtToSec1996_yd takes it.  year - any
 *               year.  count - where the count goes; may be a null pointer.
 * Return value: SEC1996_PARSE_OK and *count set to cvtToSec1996_yd(dayOfYear,
 *               year) when trunc(dayOfYear) is a day of that year and the
 *               result lies on the scale; else *count is left alone and:
 *               SEC1996_PARSE_NOT_A_NUMBER - dayOfYear is NaN or infinite;
 *               SEC1996_PARSE_FIELD_RANGE  - trunc(dayOfYear) below 1 or
 *                 above 366;
 *               SEC1996_PARSE_NO_SUCH_DATE - day 366 of a common year;
 *               SEC1996_PARSE_OUT_OF_SPAN  - a second off the scale.
 * Leap second:  as cvtToSec1996_yd: the last second of day 181 of 1997
 *               (181.99999999) is 47260800; 182.0 is 47260801.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_yd_checked(double dayOfYear, int32_t year,
                                                       Sec1996* count);

/** leapSeconds1996 - the leap-second table of the scale
 *
 *   size_t leapSeconds1996(const Sec1996** entries);
 *
 * Parameters:   entries - where a pointer to the table goes; may be a null
 *               pointer.
 * Return value: the number of entries (1).  Each entry is the count of
 *               00:00:00 on the day after a leap second, that leap second
 *               included, in ascending order: the table is {47260801}, and
 *               the leap second itself is the entry minus one, 47260800.
 *               The table is constant storage of the library and never
 *               changes: stored counts depend on it.
 * Thread safety: safe. */
SEC1996_API size_t leapSeconds1996(const Sec1996** entries);

/** cvtFromSec1996_posix - a count as POSIX seconds
 *
 *   int64_t cvtFromSec1996_posix(Sec1996 count);
 *
 * Return value: seconds since 1970-01-01 00:00:00 UTC counted as POSIX
 *               counts them (every day 86400 seconds, as time_t): 820454400
 *               for count 0.
 * Leap second:  maps to the value of 23:59:59 of its day, as
 *               std::chrono::utc_clock::to_sys does: 47260800 and 47260799
 *               both give 867715199; isLeapSecond1996 tells them apart. */
SEC1996_API int64_t cvtFromSec1996_posix(Sec1996 count);

/** cvtToSec1996_posix - POSIX seconds as a count
 *
 *   Sec1996 cvtToSec1996_posix(int64_t seconds);
 *
 * Return value: the count of that second; never a leap second (867715199
 *               gives 47260799, 867715200 gives 47260801).
 * Span:         820454400 to 5115421694 lie on the scale; outside it the
 *               count wraps modulo 2^32, as for cvtToSec1996. */
SEC1996_API Sec1996 cvtToSec1996_posix(int64_t seconds);

/** cvtToSec1996_posix_checked - POSIX seconds as a count, refused off the
 * scale
 *
 *   Sec1996ParseStatus cvtToSec1996_posix_checked(int64_t seconds,
 *                                                 Sec1996* count);
 *
 * Parameters:   seconds - any value.  count - where the count goes; may be a
 *               null pointer.
 * Return value: SEC1996_PARSE_OK and *count set to cvtToSec1996_posix(seconds)
 *               for 820454400 to 5115421694; otherwise SEC1996_PARSE_OUT_OF_SPAN
 *               and *count left alone.
 * Leap second:  never the result, as for cvtToSec1996_posix.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_posix_checked(int64_t seconds, Sec1996* count);

/* The array forms.  Each converts n values from in[0..n-1] to out[0..n-1]
 * (for the text, n texts of SEC1996_ISO_LENGTH bytes each, back to back,
 * without terminating zeros), giving for every element exactly what the
 * single-value function named gives.  n may be 0, and then both pointers may
 * be null.  in and out must not overlap.  Thread safety: safe. */

/** cvtFromSec1996_lossless_n - cvtFromSec1996_lossless over an array */
SEC1996_API void cvtFromSec1996_lossless_n(const Sec1996* in, size_t n, Date1996* out);

/** cvtToSec1996_n - cvtToSec1996 over an array */
SEC1996_API void cvtToSec1996_n(const Date1996* in, size_t n, Sec1996* out);

/** cvtFromSec1996_posix_n - cvtFromSec1996_posix over an array */
SEC1996_API void cvtFromSec1996_posix_n(const Sec1996* in, size_t n, int64_t* out);

/** cvtToSec1996_posix_n - cvtToSec1996_posix over an array */
SEC1996_API void cvtToSec1996_posix_n(const int64_t* in, size_t n, Sec1996* out);

/** stringDate1996_iso_n - stringDate1996_iso over an array
 *
 * out: at least n * SEC1996_ISO_LENGTH bytes; text i is at
 *      out + i * SEC1996_ISO_LENGTH, with no terminating zero. */
SEC1996_API void stringDate1996_iso_n(const Sec1996* in, size_t n, char* out);

/** parseDate1996_iso_n - parseDate1996_iso over an array of fixed-width texts
 *
 *   size_t parseDate1996_iso_n(const char* in, size_t n, size_t width,
 *                              Sec1996* out, Sec1996ParseStatus* status);
 *
 * Parameters:   in - n texts of width bytes each, back to back: text i is
 *               the bytes in[i * width] to in[i * width + width - 1], up to
 *               its first zero byte if it has one (a fixed-width column, as
 *               numpy's S20 holds shorter texts; stringDate1996_iso_n writes
 *               one with width SEC1996_ISO_LENGTH).  out[0..n-1] - the count
 *               of each text, 0 where refused.  status[0..n-1] - the status
 *               parseDate1996_iso gives for each text; may be a null pointer.
 *               n may be 0, and then every pointer may be null.  The arrays
 *               must not overlap.
 * Return value: the number of texts refused (0 when all are counts).  Each
 *               element is exactly what parseDate1996_iso(text, its length)
 *               gives; the offsets of refusals are not kept (read a refused
 *               text again with parseDate1996_iso for its offset).
 * Thread safety: safe. */
SEC1996_API size_t parseDate1996_iso_n(const char* in, size_t n, size_t width, Sec1996* out,
                                       Sec1996ParseStatus* status);

/* ---- ISO 8601 as people write it ------------------------------------------
 *
 * parseDate1996_iso and stringDate1996_iso keep to one strict text.  The
 * _opt forms below take the variants found in files, each one chosen by a
 * flag; with flags 0 they read and write exactly what the strict forms do.
 * The flags, to be combined with |:
 */
/** Reading: a space may stand for the T ("1997-06-30 23:59:60Z").
 * Writing: a space instead of the T. */
#define SEC1996_ISO_SPACE 0x01u
/** Reading: a lower-case z may stand for the Z.  Writing: z instead of Z. */
#define SEC1996_ISO_LOWER_Z 0x02u
/** Reading: a zero UTC offset may stand for the Z: +00:00, -00:00, +0000,
 * -0000, +00 or -00.  Writing: "+00:00" instead of the Z. */
#define SEC1996_ISO_UTC_OFFSET 0x04u
/** Reading: any offset +hh:mm, +hhmm or +hh (or with -), hours 00-23 and
 * minutes 00-59, the date and time then being local time at that offset,
 * converted to UTC ("1997-07-01T01:59:60+02:00" is the leap second).
 * Implies SEC1996_ISO_UTC_OFFSET.  Writing: ignored (always UTC). */
#define SEC1996_ISO_ANY_OFFSET 0x08u
/** Reading: a fraction of a second, '.' and one or more digits after the
 * seconds, is dropped: the count is the second it lies in (the floor).
 * Without this flag a fraction is refused as SEC1996_PARSE_FRACTION, since
 * a count holds whole seconds.  Writing: ignored (no fraction). */
#define SEC1996_ISO_FLOOR_FRACTION 0x10u

/** The size of the buffer stringDate1996_iso_opt fills: 19 characters, an
 * offset of up to 6, and the terminating zero. */
#define SEC1996_ISO_OPT_SIZE 26

/** parseDate1996_iso_opt - ISO 8601 UTC date and time, with chosen variants
 *
 *   Sec1996ParseStatus parseDate1996_iso_opt(const char* text, size_t length,
 *                                            unsigned flags, Sec1996* count,
 *                                            size_t* errorOffset);
 *
 * Parameters:   text, length, count, errorOffset - as for parseDate1996_iso.
 *               flags - SEC1996_ISO_* flags (above) or 0; other bits are
 *               ignored.
 * Return value: as parseDate1996_iso, reading "YYYY-MM-DDTHH:MM:SS", then
 *               a fraction where SEC1996_ISO_FLOOR_FRACTION allows it, then
 *               nothing, "Z", or what the flags allow in its place.  Besides
 *               parseDate1996_iso's statuses:
 *               SEC1996_PARSE_FRACTION - a fraction without
 *                 SEC1996_ISO_FLOOR_FRACTION (at the '.');
 *               SEC1996_PARSE_OFFSET - an offset the flags do not allow (a
 *                 zero offset without SEC1996_ISO_UTC_OFFSET, any other
 *                 without SEC1996_ISO_ANY_OFFSET) or beyond 23:59 (at its
 *                 sign).
 *               With flags 0 every text parseDate1996_iso accepts is
 *               accepted with the same count and every other refused; a
 *               fraction or an offset is then named by these two statuses
 *               where parseDate1996_iso says SEC1996_PARSE_SYNTAX.  A date
 *               outside the span is refused after the conversion to UTC,
 *               at offset 0.
 * Leap second:  second 60 where the UTC second it names is the leap second
 *               of the table: "1997-06-30 23:59:60.75z" with SPACE, LOWER_Z
 *               and FLOOR_FRACTION gives 47260800.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus parseDate1996_iso_opt(const char* text, size_t length,
                                                     unsigned flags, Sec1996* count,
                                                     size_t* errorOffset);

/** stringDate1996_iso_opt - a count as ISO 8601 text, with chosen variants
 *
 *   char* stringDate1996_iso_opt(Sec1996 count, unsigned flags, char* buffer);
 *
 * Parameters:   flags - SEC1996_ISO_SPACE, SEC1996_ISO_LOWER_Z and
 *               SEC1996_ISO_UTC_OFFSET are used (UTC_OFFSET before LOWER_Z);
 *               other bits are ignored.  buffer - at least
 *               SEC1996_ISO_OPT_SIZE (26) bytes.
 * Return value: buffer, holding stringDate1996_iso(count)'s text with the T
 *               and the Z replaced as the flags say ("1997-06-30
 *               23:59:60+00:00" with SPACE and UTC_OFFSET) and a terminating
 *               zero; with flags 0 exactly stringDate1996_iso's text.
 * Leap second:  shown as 23:59:60.
 * Thread safety: safe. */
SEC1996_API char* stringDate1996_iso_opt(Sec1996 count, unsigned flags, char* buffer);

/* ---- Patterns --------------------------------------------------------------
 *
 * formatDate1996 and parseDate1996 write and read a count in a layout given
 * by a strftime-style pattern: "%Y-%m-%d %H:%M:%S", "%Y.%j", "%d %b %Y".
 * Each conversion is a '%' and one letter (or "%Ez"); every other character
 * stands for itself.  The conversions are those of the C library in the "C"
 * locale, with English names, and the time is always UTC:
 *
 *   %Y year, 4 digits          %m month 01-12         %d day 01-31
 *   %e day, space-padded " 1"  %j day of year 001-366 %y year in century 00-99
 *   %H hour 00-23              %M minute 00-59        %S second 00-60
 *   %b Jan-Dec                 %B January-December
 *   %a Sun-Sat                 %A Sunday-Saturday
 *   %T = %H:%M:%S   %F = %Y-%m-%d   %D = %m/%d/%y   %R = %H:%M
 *   %s POSIX seconds (cvtFromSec1996_posix)         %% a '%'
 *   %z and %Ez "+0000"         %Z "UTC"
 * and for writing only:
 *   %C century 19-21           %u weekday 1-7, Monday 1   %w weekday 0-6, Sunday 0
 *   %U week of the year 00-53 from the first Sunday, %W from the first Monday
 *   %G %V %g ISO 8601 week-based year, week 01-53, year in century
 *
 * The leap second is kept both ways: at count 47260800 %S writes 60 (and %T
 * 23:59:60), and reading accepts second 60 there only.  Flags and widths
 * (%-d, %_H, %10Y), locale forms (%c, %x, %Ex, %Oy) and the other glibc
 * conversions are refused as SEC1996_PARSE_PATTERN, as is a pattern longer
 * than SEC1996_PATTERN_MAX_LENGTH characters.
 */

/** The longest pattern formatDate1996 and parseDate1996 read, in characters
 * without the terminating zero: a pattern must end within this many
 * characters, so that a pattern without a terminating zero is refused
 * rather than read on. */
#define SEC1996_PATTERN_MAX_LENGTH 256

/** formatDate1996 - a count as text in a pattern's layout
 *
 *   Sec1996ParseStatus formatDate1996(Sec1996 count, const char* pattern,
 *                                     char* buffer, size_t size,
 *                                     size_t* length);
 *
 * Parameters:   count - any count.  pattern - a zero-terminated pattern (see
 *               above); must not be a null pointer.  buffer, size - where the
 *               text and its terminating zero go; buffer may be a null
 *               pointer when size is 0.  length - see below; may be a null
 *               pointer.
 * Return value: SEC1996_PARSE_OK, with the text and a terminating zero in
 *               buffer and its length (without the zero) in *length;
 *               otherwise buffer holds "" (when size > 0) and:
 *               SEC1996_PARSE_PATTERN - an unknown or truncated conversion,
 *                 or an overlong pattern; *length is its offset in pattern;
 *               SEC1996_PARSE_BUFFER_TOO_SMALL - the text and its zero need
 *                 more than size bytes; *length is the size they need.
 * Leap second:  47260800 writes second 60: "%F %T" gives
 *               "1997-06-30 23:59:60".  %s writes the POSIX value of
 *               23:59:59 (867715199), as cvtFromSec1996_posix.
 * Thread safety: safe; the process locale and time zone are never read. */
SEC1996_API Sec1996ParseStatus formatDate1996(Sec1996 count, const char* pattern, char* buffer,
                                              size_t size, size_t* length);

/** parseDate1996 - text in a pattern's layout as a count
 *
 *   Sec1996ParseStatus parseDate1996(const char* text, size_t length,
 *                                    const char* pattern, Sec1996* count,
 *                                    size_t* errorOffset);
 *
 * Parameters:   text, length - the characters to read; exactly length bytes
 *               are read and no terminating zero is needed (text may be a
 *               null pointer when length is 0).  pattern - a zero-terminated
 *               pattern of the conversions marked above as readable; must not
 *               be a null pointer.  count - where the count goes; errorOffset
 *               - where the offset of the refused part goes; either may be a
 *               null pointer.
 * Reading:      strict.  Every character of the pattern that is not a
 *               conversion must be there as it stands (a blank matches one
 *               blank); every number has exactly its width (%Y 4 digits, %j 3,
 *               the others 2; %e a blank or a digit, then a digit), except %s,
 *               an optional '-' and 1 to 18 digits; names match their English
 *               spelling in any case (%b exactly 3 letters); %z is a sign and
 *               4 digits, hours 00-23 and minutes 00-59, and the fields are
 *               local time at that offset, converted to UTC; %Z is "UTC" or
 *               "GMT".  The whole text must be used.
 *               A pattern must name a year (%Y, %y, %F, %D) or be %s; what it
 *               leaves out is taken as in 1 January 00:00:00 of the year.  %y
 *               alone names 1969-2068 (69-99 the 1900s, 00-68 the 2000s, as
 *               POSIX).  A day of the year (%j) must exist in its year.  A
 *               field that a pattern gives twice (%Y and %y, %m/%d and %j, the
 *               weekday, any conversion repeated) must agree.  %s goes with no
 *               date or time conversion but %z and %Z.
 * Return value: SEC1996_PARSE_OK and *count set when the text names a second
 *               of the scale; otherwise *count is left alone and
 *               *errorOffset is set to the offset in text of the first
 *               character refused, or of the field that fails:
 *               SEC1996_PARSE_PATTERN - (checked before any text is read) an
 *                 unknown, write-only or truncated conversion, an overlong
 *                 pattern, no year, or %s with date fields; *errorOffset is
 *                 then the offset in pattern;
 *               SEC1996_PARSE_MISMATCH - a character the pattern does not
 *                 have at its place, text left over, a zero byte;
 *               SEC1996_PARSE_TRUNCATED - the text ends before the pattern
 *                 (*errorOffset is length);
 *               SEC1996_PARSE_FIELD_RANGE - month 00 or 13, day 00 or 32,
 *                 day of the year 000 or 367, hour 24, minute 60, second 61;
 *               SEC1996_PARSE_OFFSET - a %z beyond +-23:59, a %Z other than
 *                 UTC or GMT;
 *               SEC1996_PARSE_NO_SUCH_DATE - a day its month or year lacks;
 *               SEC1996_PARSE_CONFLICT - a field given twice that disagrees;
 *               SEC1996_PARSE_OUT_OF_SPAN - before 1996-01-01 00:00:00 or
 *                 after 2132-02-07 06:28:14 UTC (at the year's offset, or
 *                 %s's);
 *               SEC1996_PARSE_NOT_LEAP_SECOND - second 60 that is not a leap
 *                 second of the table (at the second's offset).
 * Leap second:  "1997-06-30 23:59:60" read with "%F %T" gives 47260800, as
 *               does "1997-07-01 01:59:60 +0200" with "%F %T %z"; second 60
 *               anywhere else is refused.
 * Thread safety: safe; the process locale and time zone are never read. */
SEC1996_API Sec1996ParseStatus parseDate1996(const char* text, size_t length, const char* pattern,
                                             Sec1996* count, size_t* errorOffset);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* SEC1996_SEC1996_H */
