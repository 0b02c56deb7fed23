// cvtToSec1996_yd: a year and fractional day of the year as a count.
//   Given:   any double and any year.
//   Returns: the count of 00:00:00 on day trunc(dayOfYear) of year, plus the
//            fraction in seconds rounded to the nearest (halves up), modulo
//            2^32.
//   Notes:   days outside the year carry into the neighbouring years.  NaN
//            reads as 1.0; beyond +-2^31 days the value is clamped.
#include <cmath>

#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year) {
  using namespace sec1996::detail;
  // Past 2^31 days every year a 32-bit field holds is left far behind, and
  // the clamp keeps the conversion to an integer defined.
  constexpr double kDayLimit = 2147483648.0;
  if (std::isnan(dayOfYear)) dayOfYear = 1.0;
  dayOfYear = std::fmax(-kDayLimit, std::fmin(dayOfYear, kDayLimit));
  const double wholeDays = std::trunc(dayOfYear);
  const auto secondsIntoDay =  // [-86400, 86400]
      static_cast<std::int64_t>(std::floor((dayOfYear - wholeDays) * 86400.0 + 0.5));
  const std::int64_t days = daysFromFields(year, 1, 1) + static_cast<std::int64_t>(wholeDays) - 1;
  return wrapCount(midnightCount(days, kLeapSeconds) + secondsIntoDay);
}
