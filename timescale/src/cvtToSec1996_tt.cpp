// cvtToSec1996_tt (what it returns: sec1996_scales.h).
// Whole TAI seconds only: TT - 32.184 s must be a multiple of 1000 ms.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtToSec1996_tt(const Sec1996LeapList* list, int64_t ttMilliseconds,
                                   unsigned flags, Sec1996* count) {
  using namespace sec1996::detail;
  const TaiOrRefusal tai = taiFromTt(ttMilliseconds);
  if (tai.status != SEC1996_PARSE_OK) return tai.status;
  return storeCount(countOfTai(listOrDefault(list), tai.tai, flags), flags, count);
}
