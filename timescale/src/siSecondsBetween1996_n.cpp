// siSecondsBetween1996_n (what it returns: sec1996_scales.h).
// Both arrays' TAI in the block loops of leap_list.h, block by block.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const Sec1996* from,
                                             const Sec1996* to, size_t n, int64_t* out,
                                             Sec1996ParseStatus* status) {
  std::int64_t fromTai[kListBlock];
  Sec1996ParseStatus fromStatus[kListBlock];
  size_t flagged = 0;
  for (size_t start = 0; start < n; start += kListBlock) {
    const size_t m = n - start < kListBlock ? n - start : kListBlock;
    forEachTai(*list, from + start, m, [&](size_t i, std::int64_t tai, Sec1996ParseStatus s) {
      fromTai[i] = tai;
      fromStatus[i] = s;
    });
    forEachTai(*list, to + start, m, [&](size_t i, std::int64_t tai, Sec1996ParseStatus s) {
      const Sec1996ParseStatus both = worse(fromStatus[i], s);
      out[start + i] = hasValue(both) ? tai - fromTai[i] : 0;
      if (status != nullptr) status[start + i] = both;
      flagged += both != SEC1996_PARSE_OK ? 1 : 0;
    });
  }
  return flagged;
}

}  // namespace

size_t siSecondsBetween1996_n(const Sec1996LeapList* list, const Sec1996* from, const Sec1996* to,
                              size_t n, int64_t* out, Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return runArray<convert>(&listOrDefault(list), from, to, n, out, status);
}
