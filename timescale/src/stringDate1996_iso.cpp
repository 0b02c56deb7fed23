// stringDate1996_iso (what it returns: sec1996.h).
// The core's lossless fields, written digit by digit (text.h), so a leap
// second shows as 23:59:60.
#include "text.h"
#include "timescale/sec1996.h"

char* stringDate1996_iso(Sec1996 count, char* buffer) {
  using namespace sec1996::detail;
  *formatIso(buffer, losslessFieldsFromCount(count, kLeapSeconds)) = '\0';
  return buffer;
}
