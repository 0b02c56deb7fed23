// cvtFromSec1996_ccs_n (what it returns: sec1996_ccsds.h).
// The lossless record of each count by the array kernel of the library's
// other array forms, then its digits.
#include "arrays.h"
#include "ccsds.h"

size_t cvtFromSec1996_ccs_n(const Sec1996* counts, const uint64_t* picoseconds, size_t n,
                            const Sec1996CcsLayout* layout, uint8_t* codes,
                            Sec1996ParseStatus* status) {
  using namespace sec1996::detail;
  using namespace sec1996::detail::ccsds;
  if (layout->subSecondOctets < 0 || layout->subSecondOctets > kCcsMaxSubSecond) {
    return refuseAllCodes(n, status, SEC1996_PARSE_RESERVED);
  }
  const CcsFormat runtime =
      ccsFormat(layout->dayOfYear != 0, layout->subSecondOctets, layout->pField != 0);
  return withConstant<kCcsFormats>(ccsIndex(runtime), [&]<std::size_t I>() {
    constexpr CcsFormat f = ccsFormatOf<I>();
    return encodeArray(counts, picoseconds, n, f, codes, status,
                       [](std::uint32_t count, std::uint64_t ps, std::uint8_t* out) {
                         constexpr CcsFormat f = ccsFormatOf<I>();
                         if (ps >= kPicosecondsPerSecond) return SEC1996_PARSE_FIELD_RANGE;
                         writeCcs(losslessRecordOf(count), ps, f, out);
                         return kOk;
                       });
  });
}
