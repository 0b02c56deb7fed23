// cvtToSec1996 (what it returns: sec1996.h).
// The core's exact count of the record (the normalised date's midnight plus
// the time of day as it stands, which is what lets 23:59:60 and 24:00:00 on
// a leap day reach the leap second), wrapped once to 32 bits.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996(Date1996 date) {
  using namespace sec1996::detail;
  return countFromRecord(date.year, date.mon, date.day, date.hour, date.min, date.sec,
                         kLeapSeconds);
}
