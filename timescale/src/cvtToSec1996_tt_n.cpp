// cvtToSec1996_tt_n (what it returns: sec1996_scales.h).
// cvtToSec1996_tt in the block loops of leap_list.h, TT turned into TAI first.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const int64_t* in,
                                             size_t n, unsigned flags, Sec1996* out,
                                             Sec1996ParseStatus* status) {
  return writeCounts(*list, n, flags, out, status,
                     [&](size_t i) { return taiFromTtInSelects(in[i]); });
}

}  // namespace

size_t cvtToSec1996_tt_n(const Sec1996LeapList* list, const int64_t* in, size_t n, unsigned flags,
                         Sec1996* out, Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), in, n, flags, out, status);
}
