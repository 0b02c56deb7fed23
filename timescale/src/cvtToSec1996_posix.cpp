// cvtToSec1996_posix (what it returns: sec1996.h).
// The nominal count with the leap seconds before it added back; far from
// the scale the arithmetic wraps in unsigned 64 bits, so no int64 value
// overflows.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996_posix(int64_t seconds) {
  return sec1996::detail::countFromPosix(seconds, sec1996::detail::kLeapSeconds);
}
