// cvtToSec1996_tt_n (what it returns: sec1996_scales.h).
// cvtToSec1996_tt in the block loops of leap_list.h, TT turned into TAI first.
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

namespace {

using namespace sec1996::detail;

[[gnu::always_inline]] inline size_t convert(const Sec1996LeapList* list, const int64_t* in,
                                             size_t n, unsigned flags, Sec1996* out,
                                             Sec1996ParseStatus* status) {
  std::int64_t tai[kListBlock];
  Sec1996ParseStatus refused[kListBlock];
  size_t flagged = 0;
  for (size_t start = 0; start < n; start += kListBlock) {
    const size_t m = n - start < kListBlock ? n - start : kListBlock;
    for (size_t i = 0; i < m; ++i) {
      const TaiFromTt t = taiFromTt(in[start + i]);
      tai[i] = t.tai;
      refused[i] = t.status;
    }
    forEachCount(*list, tai, m, flags, [&](size_t i, std::uint32_t count, Sec1996ParseStatus s) {
      const bool early = refused[i] != SEC1996_PARSE_OK;
      const Sec1996ParseStatus both = early ? refused[i] : s;
      out[start + i] = early ? 0 : count;
      if (status != nullptr) status[start + i] = both;
      flagged += both != SEC1996_PARSE_OK ? 1 : 0;
    });
  }
  return flagged;
}

}  // namespace

size_t cvtToSec1996_tt_n(const Sec1996LeapList* list, const int64_t* in, size_t n, unsigned flags,
                         Sec1996* out, Sec1996ParseStatus* status) {
  if (n == 0) return 0;
  return runArray<convert>(&listOrDefault(list), in, n, flags, out, status);
}
