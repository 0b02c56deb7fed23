// getSecondsSince1996FromDate (what it returns: sec1996.h).
// The fields become nominal seconds from the epoch (days of 86400) in
// 64-bit arithmetic, where no int field can overflow, and the core adds the
// leap seconds inserted before that moment.  In nominal seconds 23:59:60 is
// 00:00:00 of the next day, which is why this function cannot name a leap
// second.
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
