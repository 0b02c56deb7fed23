// cvtFromSec1996_cds (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

Sec1996ParseStatus cvtFromSec1996_cds(Sec1996 count, uint64_t picoseconds,
                                      const Sec1996CdsLayout* layout, uint8_t* code, size_t size,
                                      size_t* length) {
  using namespace sec1996::detail::ccsds;
  const CdsResult format = cdsFormatOf(*layout);
  if (format.status != kOk) return format.status;
  const CdsFormat& f = format.format;
  return encodeInto(f, code, size, length,
                    [&](std::uint8_t* out) { return encodeCds(count, picoseconds, f, out); });
}
