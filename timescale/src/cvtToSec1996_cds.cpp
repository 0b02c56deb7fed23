// cvtToSec1996_cds (what it returns: sec1996_ccsds.h).
// The layout from the P-field (with the caller's agency epoch) or the
// caller, then the T-field.
#include "ccsds.h"

Sec1996ParseStatus cvtToSec1996_cds(const uint8_t* code, size_t size,
                                    const Sec1996CdsLayout* layout, Sec1996* count,
                                    uint64_t* picoseconds, size_t* used) {
  using namespace sec1996::detail::ccsds;
  const CdsResult format =
      layout->pField != 0 ? readCdsPField(code, size, *layout) : cdsFormatOf(*layout);
  if (format.status != kOk) return format.status;
  const CdsFormat& f = format.format;
  return decodeFrom(f, code, size, count, picoseconds, used,
                    [&](const std::uint8_t* t) { return decodeCdsTField(t, f); });
}
