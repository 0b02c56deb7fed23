// getDateFromSecondsSince1996 (what it returns: sec1996.h).
// The core's clock and fields of the count, written into time_str.  The
// record is cleared first, so that nothing a caller or an earlier call left
// in it (tm_gmtoff, say) survives; the weekday and the day of the year come
// from the same day count as the date.
#include "scale.h"
#include "timescale/sec1996.h"

struct tm time_str;

struct tm* getDateFromSecondsSince1996(Sec1996 count) {
  using namespace sec1996::detail;
  const ClockTime clock = clockFromCount(count, kLeapSeconds);
  const Fields fields = fieldsFromClock(clock);
  time_str = tm{};
  time_str.tm_year = static_cast<int>(fields.date.year - 1900);
  time_str.tm_mon = fields.date.mon - 1;
  time_str.tm_mday = fields.date.day;
  time_str.tm_hour = fields.hour;
  time_str.tm_min = fields.min;
  time_str.tm_sec = fields.sec;
  time_str.tm_wday = weekdayFromDays(clock.days);
  time_str.tm_yday = static_cast<int>(clock.days - daysFromCivil(fields.date.year, 1, 1));
  time_str.tm_isdst = 0;
#ifdef __GLIBC__
  time_str.tm_zone = "UTC";  // tm_gmtoff stays 0
#endif
  return &time_str;
}
