// cvtFromSec1996_cucTai (what it returns: sec1996_ccsds.h).
// The level-1 code: the count's TAI from 1958 is the coarse time.
#include "ccsds_tai.h"

Sec1996ParseStatus cvtFromSec1996_cucTai(const Sec1996LeapList* list, Sec1996 count,
                                         uint64_t fraction, const Sec1996CucLayout* layout,
                                         uint8_t* code, size_t size, size_t* length) {
  using namespace sec1996::detail;
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) return SEC1996_PARSE_RESERVED;
  const CucFormat f = cucFormat(layout->coarseOctets, layout->fineOctets, layout->pField != 0);
  const Sec1996LeapList& table = listOrDefault(list);
  return encodeInto(f, code, size, length, [&](std::uint8_t* out) {
    return encodeCucTai(taiOfCount(table, count), fraction, f, out);
  });
}
