// cvtToSec1996_yd (what it returns: sec1996.h).
// The core's exact count of the day and its fraction, wrapped once.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year) {
  using namespace sec1996::detail;
  return wrapCount(exactCountFromYearDay(dayOfYear, year, kLeapSeconds));
}
