// cvtFromSec1996_posix: a count as POSIX seconds, the leap second folded
// onto the 23:59:59 before it.
#include "scale.h"
#include "timescale/sec1996.h"

int64_t cvtFromSec1996_posix(Sec1996 count) {
  return sec1996::detail::posixFromCount(count, sec1996::detail::kLeapSeconds);
}
