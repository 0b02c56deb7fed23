// stringDate1996_r: the library text of a count, in the caller's buffer.
// stringDate1996 writes through this function, so the two texts are the same
// by construction.
#include "text.h"
#include "timescale/sec1996.h"

char* stringDate1996_r(Sec1996 count, char* buffer) {
  using namespace sec1996::detail;
  *formatLibraryText(buffer, fieldsFromCount(count, kLeapSeconds)) = '\0';
  return buffer;
}
