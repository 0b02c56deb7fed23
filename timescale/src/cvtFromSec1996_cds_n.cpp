// cvtFromSec1996_cds_n (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t cvtFromSec1996_cds_n(const Sec1996* counts, const uint64_t* picoseconds, size_t n,
                            const Sec1996CdsLayout* layout, uint8_t* codes,
                            Sec1996ParseStatus* status) {
  using namespace sec1996::detail::ccsds;
  const CdsResult format = cdsFormatOf(*layout);
  if (format.status != kOk) return refuseAllCodes(n, status, format.status);
  return withConstant<kCdsFormats>(cdsIndex(format.format), [&]<std::size_t I>() {
    const CdsFormat f = cdsFormatOf<I>(format.format);
    return encodeArray(counts, picoseconds, n, f, codes, status,
                       [&format](std::uint32_t count, std::uint64_t ps, std::uint8_t* out) {
                         const CdsFormat f = cdsFormatOf<I>(format.format);
                         return encodeCds(count, ps, f, out);
                       });
  });
}
