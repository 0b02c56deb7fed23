// cvtToSec1996_checked (what it returns: sec1996.h).
// The core's checked door for records; the count is written only on success.
#include "checked.h"
#include "timescale/sec1996.h"

Sec1996ParseStatus cvtToSec1996_checked(Date1996 date, Sec1996* count) {
  using namespace sec1996::detail;
  const Checked checked = checkedCountFromRecord(date.year, date.mon, date.day, date.hour, date.min,
                                                 date.sec, kLeapSeconds);
  if (checked.status == SEC1996_PARSE_OK && count != nullptr) *count = checked.count;
  return checked.status;
}
