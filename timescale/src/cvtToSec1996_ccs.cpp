// cvtToSec1996_ccs (what it returns: sec1996_ccsds.h).
// The layout from the P-field or the caller; the BCD digits, the ranges of
// the fields and the date through the core's checked door.
#include "ccsds.h"

Sec1996ParseStatus cvtToSec1996_ccs(const uint8_t* code, size_t size,
                                    const Sec1996CcsLayout* layout, Sec1996* count,
                                    uint64_t* picoseconds, size_t* used) {
  using namespace sec1996::detail::ccsds;
  CcsFormat f{};
  if (layout->pField != 0) {
    const CcsResult read = readCcsPField(code, size);
    if (read.status != kOk) return read.status;
    f = read.format;
  } else {
    if (layout->subSecondOctets < 0 || layout->subSecondOctets > kCcsMaxSubSecond) {
      return SEC1996_PARSE_RESERVED;
    }
    f = ccsFormat(layout->dayOfYear != 0, layout->subSecondOctets, false);
  }
  return decodeFrom(f, code, size, count, picoseconds, used,
                    [&](const std::uint8_t* t) { return decodeCcsTField(t, f); });
}
