// cvtToSec1996_n: cvtToSec1996 over an array, on the same inline core.
#include "scale.h"
#include "timescale/sec1996.h"

void cvtToSec1996_n(const Date1996* in, size_t n, Sec1996* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) {
    const Date1996& d = in[i];
    out[i] = countFromRecord(d.year, d.mon, d.day, d.hour, d.min, d.sec, kLeapSeconds);
  }
}
