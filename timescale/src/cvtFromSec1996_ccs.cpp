// cvtFromSec1996_ccs (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

Sec1996ParseStatus cvtFromSec1996_ccs(Sec1996 count, uint64_t picoseconds,
                                      const Sec1996CcsLayout* layout, uint8_t* code, size_t size,
                                      size_t* length) {
  using namespace sec1996::detail::ccsds;
  if (layout->subSecondOctets < 0 || layout->subSecondOctets > kCcsMaxSubSecond) {
    return SEC1996_PARSE_RESERVED;
  }
  const CcsFormat f =
      ccsFormat(layout->dayOfYear != 0, layout->subSecondOctets, layout->pField != 0);
  return encodeInto(f, code, size, length,
                    [&](std::uint8_t* out) { return encodeCcs(count, picoseconds, f, out); });
}
