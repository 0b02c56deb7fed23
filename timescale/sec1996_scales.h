/*
 * sec1996_scales.h - true time: TAI, TT, GPS and SI seconds of counts,
 * from the full list of leap seconds.
 *
 * A count's calendar label, as cvtFromSec1996_lossless gives it, is read as
 * a true UTC label.  Its TAI is that label plus TAI-UTC in force at it, from
 * the full list of leap seconds (not the scale's own one-entry table, which
 * never changes); TT is TAI + 32.184 s; GPS time is TAI - 19 s counted from
 * 1980-01-06 00:00:00 UTC, also given as a week and a second of the week.
 * The SI seconds between two counts are the difference of their TAI.
 *
 * Units and epochs.  TAI: int64 seconds since 1958-01-01 00:00:00 TAI, as
 * std::chrono::tai_clock counts (count 0, 1996-01-01 00:00:00 UTC, is
 * 1199145630).  TT: int64 milliseconds since 1958-01-01 00:00:00 TT, so
 * that the 32.184 s are exact (count 0 is 1199145662184).  GPS: int64
 * seconds since 1980-01-06 00:00:00 UTC, as std::chrono::gps_clock counts
 * (count 0 is 504489611); the week is counted from that day without the
 * modulo 1024 of the broadcast signal.
 *
 * Leap seconds the scale lacks.  UTC inserted leap seconds from
 * 1998-12-31 23:59:60 on that the scale does not count.  Such a second has
 * TAI, TT and GPS values but no count: the conversions to a count refuse it
 * with SEC1996_PARSE_LEAP_NOT_ON_SCALE, and map it to the count of the
 * 23:59:59 before it only where the caller passes
 * SEC1996_MAP_LEAP_TO_235959, as the scale itself shows its own leap second.
 * Across such a second TAI advances by 2 from one count to the next.
 *
 * The list.  Every conversion takes a Sec1996LeapList, an immutable table
 * read from a leap-seconds.list file (the IERS/NTP format that tzdata
 * installs), from a buffer, or a null pointer for the default table.  The
 * default is loaded once, on first use, from the file the environment
 * variable SEC1996_LEAP_SECONDS names, else from
 * /usr/share/zoneinfo/leap-seconds.list, else it is the copy compiled into
 * the library (updated 2026-07-06, expiring 2027-06-28); leapListInfo1996
 * says which.  A list is read whole or not at all: a malformed line, a #h
 * hash that does not match the data, dates that do not increase or a
 * TAI-UTC step other than +1 or -1 refuse it, with the file, the line and
 * the reason.
 *
 * Expiry.  A list holds for dates before its #@ expiry.  A conversion whose
 * count lies at or past it still answers, assuming no further leap second,
 * with SEC1996_PARSE_LIST_EXPIRED, a warning (as ERFA's "dubious year").
 *
 * Threads.  Every function may be called from any number of threads at once;
 * a list may be shared by them until it is freed.
 *
 * Example:
 *     int64_t tai;
 *     cvtFromSec1996_tai(NULL, 0, &tai);     // 1199145630, status OK
 *     int64_t si;
 *     siSecondsBetween1996(NULL, 0, 4294967295u, &si);   // 4294967301
 *
 * The header compiles as C (C99 or later) and as C++; the functions have C
 * linkage.
 */
#ifndef SEC1996_SEC1996_SCALES_H
#define SEC1996_SEC1996_SCALES_H

#include "sec1996.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Sec1996LeapList: a loaded leap-second list; opaque and immutable. */
typedef struct Sec1996LeapList Sec1996LeapList;

/** Where a list came from. */
typedef enum Sec1996LeapListSource {
  SEC1996_LIST_BUILTIN = 0,      /* the copy compiled into the library */
  SEC1996_LIST_DEFAULT_FILE = 1, /* /usr/share/zoneinfo/leap-seconds.list */
  SEC1996_LIST_ENV_FILE = 2,     /* the file SEC1996_LEAP_SECONDS names */
  SEC1996_LIST_FILE = 3,         /* a file given to leapListFromFile1996 */
  SEC1996_LIST_BUFFER = 4        /* a buffer given to leapListFromBuffer1996 */
} Sec1996LeapListSource;

/** The default file of the leap-second list, and the environment variable
 * that names another one. */
