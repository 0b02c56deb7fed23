// cvtFromSec1996_lossless_n: cvtFromSec1996_lossless over an array, on the
// same inline core, so that the loop pays no call per value.
#include "record.h"
#include "timescale/sec1996.h"

void cvtFromSec1996_lossless_n(const Sec1996* in, size_t n, Date1996* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) out[i] = recordOf(losslessFieldsFromCount(in[i], kLeapSeconds));
}
