// leapListFree1996 (what it does: sec1996_scales.h).
#include <cstdlib>

#include "leap_list.h"
#include "timescale/sec1996_scales.h"

void leapListFree1996(Sec1996LeapList* list) {
  if (list != nullptr && !list->isDefault) std::free(list);
}
