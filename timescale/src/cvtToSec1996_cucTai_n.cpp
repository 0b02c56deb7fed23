// cvtToSec1996_cucTai_n (what it returns: sec1996_ccsds.h).
// The loop of cvtToSec1996_cuc_n, each element's coarse time read as TAI
// and turned into a count a block at a time.
#include "ccsds_tai.h"

size_t cvtToSec1996_cucTai_n(const Sec1996LeapList* list, const uint8_t* codes, size_t n,
                             const Sec1996CucLayout* layout, unsigned flags, Sec1996* counts,
                             uint64_t* fractions, Sec1996ParseStatus* status) {
  using namespace sec1996::detail;
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) {
    return refuseAll(n, counts, fractions, status, SEC1996_PARSE_RESERVED);
  }
  if (n == 0) return 0;
  const Sec1996LeapList& table = listOrDefault(list);
  const std::size_t index = cucIndex(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  return withConstant<kCucFormats>(index, [&]<std::size_t I>() {
    constexpr CucFormat f = cucFormatOf<I>();
    std::uint8_t pField[2] = {};
    if (f.pField != 0) writeCucPField(kCucLevel1Id, f, pField);
    return decodeCucTaiArray(table, codes, n, f, pField, flags, counts, fractions, status);
  });
}
