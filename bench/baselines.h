// The two baselines the library is measured against besides its peers:
//   limit  the calendar arithmetic alone, inlined into the loop: no leap
//          table, no range test, no call; the floor that no library of this
//          kind can beat;
//   call   an out-of-line function with the library's signature that does
//          no calendar work: what the call itself costs.
#ifndef SEC1996_BENCH_BASELINES_H
#define SEC1996_BENCH_BASELINES_H

#include <chrono>
#include <cstdint>

#include "calendar.h"
#include "timescale/sec1996.h"

namespace sec1996::bench {

// Both directions of the limit are C. Neri and L. Schneider's 32-bit
// algorithms ("Euclidean affine functions and their application to calendar
// algorithms", Software: Practice and Experience 53(4), 2023): to_date as
// libstdc++'s year_month_day implements it, to_rata_die as the library's core
// writes it (tested there against <chrono> on every date).
inline Date1996 limitFromCount(Sec1996 count) {
  const std::uint32_t days = count / 86400;
  const std::uint32_t secondOfDay = count % 86400;
  const std::chrono::year_month_day date{
      std::chrono::sys_days{std::chrono::days{days + detail::kEpochDaysFrom1970}}};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<std::int32_t>(secondOfDay / 3600),
          static_cast<std::int32_t>(secondOfDay / 60 % 60),
          static_cast<std::int32_t>(secondOfDay % 60)};
}

inline Sec1996 limitToCount(const Date1996& r) {
  const std::int32_t days = detail::daysFromCivilFast(r.year, r.mon) + r.day - 1;
  return static_cast<Sec1996>(days) * 86400U + static_cast<Sec1996>(r.hour) * 3600U +
         static_cast<Sec1996>(r.min) * 60U + static_cast<Sec1996>(r.sec);
}

// What any call across the library's C interface costs, records passed and
// returned by value (baselines.cpp; noipa keeps the compiler from looking
// inside).
Date1996 callOnlyFromCount(Sec1996 count);
Sec1996 callOnlyToCount(Date1996 r);

}  // namespace sec1996::bench

#endif  // SEC1996_BENCH_BASELINES_H
