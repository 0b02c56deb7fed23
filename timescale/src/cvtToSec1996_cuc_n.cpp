// cvtToSec1996_cuc_n (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t cvtToSec1996_cuc_n(const uint8_t* codes, size_t n, const Sec1996CucLayout* layout,
                          Sec1996* counts, uint64_t* fractions, Sec1996ParseStatus* status) {
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) {
    return refuseAll(n, counts, fractions, status, SEC1996_PARSE_RESERVED);
  }
  const std::size_t index = cucIndex(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  return withConstant<kCucFormats>(index, [&]<std::size_t I>() {
    constexpr CucFormat f = cucFormatOf<I>();
    std::uint8_t pField[2] = {};
    if (f.pField != 0) writeCucPField(kCucLevel2Id, f, pField);
    return decodeArray(codes, n, f, pField, counts, fractions, status, [](const std::uint8_t* t) {
      constexpr CucFormat f = cucFormatOf<I>();
      return decodeCucTField(t, f);
    });
  });
}