#define SEC1996_LEAP_SECONDS_FILE "/usr/share/zoneinfo/leap-seconds.list"
#define SEC1996_LEAP_SECONDS_ENV "SEC1996_LEAP_SECONDS"

/** The size of the message of a Sec1996LeapListError, terminating zero
 * included. */
#define SEC1996_LIST_MESSAGE_SIZE 320

/** Why a list was refused (or, for the default table, why no file was used). */
typedef struct Sec1996LeapListError {
  Sec1996ParseStatus status; /**< SEC1996_PARSE_OK, or one of the LIST_ codes */
  size_t line;               /**< the line refused, from 1; 0 when no one line is */
  /** "file:line: reason", or "file: reason" when no one line is at fault;
   * always zero-terminated, empty when status is SEC1996_PARSE_OK. */
  char message[SEC1996_LIST_MESSAGE_SIZE];
} Sec1996LeapListError;

/** One line of a list: from 00:00:00 UTC of date on, TAI-UTC is taiMinusUtc. */
typedef struct Sec1996LeapEntry {
  int64_t ntpSeconds;  /**< that midnight in seconds since 1900-01-01 00:00:00 */
  int32_t taiMinusUtc; /**< seconds */
  Date1996 date;       /**< that midnight as a UTC date, 00:00:00 */
} Sec1996LeapEntry;

/** What leapListInfo1996 tells about a list.  The pointers stay valid as long
 * as the list does (for the default table, for the life of the process). */
typedef struct Sec1996LeapListInfo {
  Sec1996LeapListSource source;    /**< where the list came from */
  const char* origin;              /**< the file's path, or the buffer's name,
                                      or "built-in" */
  const Sec1996LeapEntry* entries; /**< in ascending order of date */
  size_t entryCount;               /**< the number of entries */
  int64_t updatedNtp;              /**< the \#$ line, NTP seconds; 0 when the list has none */
  int64_t expiresNtp;              /**< the #@ line, NTP seconds */
  Date1996 expires;                /**< the #@ line as a UTC date, 00:00:00 */
  int hashChecked;                 /**< 1 if the list had a \#h line (and it matched) */
} Sec1996LeapListInfo;

/** Asks the to-count conversions to map a leap second the scale lacks to the
 * count of the 23:59:59 before it, instead of leaving the count alone. */
#define SEC1996_MAP_LEAP_TO_235959 1u

/* ---- Lists ---------------------------------------------------------------- */

/** leapListFromFile1996 - reads a leap-seconds.list file
 *
 *   Sec1996ParseStatus leapListFromFile1996(const char* path,
 *                                           Sec1996LeapList** list,
 *                                           Sec1996LeapListError* error);
 *
 * Parameters:   path - the file; must not be a null pointer.  list - where
 *               the new list goes; must not be a null pointer.  error -
 *               where the reason of a refusal goes; may be a null pointer.
 * Return value: SEC1996_PARSE_OK and *list set to a list the caller frees
 *               with leapListFree1996; else *list is set to a null pointer,
 *               nothing is kept, and the status says why:
 *               SEC1996_PARSE_LIST_NOT_FOUND - the file cannot be read (or
 *                 is larger than 1 MiB);
 *               SEC1996_PARSE_LIST_SYNTAX - a line is neither a comment, a
 *                 #$, #@ or #h line nor "NTP-seconds TAI-UTC [# comment]",
 *                 a date is not a midnight, a special line repeats, or the
 *                 list has no #@ expiry or no data line;
 *               SEC1996_PARSE_LIST_HASH - the #h hash does not match;
 *               SEC1996_PARSE_LIST_ORDER - a date not after the one above;
 *               SEC1996_PARSE_LIST_STEP - a TAI-UTC step other than +1 or -1,
 *                 or a list over 1997-06-30 without the +1 step of the
 *                 scale's own leap second.
 *               error->message names the file and the line, as
 *               "list:12: TAI-UTC steps from 36 to 38".
 * Span:         a list that starts after 1996-01-01 gives no TAI-UTC for
 *               the counts before its first date: the conversions refuse
 *               them with SEC1996_PARSE_OUT_OF_SPAN.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus leapListFromFile1996(const char* path, Sec1996LeapList** list,
                                                    Sec1996LeapListError* error);

/** leapListFromBuffer1996 - reads a leap-second list held in memory
 *
 *   Sec1996ParseStatus leapListFromBuffer1996(const char* data, size_t length,
 *                                             const char* name,
 *                                             Sec1996LeapList** list,
 *                                             Sec1996LeapListError* error);
 *
 * Parameters:   data, length - the text, exactly length bytes (no
 *               terminating zero needed; data may be a null pointer when
 *               length is 0).  name - what the messages and leapListInfo1996
 *               call it; a null pointer means "buffer".  list, error - as
 *               for leapListFromFile1996.
 * Return value: as leapListFromFile1996, except SEC1996_PARSE_LIST_NOT_FOUND.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus leapListFromBuffer1996(const char* data, size_t length,
                                                      const char* name, Sec1996LeapList** list,
                                                      Sec1996LeapListError* error);

/** leapListFree1996 - frees a list
 *
 *   void leapListFree1996(Sec1996LeapList* list);
 *
 * Parameters:   list - a list from leapListFromFile1996 or
 *               leapListFromBuffer1996, or a null pointer (nothing is done).
 *               The default table is never freed: passing it does nothing.
 * Thread safety: safe, once no other thread uses the list. */
