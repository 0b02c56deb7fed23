/* A C program using the installed library: converts the known counts of
 * cases.h every way the library offers and back, and exits 1 if any result
 * differs from the table. */
#include <stdio.h>
#include <string.h>

#include <sec1996.h>

#include "../cases.h"

/* Day-of-year values are sums of doubles; a thousandth of a second apart is
 * the same reading, a whole second (1.2e-5 days) is not. */
#define DAY_TOLERANCE 1e-8

static int failures = 0;

static void check(int ok, const char* what, Sec1996 count) {
  if (!ok) {
    fprintf(stderr, "FAIL %s for count %lu\n", what, (unsigned long)count);
    ++failures;
  }
}

static int sameRecord(Date1996 a, Date1996 b) {
  return a.year == b.year && a.mon == b.mon && a.day == b.day && a.hour == b.hour &&
         a.min == b.min && a.sec == b.sec;
}

int main(void) {
  const size_t n = sizeof kConsumerCases / sizeof kConsumerCases[0];
  for (size_t i = 0; i < n; ++i) {
    const ConsumerCase* c = &kConsumerCases[i];
    const int leap = c->count == CONSUMER_LEAP_COUNT;

    /* Reading: the leap second reads as the second before it. */
    check(sameRecord(cvtFromSec1996(c->count), c->record), "cvtFromSec1996", c->count);
    check(strcmp(stringDate1996(c->count), c->text) == 0, "stringDate1996", c->count);
    const YearDay1996 yd = cvtFromSec1996_yd(c->count);
    check(yd.year == c->year && yd.dayOfYear - c->dayOfYear < DAY_TOLERANCE &&
              c->dayOfYear - yd.dayOfYear < DAY_TOLERANCE,
          "cvtFromSec1996_yd", c->count);
    const struct tm* tm = getDateFromSecondsSince1996(c->count);
    check(tm == &time_str, "getDateFromSecondsSince1996 returns &time_str", c->count);
    check(tm->tm_year + 1900 == c->record.year && tm->tm_mon + 1 == c->record.mon &&
              tm->tm_mday == c->record.day && tm->tm_hour == c->record.hour &&
              tm->tm_min == c->record.min && tm->tm_sec == c->record.sec &&
              tm->tm_wday == c->weekday,
          "getDateFromSecondsSince1996", c->count);

    /* And back: a record or text of 23:59:59 names the second before the
     * leap second, and 182.0 the second after it. */
    const Sec1996 recordCount = leap ? c->count - 1 : c->count;
    const Sec1996 dayCount = leap ? c->count + 1 : c->count;
    check(cvtToSec1996(c->record) == recordCount, "cvtToSec1996", c->count);
    check(getSecondsSince1996FromDate(tm) == recordCount, "getSecondsSince1996FromDate", c->count);
    check(cvtToSec1996_yd(c->dayOfYear, c->year) == dayCount, "cvtToSec1996_yd", c->count);
    {
      /* The modern layer: lossless ISO text, read back strictly. */
      char iso[SEC1996_ISO_SIZE];
      Sec1996 parsed = 0;
      check(strcmp(stringDate1996_iso(c->count, iso), c->iso) == 0, "stringDate1996_iso", c->count);
      check(parseDate1996_iso(iso, strlen(iso), &parsed, NULL) == SEC1996_PARSE_OK &&
                parsed == c->count,
            "parseDate1996_iso", c->count);
      check(isLeapSecond1996(c->count) == (c->count == CONSUMER_LEAP_COUNT), "isLeapSecond1996",
            c->count);
    }
  }

  /* The leap second itself is named as 23:59:60, and the day before the
   * epoch wraps to the end of the scale. */
  const Date1996 leapSecond = {1997, 6, 30, 23, 59, 60};
  check(cvtToSec1996(leapSecond) == CONSUMER_LEAP_COUNT, "cvtToSec1996 at 23:59:60",
        CONSUMER_LEAP_COUNT);
  const Date1996 beforeEpoch = {1995, 12, 31, 23, 59, 59};
  check(cvtToSec1996(beforeEpoch) == 4294967295u, "cvtToSec1996 before the epoch", 4294967295u);

  if (failures != 0) return 1;
  printf("C consumer: %lu cases passed\n", (unsigned long)n);
  return 0;
}
