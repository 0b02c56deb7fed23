// cvtFromSec1996_gpsWeek (what it returns: sec1996_scales.h).
// GPS seconds split into weeks; every count lies after the GPS epoch.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtFromSec1996_gpsWeek(const Sec1996LeapList* list, Sec1996 count, int32_t* week,
                                          int32_t* secondOfWeek) {
  using namespace sec1996::detail;
  const TaiResult r = taiOfCount(listOrDefault(list), count);
  if (hasValue(r.status)) {
    const std::int64_t gps = r.tai - kTaiOfGpsEpoch;  // positive: [5e8, 5e9]
    if (week != nullptr) *week = static_cast<int32_t>(gps / kSecondsPerWeek);
    if (secondOfWeek != nullptr) *secondOfWeek = static_cast<int32_t>(gps % kSecondsPerWeek);
  }
  return r.status;
}