SEC1996_API void leapListFree1996(Sec1996LeapList* list);

/** leapListDefault1996 - the default table
 *
 *   const Sec1996LeapList* leapListDefault1996(Sec1996LeapListError* fallback);
 *
 * Parameters:   fallback - where the reason goes when the table is not from
 *               a file (status SEC1996_PARSE_OK when it is); may be a null
 *               pointer.
 * Return value: the default table, never a null pointer: the first call
 *               reads the file SEC1996_LEAP_SECONDS names or, when that
 *               variable is unset or empty, SEC1996_LEAP_SECONDS_FILE; if
 *               that file is missing or refused, the built-in copy, and
 *               *fallback holds why, as "/etc/leap.list: cannot open: No such
 *               file or directory (the built-in list is used)".  Later calls
 *               return the same table: the environment is read once.
 * Thread safety: safe; the first call loads the table exactly once. */
SEC1996_API const Sec1996LeapList* leapListDefault1996(Sec1996LeapListError* fallback);

/** leapListInfo1996 - what a list holds and where it came from
 *
 *   void leapListInfo1996(const Sec1996LeapList* list, Sec1996LeapListInfo* info);
 *
 * Parameters:   list - a list, or a null pointer for the default table.
 *               info - filled in; must not be a null pointer.
 * Thread safety: safe. */
SEC1996_API void leapListInfo1996(const Sec1996LeapList* list, Sec1996LeapListInfo* info);

/**< ---- Counts to true time ---------------------------------------------------
 *
 * Each function below takes a list (a null pointer: the default table) and
 * returns:
 *   SEC1996_PARSE_OK - the result is set;
 *   SEC1996_PARSE_LIST_EXPIRED - the result is set, but the count lies at or
 *     past the list's expiry and the result assumes no further leap second;
 *   SEC1996_PARSE_OUT_OF_SPAN - the count lies before the list's first date
 *     (never with a list that starts by 1996, as every published one does);
 *     the result is left alone.
 * The array forms take in[0..n-1] and write out[0..n-1] (0 where refused)
 * and, unless status is a null pointer, status[0..n-1]; they return the
 * number of elements whose status is not SEC1996_PARSE_OK.  n may be 0, and
 * then every pointer may be null; the arrays must not overlap.  All are
 * safe to call from any number of threads at once. */

