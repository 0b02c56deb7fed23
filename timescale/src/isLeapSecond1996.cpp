// isLeapSecond1996: whether a count is a leap second of the table.
#include "scale.h"
#include "timescale/sec1996.h"

int isLeapSecond1996(Sec1996 count) {
  return sec1996::detail::isLeapCount(count, sec1996::detail::kLeapSeconds) ? 1 : 0;
}
