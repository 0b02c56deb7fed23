// cvtToSec1996_posix_checked (what it returns: sec1996.h).
// The core's checked door for POSIX seconds; the count is written only on
// success.
#include "checked.h"
#include "timescale/sec1996.h"

Sec1996ParseStatus cvtToSec1996_posix_checked(int64_t seconds, Sec1996* count) {
  using namespace sec1996::detail;
  const Checked checked = checkedCountFromPosix(seconds, kLeapSeconds);
  if (checked.status == SEC1996_PARSE_OK && count != nullptr) *count = checked.count;
  return checked.status;
}
