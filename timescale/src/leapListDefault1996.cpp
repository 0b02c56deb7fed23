// leapListDefault1996 (what it returns: sec1996_scales.h).
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

const Sec1996LeapList* leapListDefault1996(Sec1996LeapListError* fallback) {
  const Sec1996LeapList& table = sec1996::detail::defaultLeapList();
  if (fallback != nullptr) *fallback = sec1996::detail::defaultFallback;
  return &table;
}
