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
// Include it only where the date library (date/tz.h and its libdate-tz) is
// at hand; sec1996.hpp itself needs nothing but the standard library.  The
// date library is compiled for one time zone database, and a program must
// be compiled for the same one: Debian's libdate-tz reads the system's, and
// a program compiled without -DUSE_OS_TZDB=1 reads its structures wrongly
// and crashes at its first leap second.  So this header refuses to compile
// without USE_OS_TZDB; the CMake target Sec1996::sec1996_date and
// pkg-config's sec1996-date carry the define and the library.  A program
// for a date library built with its own downloaded database defines
// SEC1996_DATE_OWN_TZDB instead.
#ifndef SEC1996_SEC1996_DATE_HPP
#define SEC1996_SEC1996_DATE_HPP

#if !defined(SEC1996_DATE_OWN_TZDB) && (!defined(USE_OS_TZDB) || !USE_OS_TZDB)
#error \
    "sec1996_date.hpp: compile with -DUSE_OS_TZDB=1, as Debian's libdate-tz was built \
(link Sec1996::sec1996_date, or use pkg-config --cflags --libs sec1996-date); \
define SEC1996_DATE_OWN_TZDB for a date library built with its own database"
#endif

#include <date/tz.h>
#include <chrono>

#include "sec1996.hpp"

namespace date {

template <>
struct clock_time_conversion<utc_clock, sec1996::clock> {
  template <class Duration>
  auto operator()(const std::chrono::time_point<sec1996::clock, Duration>& point) const {
    return sec1996::to_utc_time<utc_clock>(point);
  }
};

template <>
struct clock_time_conversion<sec1996::clock, utc_clock> {
  template <class Duration>
  auto operator()(const utc_time<Duration>& time) const {
    return sec1996::from_utc_time(time);
  }
};

}  // namespace date

#endif  // SEC1996_SEC1996_DATE_HPP
