// cvtToSec1996: a UTC calendar record as a count.
//   Given:   a record with fields in any range.
//   Returns: the count of 00:00:00 on the normalised date, plus the time of
//            day in seconds as it stands, all modulo 2^32.
//   Notes:   because the time of day is added to the day's midnight count,
//            23:59:60 and 24:00:00 on a leap day reach the leap second.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996(Date1996 date) {
  using namespace sec1996::detail;
  return countFromRecord(date.year, date.mon, date.day, date.hour, date.min, date.sec,
                         kLeapSeconds);
}
