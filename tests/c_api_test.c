/* The public header used from C: it compiles as C11 with every warning on,
 * and the library links and converts through it. */
#include <stdio.h>
#include <string.h>

#include "timescale/sec1996.h"
#include "timescale/sec1996_ccsds.h"

static int failures = 0;

static void check(int ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "failed: %s\n", what);
    ++failures;
  }
}

int main(void) {
  const Date1996 leap = {1997, 6, 30, 23, 59, 60};
  const Date1996 read = cvtFromSec1996(47260800);
  const YearDay1996 yd = cvtFromSec1996_yd(47260800);
  struct tm record = {0};
  record.tm_year = 99;
  record.tm_mday = 1;
  check(cvtToSec1996(leap) == 47260800u, "cvtToSec1996 of 23:59:60");
  check(read.year == 1997 && read.mon == 6 && read.day == 30 && read.hour == 23 && read.min == 59 &&
            read.sec == 59,
        "cvtFromSec1996 of the leap second");
  check(yd.year == 1997 && yd.dayOfYear == 182.0, "cvtFromSec1996_yd of the leap second");
  check(cvtToSec1996_yd(182.0, 1997) == 47260801u, "cvtToSec1996_yd(182.0, 1997)");
  check(strcmp(stringDate1996(0), "01-Jan-1996 00:00:00") == 0, "stringDate1996(0)");
  check(getDateFromSecondsSince1996(47260801) == &time_str && time_str.tm_mon == 6,
        "getDateFromSecondsSince1996");
  check(getSecondsSince1996FromDate(&record) == 94694401u, "getSecondsSince1996FromDate");
  {
    const Sec1996CucLayout cuc = {1, 4, 2};
    uint8_t code[SEC1996_CCSDS_MAX_SIZE];
    size_t length = 0;
    Sec1996 count = 0;
    check(cvtFromSec1996_cuc(47260800, 0, &cuc, code, sizeof code, &length) == SEC1996_PARSE_OK &&
              length == 7 && memcmp(code, "\x2E\x02\xD1\x24\x80\x00\x00", 7) == 0,
          "cvtFromSec1996_cuc of the leap second");
    check(cvtToSec1996_cuc(code, length, &cuc, &count, NULL, NULL) == SEC1996_PARSE_OK &&
              count == 47260800u,
          "cvtToSec1996_cuc of the leap second");
  }
  printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
