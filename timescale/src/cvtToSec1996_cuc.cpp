// cvtToSec1996_cuc (what it returns: sec1996_ccsds.h).
// The layout from the P-field or the caller, then the T-field; a level-1
// code (TAI from 1958) is refused as another code.
#include "ccsds.h"

Sec1996ParseStatus cvtToSec1996_cuc(const uint8_t* code, size_t size,
                                    const Sec1996CucLayout* layout, Sec1996* count,
                                    uint64_t* fraction, size_t* used) {
  using namespace sec1996::detail::ccsds;
  const CucPField read = cucFormatToRead(code, size, *layout, kCucLevel2Id);
  if (read.status != kOk) return read.status;
  const CucFormat f = read.format;
  return decodeFrom(f, code, size, count, fraction, used,
                    [&](const std::uint8_t* t) { return decodeCucTField(t, f); });
}
