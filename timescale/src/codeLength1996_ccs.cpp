// codeLength1996_ccs (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t codeLength1996_ccs(const Sec1996CcsLayout* layout) {
  using namespace sec1996::detail::ccsds;
  if (layout->subSecondOctets < 0 || layout->subSecondOctets > kCcsMaxSubSecond) return 0;
  return ccsFormat(layout->dayOfYear != 0, layout->subSecondOctets, layout->pField != 0).length;
}
