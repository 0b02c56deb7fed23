// cvtFromSec1996_gps (what it returns: sec1996_scales.h).
// TAI less the TAI of the GPS epoch.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtFromSec1996_gps(const Sec1996LeapList* list, Sec1996 count, int64_t* result) {
  using namespace sec1996::detail;
  const TaiResult r = taiOfCount(listOrDefault(list), count);
  if (hasValue(r.status) && result != nullptr) *result = r.tai - kTaiOfGpsEpoch;
  return r.status;
}
