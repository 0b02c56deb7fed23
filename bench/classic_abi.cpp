// The public functions on the classic mktime()/gmtime() baseline, so that the
// unchanged driver source links against it as CvtTest_classic: the process
// that the library's own CvtTest is measured against.  Built only in the
// benchmark tree.
#include "classic.h"
#include "timescale/sec1996.h"

struct tm time_str;

struct tm* getDateFromSecondsSince1996(Sec1996 count) {
  return classic::getDateFromSecondsSince1996(count);
}

Sec1996 getSecondsSince1996FromDate(const struct tm* date) {
  time_str = *date;  // the classic function uses its record as scratch
  return classic::getSecondsSince1996FromDate(&time_str);
}

Date1996 cvtFromSec1996(Sec1996 count) { return classic::cvtFromSec1996(count); }

Sec1996 cvtToSec1996(Date1996 date) { return classic::cvtToSec1996(date); }

YearDay1996 cvtFromSec1996_yd(Sec1996 count) { return classic::cvtFromSec1996_yd(count); }

Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year) {
  return classic::cvtToSec1996_yd(dayOfYear, year);
}

char* stringDate1996(Sec1996 count) { return classic::stringDate1996(count); }
