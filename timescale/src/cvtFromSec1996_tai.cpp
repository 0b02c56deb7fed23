// cvtFromSec1996_tai (what it returns: sec1996_scales.h).
// The count's TAI as the table gives it.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtFromSec1996_tai(const Sec1996LeapList* list, Sec1996 count, int64_t* result) {
  using namespace sec1996::detail;
  const TaiResult r = taiOfCount(listOrDefault(list), count);
  if (hasValue(r.status) && result != nullptr) *result = r.tai;
  return r.status;
}
