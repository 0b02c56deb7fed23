// getSecondsSince1996FromDate: a broken-down UTC time as a count.
//   Given:   tm_year, tm_mon, tm_mday, tm_hour, tm_min, tm_sec, in any range;
//            out-of-range fields roll over into the next larger ones.
//   Returns: the count of that time, modulo 2^32.  The record is untouched.
//   Notes:   a time at or after the day that follows a leap second gains it;
//            23:59:60 rolls over to 00:00:00 of the next day.
#include "scale.h"
#include "timescale/sec1996.h"

Sec1996 getSecondsSince1996FromDate(const struct tm* date) {
  using namespace sec1996::detail;
  const std::int64_t days = daysFromCivil(std::int64_t{date->tm_year} + 1900,
                                          std::int64_t{date->tm_mon} + 1, date->tm_mday);
  const std::int64_t nominal = days * kSecondsPerDay + std::int64_t{date->tm_hour} * 3600 +
                               std::int64_t{date->tm_min} * 60 + date->tm_sec;
  return wrapCount(countFromNominal(nominal, kLeapSeconds));
}
