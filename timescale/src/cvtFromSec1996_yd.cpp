// cvtFromSec1996_yd: a count as a year and fractional day of the year.
//   Given:   a count on the scale.
//   Returns: {day of the year from 1 plus (count - that day's midnight
//            count) / 86400.0, year}.
//   Notes:   a leap second is the 86400th second after its day's midnight,
//            so its fraction is exactly 1.0: 1997-06-30 23:59:60 is 182.0.
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
