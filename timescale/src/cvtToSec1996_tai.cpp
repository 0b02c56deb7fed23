// cvtToSec1996_tai (what it returns: sec1996_scales.h).
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

Sec1996ParseStatus cvtToSec1996_tai(const Sec1996LeapList* list, int64_t tai, unsigned flags,
                                    Sec1996* count) {
  using namespace sec1996::detail;
  return storeCount(countOfTai(listOrDefault(list), tai, flags), flags, count);
}
