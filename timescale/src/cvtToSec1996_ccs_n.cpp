// cvtToSec1996_ccs_n (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t cvtToSec1996_ccs_n(const uint8_t* codes, size_t n, const Sec1996CcsLayout* layout,
                          Sec1996* counts, uint64_t* picoseconds, Sec1996ParseStatus* status) {
  using namespace sec1996::detail::ccsds;
  if (layout->subSecondOctets < 0 || layout->subSecondOctets > kCcsMaxSubSecond) {
    return refuseAll(n, counts, picoseconds, status, SEC1996_PARSE_RESERVED);
  }
  const CcsFormat runtime =
      ccsFormat(layout->dayOfYear != 0, layout->subSecondOctets, layout->pField != 0);
  return withConstant<kCcsFormats>(ccsIndex(runtime), [&]<std::size_t I>() {
    constexpr CcsFormat f = ccsFormatOf<I>();
    const std::uint8_t pField[1] = {ccsPField(f)};
    return decodeArray(codes, n, f, pField, counts, picoseconds, status, [](const std::uint8_t* t) {
      constexpr CcsFormat f = ccsFormatOf<I>();
      return decodeCcsTField(t, f);
    });
  });
}
