// cvtToSec1996_posix_n: cvtToSec1996_posix over an array.
#include "scale.h"
#include "timescale/sec1996.h"

void cvtToSec1996_posix_n(const int64_t* in, size_t n, Sec1996* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) out[i] = countFromPosix(in[i], kLeapSeconds);
}
