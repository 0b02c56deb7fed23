// cvtToSec1996_posix: POSIX seconds as a count, modulo 2^32.  A POSIX value
// names no leap second, so the result never is one.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996_posix(int64_t seconds) {
  return sec1996::detail::countFromPosix(seconds, sec1996::detail::kLeapSeconds);
}
