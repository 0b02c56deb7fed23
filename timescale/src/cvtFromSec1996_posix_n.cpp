// cvtFromSec1996_posix_n (what it returns: sec1996.h).
// The core's form is branch-free (a comparison per table entry), so the
// loop vectorises.
#include "scale.h"
#include "timescale/sec1996.h"

void cvtFromSec1996_posix_n(const Sec1996* in, size_t n, int64_t* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) out[i] = posixFromCount(in[i], kLeapSeconds);
}
