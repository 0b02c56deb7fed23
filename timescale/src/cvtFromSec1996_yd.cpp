// cvtFromSec1996_yd (what it returns: sec1996.h).
// The day of the year is the clock's day count less that of 1 January of
// its year.  The fraction counts the seconds since that day's midnight,
// which at a leap second are one more than the clock shows (86400): that is
// why the leap second reads as exactly the next whole day.
#include "scale.h"
#include "timescale/sec1996.h"

YearDay1996 cvtFromSec1996_yd(Sec1996 count) {
  using namespace sec1996::detail;
  const ClockTime clock = clockFromCount(count, kLeapSeconds);
  const CivilDate date = civilFromDays(clock.days);
  const std::int64_t day = clock.days - daysFromCivil(date.year, 1, 1) + 1;  // [1, 366]
  const int secondsSinceMidnight = clock.secondOfDay + (clock.leapSecond ? 1 : 0);
  return {static_cast<double>(day) + secondsSinceMidnight / 86400.0,
          static_cast<std::int32_t>(date.year)};
}
