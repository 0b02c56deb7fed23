// cvtToSec1996_posix_n (what it returns: sec1996.h).
// The core's conversion in a loop; its branch (near the scale or far) is
// taken the same way for every realistic value.
#include "scale.h"
#include "timescale/sec1996.h"

void cvtToSec1996_posix_n(const int64_t* in, size_t n, Sec1996* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) out[i] = countFromPosix(in[i], kLeapSeconds);
}
