// cvtToSec1996_cucTai (what it returns: sec1996_ccsds.h).
// The layout from the P-field or the caller, then the T-field's TAI as a
// count; a level-2 code is refused as another code.
#include "ccsds_tai.h"

Sec1996ParseStatus cvtToSec1996_cucTai(const Sec1996LeapList* list, const uint8_t* code,
                                       size_t size, const Sec1996CucLayout* layout, unsigned flags,
                                       Sec1996* count, uint64_t* fraction, size_t* used) {
  using namespace sec1996::detail;
  using namespace sec1996::detail::ccsds;
  const CucPField read = cucFormatToRead(code, size, *layout, kCucLevel1Id);
  if (read.status != kOk) return read.status;
  const CucFormat f = read.format;
  const Sec1996LeapList& table = listOrDefault(list);
  const auto decode = [&](const std::uint8_t* t) {
    const CucTime time = readCucTField(t, f);
    return decodedOfTai(countOfTai(table, taiOf(time), flags), time.fraction, flags);
  };
  return decodeFrom(f, code, size, count, fraction, used, decode, flags);
}
