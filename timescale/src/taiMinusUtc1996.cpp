// taiMinusUtc1996 (what it returns: sec1996_scales.h).
// TAI less the count's UTC label in seconds from 1958.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus taiMinusUtc1996(const Sec1996LeapList* list, Sec1996 count, int32_t* result) {
  using namespace sec1996::detail;
  const TaiResult r = taiOfCount(listOrDefault(list), count);
  if (hasValue(r.status) && result != nullptr)
    *result = static_cast<int32_t>(
        r.tai - (std::int64_t{count} - scaleLeapsBefore(count) + kNominalFrom1958));
  return r.status;
}
