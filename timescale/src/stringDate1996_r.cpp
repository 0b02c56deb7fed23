// stringDate1996_r (what it returns: sec1996.h).
// The same writer of the same fields as stringDate1996 (text.h), into the
// caller's buffer instead of the unit's.
#include "text.h"
#include "timescale/sec1996.h"

char* stringDate1996_r(Sec1996 count, char* buffer) {
  using namespace sec1996::detail;
  *formatLibraryText(buffer, fieldsFromCount(count, kLeapSeconds)) = '\0';
  return buffer;
}
