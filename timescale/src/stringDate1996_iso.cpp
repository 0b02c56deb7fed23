// stringDate1996_iso: a count as ISO 8601 text, 23:59:60 included.
#include "text.h"
#include "timescale/sec1996.h"

char* stringDate1996_iso(Sec1996 count, char* buffer) {
  using namespace sec1996::detail;
  *formatIso(buffer, losslessFieldsFromCount(count, kLeapSeconds)) = '\0';
  return buffer;
}