/** cvtFromSec1996_tai - a count as TAI seconds since 1958-01-01 00:00:00 TAI
 *
 *   Sec1996ParseStatus cvtFromSec1996_tai(const Sec1996LeapList* list,
 *                                         Sec1996 count, int64_t* tai);
 *
 * Parameters:   count - any count.  tai - where the result goes; may be a
 *               null pointer.
 * Return value: as above; TAI is the count's UTC label plus TAI-UTC in force
 *               at it: count 0 gives 1199145630.
 * Leap second:  the scale's own, 47260800 (1997-06-30 23:59:60), is one
 *               second after 47260799 and before 47260801.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_tai(const Sec1996LeapList* list, Sec1996 count,
                                                  int64_t* tai);

/** cvtFromSec1996_tai_n - cvtFromSec1996_tai over an array
 *
 *   size_t cvtFromSec1996_tai_n(const Sec1996LeapList* list, const Sec1996* in,
 *                               size_t n, int64_t* out,
 *                               Sec1996ParseStatus* status);
 *
 * Return value: see "Counts to true time" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtFromSec1996_tai_n(const Sec1996LeapList* list, const Sec1996* in, size_t n,
                                        int64_t* out, Sec1996ParseStatus* status);

/** cvtFromSec1996_tt - a count as TT milliseconds since 1958-01-01 00:00:00 TT
 *
 *   Sec1996ParseStatus cvtFromSec1996_tt(const Sec1996LeapList* list,
 *                                        Sec1996 count, int64_t* ttMilliseconds);
 *
 * Parameters:   count - any count.  ttMilliseconds - where the result goes;
 *               may be a null pointer.
 * Return value: as above; TAI * 1000 + 32184: count 0 gives 1199145662184.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_tt(const Sec1996LeapList* list, Sec1996 count,
                                                 int64_t* ttMilliseconds);

/** cvtFromSec1996_tt_n - cvtFromSec1996_tt over an array
 *
 *   size_t cvtFromSec1996_tt_n(const Sec1996LeapList* list, const Sec1996* in,
 *                              size_t n, int64_t* out, Sec1996ParseStatus* status);
 *
 * Return value: see "Counts to true time" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtFromSec1996_tt_n(const Sec1996LeapList* list, const Sec1996* in, size_t n,
                                       int64_t* out, Sec1996ParseStatus* status);

/** cvtFromSec1996_gps - a count as GPS seconds since 1980-01-06 00:00:00 UTC
 *
 *   Sec1996ParseStatus cvtFromSec1996_gps(const Sec1996LeapList* list,
 *                                         Sec1996 count, int64_t* gps);
 *
 * Parameters:   count - any count.  gps - where the result goes; may be a
 *               null pointer.
 * Return value: as above; TAI - 19 s from the GPS epoch: count 0 gives
 *               504489611.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_gps(const Sec1996LeapList* list, Sec1996 count,
                                                  int64_t* gps);

/** cvtFromSec1996_gps_n - cvtFromSec1996_gps over an array
 *
 *   size_t cvtFromSec1996_gps_n(const Sec1996LeapList* list, const Sec1996* in,
 *                               size_t n, int64_t* out,
 *                               Sec1996ParseStatus* status);
 *
 * Return value: see "Counts to true time" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtFromSec1996_gps_n(const Sec1996LeapList* list, const Sec1996* in, size_t n,
                                        int64_t* out, Sec1996ParseStatus* status);

/** cvtFromSec1996_gpsWeek - a count as a GPS week and second of the week
 *
 *   Sec1996ParseStatus cvtFromSec1996_gpsWeek(const Sec1996LeapList* list,
 *                                             Sec1996 count, int32_t* week,
 *                                             int32_t* secondOfWeek);
 *
 * Parameters:   count - any count.  week, secondOfWeek - where the results
 *               go; either may be a null pointer.
 * Return value: as above; the GPS seconds split into whole weeks since
 *               1980-01-06 (not reduced modulo 1024) and the second of the
 *               week, [0, 604799], from Sunday 00:00:00 GPS time: count 0
 *               gives week 834, second 86411.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_gpsWeek(const Sec1996LeapList* list, Sec1996 count,
                                                      int32_t* week, int32_t* secondOfWeek);

/** cvtFromSec1996_gpsWeek_n - cvtFromSec1996_gpsWeek over an array
 *
 *   size_t cvtFromSec1996_gpsWeek_n(const Sec1996LeapList* list,
 *                                   const Sec1996* in, size_t n, int32_t* week,
 *                                   int32_t* secondOfWeek,
 *                                   Sec1996ParseStatus* status);
 *
 * Parameters:   week[0..n-1], secondOfWeek[0..n-1] - the results, 0 where
 *               refused.
 * Return value: see "Counts to true time" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtFromSec1996_gpsWeek_n(const Sec1996LeapList* list, const Sec1996* in,
                                            size_t n, int32_t* week, int32_t* secondOfWeek,
                                            Sec1996ParseStatus* status);

/** taiMinusUtc1996 - TAI-UTC in force at a count
 *
 *   Sec1996ParseStatus taiMinusUtc1996(const Sec1996LeapList* list,
 *                                      Sec1996 count, int32_t* seconds);
 *
 * Parameters:   count - any count.  seconds - where the result goes; may be
 *               a null pointer.
 * Return value: as above; 30 at count 0, 37 from 2017-01-01 on.
 * Leap second:  during a leap second TAI-UTC is still the value before it:
 *               30 at 47260800, 31 from 47260801.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus taiMinusUtc1996(const Sec1996LeapList* list, Sec1996 count,
                                               int32_t* seconds);

/** taiMinusUtc1996_n - taiMinusUtc1996 over an array
 *
 *   size_t taiMinusUtc1996_n(const Sec1996LeapList* list, const Sec1996* in,
 *                            size_t n, int32_t* out, Sec1996ParseStatus* status);
 *
 * Return value: see "Counts to true time" above.
 * Thread safety: safe. */
