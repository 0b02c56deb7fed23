// siSecondsBetween1996 (what it returns: sec1996_scales.h).
// The difference of the two TAI values.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus siSecondsBetween1996(const Sec1996LeapList* list, Sec1996 from, Sec1996 to,
                                        int64_t* seconds) {
  using namespace sec1996::detail;
  const Sec1996LeapList& l = listOrDefault(list);
  const TaiResult a = taiOfCount(l, from);
  const TaiResult b = taiOfCount(l, to);
  const Sec1996ParseStatus status = worse(a.status, b.status);
  if (hasValue(status) && seconds != nullptr) *seconds = b.tai - a.tai;
  return status;
}
