// stringDate1996_iso_opt (what it returns: sec1996.h).
// stringDate1996_iso's text (text.h), its separator and zone then replaced.
#include <cstring>

#include "text.h"
#include "timescale/sec1996.h"

char* stringDate1996_iso_opt(Sec1996 count, unsigned flags, char* buffer) {
  using namespace sec1996::detail;
  constexpr std::size_t kSeparatorAt = 10;
  constexpr std::size_t kZoneAt = kTextLength - 1;
  formatIso(buffer, losslessFieldsFromCount(count, kLeapSeconds));
  if ((flags & SEC1996_ISO_SPACE) != 0) buffer[kSeparatorAt] = ' ';
  if ((flags & SEC1996_ISO_UTC_OFFSET) != 0) {
    std::memcpy(buffer + kZoneAt, "+00:00", sizeof "+00:00");
  } else {
    if ((flags & SEC1996_ISO_LOWER_Z) != 0) buffer[kZoneAt] = 'z';
    buffer[kTextLength] = '\0';
  }
  return buffer;
}
