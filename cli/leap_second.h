// Whether a count is one of the inserted leap seconds of the library's
// table.  The public functions read a leap second as 23:59:59 and cannot say
// which count it is, so the converter asks the table itself: to print the
// second as 23:59:60 and to accept :60 only where the scale has one.
#ifndef SEC1996_CLI_LEAP_SECOND_H
#define SEC1996_CLI_LEAP_SECOND_H

#include <cstdint>

#include "leap_seconds.h"
#include "timescale/sec1996.h"

namespace sec1996::cli {

// A table entry is the count of the midnight after its leap second, so the
// leap second itself is the entry minus one.
inline bool isLeapSecond(Sec1996 count) {
  for (const std::int32_t entry : detail::kLeapSeconds) {
    if (std::int64_t{count} == std::int64_t{entry} - 1) return true;
  }
  return false;
}

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_LEAP_SECOND_H
