// cvtToSec1996_checked (what it returns: sec1996.h).
// The core's checked door for records; the count is written only on
// success.  A plain record, the usual case, is counted here; any other goes
// out of line to the whole door, which finds the reason or accepts it (the
// leap second), so that the plain path keeps no registers for it.
#include "checked.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

[[gnu::noinline]] Sec1996ParseStatus unusual(Date1996 date, Sec1996* count) {
  const Checked checked = checkedCountFromRecord(date.year, date.mon, date.day, date.hour, date.min,
                                                 date.sec, kLeapSeconds);
  if (checked.status == SEC1996_PARSE_OK && count != nullptr) *count = checked.count;
  return checked.status;
}

}  // namespace

Sec1996ParseStatus cvtToSec1996_checked(Date1996 date, Sec1996* count) {
  if (isPlainRecord(date.year, date.mon, date.day, date.hour, date.min, date.sec)) [[likely]] {
    if (count != nullptr) {
      *count = nearCount(date.year, date.mon, date.day,
                         secondOfDayModulo(date.hour, date.min, date.sec), kLeapSeconds);
    }
    return SEC1996_PARSE_OK;
  }
  return unusual(date, count);
}
