// codeLength1996_cds (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t codeLength1996_cds(const Sec1996CdsLayout* layout) {
  using namespace sec1996::detail::ccsds;
  if (!isCdsShape(layout->dayOctets, layout->subMillisecond)) return 0;
  return cdsLength(layout->dayOctets, layout->subMillisecond, layout->pField != 0);
}
