// cvtFromSec1996_cuc (what it returns: sec1996_ccsds.h).
// The level-2 code of the scale: the count is the coarse time.
#include "ccsds.h"

Sec1996ParseStatus cvtFromSec1996_cuc(Sec1996 count, uint64_t fraction,
                                      const Sec1996CucLayout* layout, uint8_t* code, size_t size,
                                      size_t* length) {
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) return SEC1996_PARSE_RESERVED;
  const CucFormat f = cucFormat(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  return encodeInto(f, code, size, length,
                    [&](std::uint8_t* out) { return encodeCuc(count, fraction, f, out); });
}