SEC1996_API size_t taiMinusUtc1996_n(const Sec1996LeapList* list, const Sec1996* in, size_t n,
                                     int32_t* out, Sec1996ParseStatus* status);

/** siSecondsBetween1996 - the SI seconds from one count to another
 *
 *   Sec1996ParseStatus siSecondsBetween1996(const Sec1996LeapList* list,
 *                                           Sec1996 from, Sec1996 to,
 *                                           int64_t* seconds);
 *
 * Parameters:   from, to - any counts.  seconds - where the result goes;
 *               may be a null pointer.
 * Return value: TAI(to) - TAI(from), negative when to is before from: 0 to
 *               4294967295 gives 4294967301 with the leap seconds known in
 *               2026.  The status is the worse of the two counts':
 *               SEC1996_PARSE_OUT_OF_SPAN if either is refused, else
 *               SEC1996_PARSE_LIST_EXPIRED if either lies past the expiry.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus siSecondsBetween1996(const Sec1996LeapList* list, Sec1996 from,
                                                    Sec1996 to, int64_t* seconds);

/** siSecondsBetween1996_n - siSecondsBetween1996 over two arrays
 *
 *   size_t siSecondsBetween1996_n(const Sec1996LeapList* list,
 *                                 const Sec1996* from, const Sec1996* to,
 *                                 size_t n, int64_t* out,
 *                                 Sec1996ParseStatus* status);
 *
 * Parameters:   from[0..n-1], to[0..n-1] - the pairs.
 * Return value: see "Counts to true time" above.
 * Thread safety: safe. */
SEC1996_API size_t siSecondsBetween1996_n(const Sec1996LeapList* list, const Sec1996* from,
                                          const Sec1996* to, size_t n, int64_t* out,
                                          Sec1996ParseStatus* status);

/**< ---- True time to counts ---------------------------------------------------
 *
 * Each function below takes a list (a null pointer: the default table),
 * flags (0 or SEC1996_MAP_LEAP_TO_235959) and returns:
 *   SEC1996_PARSE_OK - *count is set;
 *   SEC1996_PARSE_LIST_EXPIRED - *count is set, at or past the list's
 *     expiry, assuming no further leap second;
 *   SEC1996_PARSE_LEAP_NOT_ON_SCALE - the instant is a leap second the scale
 *     does not count (2016-12-31 23:59:60, TAI 1861920036): *count is left
 *     alone, or with SEC1996_MAP_LEAP_TO_235959 set to the count of the
 *     23:59:59 before it (662774400);
 *   SEC1996_PARSE_OUT_OF_SPAN - the instant lies before count 0 or after
 *     count 4294967295 (or before the list's first date); *count is left
 *     alone;
 * and the statuses the function names.  count may be a null pointer.  The
 * array forms write out[i] 0 where refused (the mapped count where a leap
 * second is mapped), and return the number of elements whose status is not
 * SEC1996_PARSE_OK. */

