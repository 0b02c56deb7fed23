// taiMinusUtc1996_n (what it returns: sec1996_scales.h).
// taiMinusUtc1996 in the block loops of leap_list.h.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const Sec1996* in,
                                             size_t n, int32_t* out, Sec1996ParseStatus* status) {
  return writeFromTai(*list, in, n, out, status, [&](size_t i, std::int64_t tai) {
    return static_cast<int32_t>(tai -
                                (std::int64_t{in[i]} - scaleLeapsBefore(in[i]) + kNominalFrom1958));
  });
}

}  // namespace

size_t taiMinusUtc1996_n(const Sec1996LeapList* list, const Sec1996* in, size_t n, int32_t* out,
                         Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), in, n, out, status);
}
