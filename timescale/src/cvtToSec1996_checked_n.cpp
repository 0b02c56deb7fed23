// cvtToSec1996_checked_n (what it returns: sec1996.h).
// The checked door in a loop, writing 0 for a refused element so that the
// output holds no stale values, and counting the refusals.
#include "checked.h"
#include "timescale/sec1996.h"

size_t cvtToSec1996_checked_n(const Date1996* in, size_t n, Sec1996* out,
                              Sec1996ParseStatus* status) {
  using namespace sec1996::detail;
  size_t refusals = 0;
  for (size_t i = 0; i < n; ++i) {
    const Date1996& d = in[i];
    const Checked checked =
        checkedCountFromRecord(d.year, d.mon, d.day, d.hour, d.min, d.sec, kLeapSeconds);
    out[i] = checked.count;
    refusals += checked.status != SEC1996_PARSE_OK;
    if (status != nullptr) status[i] = checked.status;
  }
  return refusals;
}
