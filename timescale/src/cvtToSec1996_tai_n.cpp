// cvtToSec1996_tai_n (what it returns: sec1996_scales.h).
// cvtToSec1996_tai in the block loops of leap_list.h.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const int64_t* in,
                                             size_t n, unsigned flags, Sec1996* out,
                                             Sec1996ParseStatus* status) {
  size_t flagged = 0;
  forEachCount(*list, in, n, flags, [&](size_t i, std::uint32_t count, Sec1996ParseStatus s) {
    out[i] = count;
    if (status != nullptr) status[i] = s;
    flagged += s != SEC1996_PARSE_OK ? 1 : 0;
  });
  return flagged;
}

}  // namespace

size_t cvtToSec1996_tai_n(const Sec1996LeapList* list, const int64_t* in, size_t n, unsigned flags,
                          Sec1996* out, Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), in, n, flags, out, status);
}
