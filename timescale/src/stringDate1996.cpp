// stringDate1996 (what it returns: sec1996.h).
// The count's fields, written digit by digit into the unit's buffer: every
// field has a fixed width, so no printf() is needed (text.h writes it, as for the other texts), and
// the text is the same in every locale.
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
