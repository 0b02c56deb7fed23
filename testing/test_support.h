// Helpers shared by the tests, the benchmark and the verification programs:
// record comparison and printing, the month abbreviations, time zones to
// run in and a scoped time zone, and the leap seconds since 1996 as the
// machine's tz database lists them.
#ifndef SEC1996_TESTING_TEST_SUPPORT_H
#define SEC1996_TESTING_TEST_SUPPORT_H

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "timescale/sec1996.h"

inline bool operator==(const Date1996& a, const Date1996& b) {
  return a.year == b.year && a.mon == b.mon && a.day == b.day && a.hour == b.hour &&
         a.min == b.min && a.sec == b.sec;
}

inline std::ostream& operator<<(std::ostream& out, const Date1996& d) {
  return out << '{' << d.year << ", " << d.mon << ", " << d.day << ", " << d.hour << ", " << d.min
             << ", " << d.sec << '}';
}

namespace sec1996::testing {

// The English month abbreviations of the text form, January first.
inline constexpr const char* kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Time zones in which a conversion through mktime() or localtime() would go
// wrong: zones whose offset changed between 1970 and today, or that never
// had a whole-hour offset, and a few POSIX strings.
inline constexpr const char* kTimeZones[] = {
    "Europe/London", "Europe/Moscow",          "America/Caracas",  "Pacific/Apia",
    "Asia/Kolkata",  "Pacific/Kiritimati",     "America/St_Johns", "UTC-14",
    "<+0530>-5:30",  "EST5EDT,M3.2.0,M11.1.0",
};

// Sets TZ for its lifetime and restores what was there before, set or not.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone);
  ~ScopedTimeZone();
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

// Every leap second inserted since 1996, as a table closed by 0 in the
// library's form, read from an IERS/NTP leap-seconds.list file.  Empty if
// the file cannot be read.
std::vector<std::int32_t> leapTableSince1996FromList(const char* path);

}  // namespace sec1996::testing

#endif  // SEC1996_TESTING_TEST_SUPPORT_H
