// cvtFromSec1996_tai_n (what it returns: sec1996_scales.h).
// cvtFromSec1996_tai in the block loops of leap_list.h.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const Sec1996* in,
                                             size_t n, int64_t* out, Sec1996ParseStatus* status) {
  size_t flagged = 0;
  forEachTai(*list, in, n, [&](size_t i, std::int64_t tai, Sec1996ParseStatus s) {
    out[i] = hasValue(s) ? static_cast<int64_t>(tai) : 0;
    if (status != nullptr) status[i] = s;
    flagged += s != SEC1996_PARSE_OK ? 1 : 0;
  });
  return flagged;
}

}  // namespace

size_t cvtFromSec1996_tai_n(const Sec1996LeapList* list, const Sec1996* in, size_t n, int64_t* out,
                            Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return runArray<convert>(&listOrDefault(list), in, n, out, status);
}
