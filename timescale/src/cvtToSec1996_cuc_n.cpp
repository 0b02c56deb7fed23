// cvtToSec1996_cuc_n (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t cvtToSec1996_cuc_n(const uint8_t* codes, size_t n, const Sec1996CucLayout* layout,
                          Sec1996* counts, uint64_t* fractions, Sec1996ParseStatus* status) {
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) {
    return refuseAll(n, counts, fractions, status, SEC1996_PARSE_RESERVED);
  }
  const CucFormat f = cucFormat(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  std::uint8_t pField[2] = {};
  if (f.pField != 0) writeCucPField(kCucLevel2Id, f, pField);
  return decodeArray(codes, n, f, pField, counts, fractions, status,
                     [&f](const std::uint8_t* t) { return decodeCucTField(t, f); });
}
