// leapListInfo1996 (what it gives: sec1996_scales.h).
#include "leap_list.h"
#include "timescale/sec1996_scales.h"

void leapListInfo1996(const Sec1996LeapList* list, Sec1996LeapListInfo* info) {
  const Sec1996LeapList& l = sec1996::detail::listOrDefault(list);
  info->source = l.source;
  info->origin = l.origin;
  info->entries = l.entries;
  info->entryCount = l.entryCount;
  info->updatedNtp = l.updatedNtp;
  info->expiresNtp = l.expiresNtp;
  info->expires = sec1996::detail::dateOfNtp(l.expiresNtp);
  info->hashChecked = l.hashChecked ? 1 : 0;
}