/** cvtToSec1996_tai - TAI seconds since 1958-01-01 00:00:00 TAI as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_tai(const Sec1996LeapList* list, int64_t tai,
 *                                       unsigned flags, Sec1996* count);
 *
 * Return value: see "True time to counts" above; 1199145630 gives 0.
 * Leap second:  the scale's own leap second has a count (1246406430 gives
 *               47260800); the others are refused, or mapped (see above).
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_tai(const Sec1996LeapList* list, int64_t tai,
                                                unsigned flags, Sec1996* count);

/** cvtToSec1996_tai_n - cvtToSec1996_tai over an array
 *
 *   size_t cvtToSec1996_tai_n(const Sec1996LeapList* list, const int64_t* in,
 *                             size_t n, unsigned flags, Sec1996* out,
 *                             Sec1996ParseStatus* status);
 *
 * Return value: see "True time to counts" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtToSec1996_tai_n(const Sec1996LeapList* list, const int64_t* in, size_t n,
                                      unsigned flags, Sec1996* out, Sec1996ParseStatus* status);

/** cvtToSec1996_tt - TT milliseconds since 1958-01-01 00:00:00 TT as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_tt(const Sec1996LeapList* list,
 *                                      int64_t ttMilliseconds, unsigned flags,
 *                                      Sec1996* count);
 *
 * Return value: see "True time to counts" above; 1199145662184 gives 0;
 *               also SEC1996_PARSE_FRACTION - not a whole TAI second (the
 *               value does not end in 184 milliseconds), checked first.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_tt(const Sec1996LeapList* list, int64_t ttMilliseconds,
                                               unsigned flags, Sec1996* count);

/** cvtToSec1996_tt_n - cvtToSec1996_tt over an array
 *
 *   size_t cvtToSec1996_tt_n(const Sec1996LeapList* list, const int64_t* in,
 *                            size_t n, unsigned flags, Sec1996* out,
 *                            Sec1996ParseStatus* status);
 *
 * Return value: see "True time to counts" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtToSec1996_tt_n(const Sec1996LeapList* list, const int64_t* in, size_t n,
                                     unsigned flags, Sec1996* out, Sec1996ParseStatus* status);

/** cvtToSec1996_gps - GPS seconds since 1980-01-06 00:00:00 UTC as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_gps(const Sec1996LeapList* list, int64_t gps,
 *                                       unsigned flags, Sec1996* count);
 *
 * Return value: see "True time to counts" above; 504489611 gives 0.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_gps(const Sec1996LeapList* list, int64_t gps,
                                                unsigned flags, Sec1996* count);

/** cvtToSec1996_gps_n - cvtToSec1996_gps over an array
 *
 *   size_t cvtToSec1996_gps_n(const Sec1996LeapList* list, const int64_t* in,
 *                             size_t n, unsigned flags, Sec1996* out,
 *                             Sec1996ParseStatus* status);
 *
 * Return value: see "True time to counts" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtToSec1996_gps_n(const Sec1996LeapList* list, const int64_t* in, size_t n,
                                      unsigned flags, Sec1996* out, Sec1996ParseStatus* status);

/** cvtToSec1996_gpsWeek - a GPS week and second of the week as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_gpsWeek(const Sec1996LeapList* list,
 *                                           int32_t week, int32_t secondOfWeek,
 *                                           unsigned flags, Sec1996* count);
 *
 * Parameters:   week - whole weeks since 1980-01-06, not reduced modulo 1024.
 *               secondOfWeek - [0, 604799].
 * Return value: see "True time to counts" above; 834, 86411 gives 0; also
 *               SEC1996_PARSE_FIELD_RANGE - secondOfWeek outside [0, 604799],
 *               checked first.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_gpsWeek(const Sec1996LeapList* list, int32_t week,
                                                    int32_t secondOfWeek, unsigned flags,
                                                    Sec1996* count);

/** cvtToSec1996_gpsWeek_n - cvtToSec1996_gpsWeek over two arrays
 *
 *   size_t cvtToSec1996_gpsWeek_n(const Sec1996LeapList* list,
 *                                 const int32_t* week,
 *                                 const int32_t* secondOfWeek, size_t n,
 *                                 unsigned flags, Sec1996* out,
 *                                 Sec1996ParseStatus* status);
 *
 * Return value: see "True time to counts" above.
 * Thread safety: safe. */
SEC1996_API size_t cvtToSec1996_gpsWeek_n(const Sec1996LeapList* list, const int32_t* week,
                                          const int32_t* secondOfWeek, size_t n, unsigned flags,
                                          Sec1996* out, Sec1996ParseStatus* status);

#ifdef __cplusplus
}
#endif

#endif /* SEC1996_SEC1996_SCALES_H */
