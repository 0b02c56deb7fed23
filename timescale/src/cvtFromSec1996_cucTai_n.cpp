// cvtFromSec1996_cucTai_n (what it returns: sec1996_ccsds.h).
// The loop of cvtFromSec1996_cuc_n, each element's coarse time its TAI,
// found a block at a time.
#include "ccsds_tai.h"

size_t cvtFromSec1996_cucTai_n(const Sec1996LeapList* list, const Sec1996* counts,
                               const uint64_t* fractions, size_t n, const Sec1996CucLayout* layout,
                               uint8_t* codes, Sec1996ParseStatus* status) {
  using namespace sec1996::detail;
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) {
    return refuseAllCodes(n, status, SEC1996_PARSE_RESERVED);
  }
  if (n == 0) return 0;
  const Sec1996LeapList& table = listOrDefault(list);
  const std::size_t index = cucIndex(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  return withConstant<kCucFormats>(index, [&]<std::size_t I>() {
    constexpr CucFormat f = cucFormatOf<I>();
    return encodeCucTaiArray(table, counts, fractions, n, f, codes, status);
  });
}
