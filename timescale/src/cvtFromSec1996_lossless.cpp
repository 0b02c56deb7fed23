// cvtFromSec1996_lossless (what it returns: sec1996.h).
// The core's fields of the count, with the second of a leap second raised
// from 59 to 60.  cvtToSec1996 adds the time of day to the day's midnight,
// so second 60 of 23:59 on the leap day counts back to the leap second.
#include "record.h"
#include "timescale/sec1996.h"

Date1996 cvtFromSec1996_lossless(Sec1996 count) {
  using namespace sec1996::detail;
  return recordOf(losslessFieldsFromCount(count, kLeapSeconds));
}
