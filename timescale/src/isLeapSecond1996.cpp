// isLeapSecond1996 (what it returns: sec1996.h).
// A table entry is the count of the midnight after its leap second, so the
// leap second is the entry less one: a comparison per entry.
#include "scale.h"
#include "timescale/sec1996.h"

int isLeapSecond1996(Sec1996 count) {
  return sec1996::detail::isLeapCount(count, sec1996::detail::kLeapSeconds) ? 1 : 0;
}
