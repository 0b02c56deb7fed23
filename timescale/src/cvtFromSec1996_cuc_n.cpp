// cvtFromSec1996_cuc_n (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t cvtFromSec1996_cuc_n(const Sec1996* counts, const uint64_t* fractions, size_t n,
                            const Sec1996CucLayout* layout, uint8_t* codes,
                            Sec1996ParseStatus* status) {
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) {
    return refuseAllCodes(n, status, SEC1996_PARSE_RESERVED);
  }
  const std::size_t index = cucIndex(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  return withConstant<kCucFormats>(index, [&]<std::size_t I>() {
    constexpr CucFormat f = cucFormatOf<I>();
    return encodeArray(counts, fractions, n, f, codes, status,
                       [](std::uint32_t count, std::uint64_t fraction, std::uint8_t* out) {
                         constexpr CucFormat f = cucFormatOf<I>();
                         return encodeCuc(count, fraction, f, out);
                       });
  });
}
