// stringDate1996: a count as the 20-character text "DD-Mon-YYYY HH:MM:SS".
//   Given:   a count on the scale.
//   Returns: a pointer to the unit's 21-byte buffer holding the text.
//   Notes:   a leap second reads as 23:59:59 of its day.  The buffer is
//            overwritten by every call.
#include "text.h"
#include "timescale/sec1996.h"

namespace {

char string[sec1996::detail::kTextLength + 1];

}  // namespace

char* stringDate1996(Sec1996 count) {
  using namespace sec1996::detail;
  *formatLibraryText(string, fieldsFromCount(count, kLeapSeconds)) = '\0';
  return string;
}
