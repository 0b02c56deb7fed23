// The tm of a count, shared by the two units that fill one; and the record
// of the core's fields.
#ifndef SEC1996_SRC_RECORD_H
#define SEC1996_SRC_RECORD_H

#include <cstdint>
#include <ctime>

#include "date1996.h"
#include "scale.h"
#include "timescale/sec1996.h"

namespace sec1996::detail {

// Every field of out, as getDateFromSecondsSince1996 sets time_str.
inline void fillTm(std::tm& out, std::uint32_t count) {
  const ClockTime clock = clockFromCount(count, kLeapSeconds);
  const Fields fields = fieldsFromClock(clock);
  out = std::tm{};
  out.tm_year = static_cast<int>(fields.date.year - 1900);
  out.tm_mon = fields.date.mon - 1;
  out.tm_mday = fields.date.day;
  out.tm_hour = fields.hour;
  out.tm_min = fields.min;
  out.tm_sec = fields.sec;
  out.tm_wday = weekdayFromDays(clock.days);
  out.tm_yday = static_cast<int>(clock.days - daysFromCivil(fields.date.year, 1, 1));
  out.tm_isdst = 0;
#ifdef __GLIBC__
  out.tm_zone = "UTC";  // tm_gmtoff stays 0
#endif
}

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_RECORD_H
