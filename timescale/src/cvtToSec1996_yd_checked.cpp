// cvtToSec1996_yd_checked (what it returns: sec1996.h).
// The core's checked door for a day of the year; the count is written only
// on success.
#include "checked.h"
#include "timescale/sec1996.h"

Sec1996ParseStatus cvtToSec1996_yd_checked(double dayOfYear, int32_t year, Sec1996* count) {
  using namespace sec1996::detail;
  const Checked checked = checkedCountFromYearDay(dayOfYear, year, kLeapSeconds);
  if (checked.status == SEC1996_PARSE_OK && count != nullptr) *count = checked.count;
  return checked.status;
}
