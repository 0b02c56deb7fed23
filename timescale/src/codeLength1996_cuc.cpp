// codeLength1996_cuc (what it returns: sec1996_ccsds.h).
#include "ccsds.h"

size_t codeLength1996_cuc(const Sec1996CucLayout* layout) {
  using namespace sec1996::detail::ccsds;
  if (!isCucLayout(layout->coarseOctets, layout->fineOctets)) return 0;
  return cucFormat(layout->coarseOctets, layout->fineOctets, layout->pField != 0).length;
}
