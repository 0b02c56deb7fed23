// cvtToSec1996_gpsWeek (what it returns: sec1996_scales.h).
// Weeks times 604800 stay far inside 64 bits for any 32-bit week.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtToSec1996_gpsWeek(const Sec1996LeapList* list, int32_t week,
                                        int32_t secondOfWeek, unsigned flags, Sec1996* count) {
  using namespace sec1996::detail;
  if (secondOfWeek < 0 || secondOfWeek >= kSecondsPerWeek) return SEC1996_PARSE_FIELD_RANGE;
  const std::int64_t gps = std::int64_t{week} * kSecondsPerWeek + secondOfWeek;
  return storeCount(countOfTai(listOrDefault(list), taiFromGps(gps), flags), flags, count);
}
