// cvtFromSec1996_tt (what it returns: sec1996_scales.h).
// TAI in milliseconds plus the 32.184 s of TT.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtFromSec1996_tt(const Sec1996LeapList* list, Sec1996 count, int64_t* result) {
  using namespace sec1996::detail;
  const TaiResult r = taiOfCount(listOrDefault(list), count);
  if (hasValue(r.status) && result != nullptr) *result = r.tai * 1000 + kTtMinusTaiMs;
  return r.status;
}
