// cvtToSec1996 (what it returns: sec1996.h).
// The count of the normalised date's midnight, plus the time of day as it
// stands.  Adding the time of day to the midnight count, rather than
// normalising the time first, is what lets 23:59:60 and 24:00:00 on a leap
// day reach the leap second.  The midnight is exact in 64 bits and wrapped
// once; the time of day is added in unsigned 32-bit arithmetic.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996(Date1996 date) {
  using namespace sec1996::detail;
  return countFromRecord(date.year, date.mon, date.day, date.hour, date.min, date.sec,
                         kLeapSeconds);
}
