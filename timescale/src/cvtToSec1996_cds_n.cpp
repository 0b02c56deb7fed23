// cvtToSec1996_cds_n (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t cvtToSec1996_cds_n(const uint8_t* codes, size_t n, const Sec1996CdsLayout* layout,
                          Sec1996* counts, uint64_t* picoseconds, Sec1996ParseStatus* status) {
  using namespace sec1996::detail::ccsds;
  const CdsResult format = cdsFormatOf(*layout);
  if (format.status != kOk) return refuseAll(n, counts, picoseconds, status, format.status);
  return withConstant<kCdsFormats>(cdsIndex(format.format), [&]<std::size_t I>() {
    const CdsFormat f = cdsFormatOf<I>(format.format);
    const std::uint8_t pField[1] = {cdsPField(f)};
    return decodeArray(codes, n, f, pField, counts, picoseconds, status,
                       [&format](const std::uint8_t* t) {
                         const CdsFormat f = cdsFormatOf<I>(format.format);
                         return decodeCdsTField(t, f);
                       });
  });
}
