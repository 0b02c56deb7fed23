// cvtToSec1996_yd (what it returns: sec1996.h).
// The count of the midnight of day trunc(dayOfYear) of the year, counted
// from 1 January so that days outside the year carry into its neighbours,
// plus the fraction rounded to whole seconds.  NaN and values past 2^31
// days are settled first, so that every conversion to an integer below is
// defined.
#include <cmath>

#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 cvtToSec1996_yd(double dayOfYear, int32_t year) {
  using namespace sec1996::detail;
  // Past 2^31 days every year a 32-bit field holds is left far behind, and
  // the clamp keeps the conversion to an integer defined.
  constexpr double kDayLimit = 2147483648.0;
  if (std::isnan(dayOfYear)) dayOfYear = 1.0;
  if (dayOfYear < -kDayLimit) dayOfYear = -kDayLimit;
  if (dayOfYear > kDayLimit) dayOfYear = kDayLimit;
  // Truncation and floor by conversion to an integer, which both values
  // survive exactly: no calls into the maths library, which the library
  // then does not need to load at all.
  const auto wholeDays = static_cast<std::int64_t>(dayOfYear);  // toward zero
  const double roundedSeconds = (dayOfYear - static_cast<double>(wholeDays)) * 86400.0 + 0.5;
  auto secondsIntoDay = static_cast<std::int64_t>(roundedSeconds);             // [-86400, 86400]
  if (static_cast<double>(secondsIntoDay) > roundedSeconds) --secondsIntoDay;  // floor
  const std::int64_t days = daysFromFields(year, 1, 1) + wholeDays - 1;
  return wrapCount(midnightCount(days, kLeapSeconds) + secondsIntoDay);
}
