// sec1996_date.hpp - sec1996::clock for Howard Hinnant's date library.
//
// date::clock_cast reaches any clock through sys_time, which has no leap
// seconds, so the scale's leap second would come out as 23:59:59.  These
// conversions go straight between sec1996::clock and date::utc_clock, which
// both count leap seconds, so 1997-06-30 23:59:60 stays itself:
//
//   #include <sec1996_date.hpp>
//   auto utc = date::clock_cast<date::utc_clock>(sec1996::from_count(47260800));
//   // date::format("%F %T", utc) is "1997-06-30 23:59:60"
//
// Include it only where the date library (date/tz.h) is at hand; sec1996.hpp
// itself needs nothing but the standard library.
#ifndef SEC1996_SEC1996_DATE_HPP
#define SEC1996_SEC1996_DATE_HPP

#include <date/tz.h>
#include <chrono>

#include "sec1996.hpp"

namespace date {

template <>
struct clock_time_conversion<utc_clock, sec1996::clock> {
  template <class Duration>
  utc_time<std::common_type_t<Duration, std::chrono::seconds>> operator()(
      const std::chrono::time_point<sec1996::clock, Duration>& point) const {
    const auto whole = std::chrono::floor<std::chrono::seconds>(point);
    const auto utc = utc_clock::from_sys(sec1996::clock::to_sys(whole));
    return utc + std::chrono::seconds{sec1996::clock::is_leap_second(whole) ? 1 : 0} +
           (point - whole);
  }
};

// A leap second that the scale does not count maps, as utc_clock::to_sys
// maps it, to the end of the 23:59:59 before it.
template <>
struct clock_time_conversion<sec1996::clock, utc_clock> {
  template <class Duration>
  std::chrono::time_point<sec1996::clock, std::common_type_t<Duration, std::chrono::seconds>>
  operator()(const utc_time<Duration>& time) const {
    const auto whole = std::chrono::floor<std::chrono::seconds>(time);
    const auto before = sec1996::clock::from_sys(utc_clock::to_sys(whole));
    if (get_leap_second_info(whole).is_leap_second &&
        sec1996::clock::is_leap_second(before + std::chrono::seconds{1})) {
      return before + std::chrono::seconds{1} + (time - whole);
    }
    return sec1996::clock::from_sys(utc_clock::to_sys(time));
  }
};

}  // namespace date

#endif  // SEC1996_SEC1996_DATE_HPP
