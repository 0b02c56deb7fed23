// siSecondsBetween1996_n (what it returns: sec1996_scales.h).
// TAI(to) - TAI(from) is to - from plus the steps that lie between them, so
// both arrays go through one pass over the boundaries, block by block.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const Sec1996* from,
                                             const Sec1996* to, size_t n, int64_t* out,
                                             Sec1996ParseStatus* status) {
  std::int32_t steps[kListBlock];
  Sec1996ParseStatus fromStatus[kListBlock];
  Sec1996ParseStatus toStatus[kListBlock];
  size_t flagged = 0;
  for (size_t start = 0; start < n; start += kListBlock) {
    const size_t m = n - start < kListBlock ? n - start : kListBlock;
    const Sec1996* a = from + start;
    const Sec1996* b = to + start;
    for (size_t i = 0; i < m; ++i) steps[i] = 0;
    const size_t boundaries = list->boundaryCount;
    for (size_t j = 0; j < boundaries; ++j) {
      const std::uint32_t bound = list->boundary[j];
      const std::int32_t s = list->step[j];
      for (size_t i = 0; i < m; ++i) {
        steps[i] += (b[i] >= bound ? s : 0) - (a[i] >= bound ? s : 0);
      }
    }
    blockStatuses(*list, a, m, fromStatus);
    blockStatuses(*list, b, m, toStatus);
    for (size_t i = 0; i < m; ++i) {
      const Sec1996ParseStatus both = worse(fromStatus[i], toStatus[i]);
      out[start + i] = hasValue(both) ? std::int64_t{b[i]} - std::int64_t{a[i]} + steps[i] : 0;
      if (status != nullptr) status[start + i] = both;
      flagged += both != SEC1996_PARSE_OK ? 1 : 0;
    }
  }
  return flagged;
}

}  // namespace

size_t siSecondsBetween1996_n(const Sec1996LeapList* list, const Sec1996* from, const Sec1996* to,
                              size_t n, int64_t* out, Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return convertArray<convert>(&listOrDefault(list), from, to, n, out, status);
}
