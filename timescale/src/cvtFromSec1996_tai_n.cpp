// cvtFromSec1996_tai_n (what it returns: sec1996_scales.h).
// cvtFromSec1996_tai in the block loops of leap_list.h.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const Sec1996* in,
                                             size_t n, int64_t* out, Sec1996ParseStatus* status) {
  return writeFromTai(*list, in, n, out, status,
                      [](size_t, std::int64_t tai) { return static_cast<int64_t>(tai); });
}

}  // namespace

size_t cvtFromSec1996_tai_n(const Sec1996LeapList* list, const Sec1996* in, size_t n, int64_t* out,
                            Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), in, n, out, status);
}
