/* Known conversions both consumer programs check against the installed
 * library: the epoch, both sides of the leap second, and the last count.
 * Plain C, so the C and the C++ consumer share one table. */
#ifndef SEC1996_CONSUMER_CASES_H
#define SEC1996_CONSUMER_CASES_H

#include <sec1996.h>

typedef struct ConsumerCase {
  Sec1996 count;
  Date1996 record; /* what count reads as */
  const char* text;
  const char* iso; /* lossless: the leap second is 23:59:60 */
  double dayOfYear;
  int32_t year;
  int weekday; /* tm_wday, 0 = Sunday */
} ConsumerCase;

/* The leap second 1997-06-30 23:59:60 reads as the second before it. */
#define CONSUMER_LEAP_COUNT 47260800u

static const ConsumerCase kConsumerCases[] = {
    {0u, {1996, 1, 1, 0, 0, 0}, "01-Jan-1996 00:00:00", "1996-01-01T00:00:00Z", 1.0, 1996, 1},
    {47260799u,
     {1997, 6, 30, 23, 59, 59},
     "30-Jun-1997 23:59:59",
     "1997-06-30T23:59:59Z",
     181.0 + 86399.0 / 86400.0,
     1997,
     1},
    {CONSUMER_LEAP_COUNT,
     {1997, 6, 30, 23, 59, 59},
     "30-Jun-1997 23:59:59",
     "1997-06-30T23:59:60Z",
     182.0,
     1997,
     1},
    {47260801u,
     {1997, 7, 1, 0, 0, 0},
     "01-Jul-1997 00:00:00",
     "1997-07-01T00:00:00Z",
     182.0,
     1997,
     2},
    {4294967295u,
     {2132, 2, 7, 6, 28, 14},
     "07-Feb-2132 06:28:14",
     "2132-02-07T06:28:14Z",
     38.0 + 23294.0 / 86400.0,
     2132,
     4},
};

#endif /* SEC1996_CONSUMER_CASES_H */
