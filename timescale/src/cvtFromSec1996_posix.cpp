// cvtFromSec1996_posix (what it returns: sec1996.h).
// The count less the leap seconds at or before it, moved to 1970: the leap
// second itself is among them, so it folds onto the 23:59:59 before it.
#include "scale.h"
#include "timescale/sec1996.h"

int64_t cvtFromSec1996_posix(Sec1996 count) {
  return sec1996::detail::posixFromCount(count, sec1996::detail::kLeapSeconds);
}
