// A C++ program using the installed library: the known counts of cases.h in
// every form and back, then a walk over the whole scale, one count a week,
// checking that each count comes back through every form.
// Exits 1 on the first kind of mismatch it reports.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include <sec1996.h>
#include <sec1996.hpp>

#include "../cases.h"

using namespace std::chrono_literals;

namespace {

constexpr double kDayTolerance = 1e-8;  // far below one second, 1.2e-5 days
constexpr Sec1996 kWeek = 7 * 86400;
constexpr Sec1996 kLastCount = 4294967295u;

int failures = 0;

void check(bool ok, const char* what, Sec1996 count) {
  if (!ok) {
    std::fprintf(stderr, "FAIL %s for count %lu\n", what, static_cast<unsigned long>(count));
    ++failures;
  }
}

bool operator==(const Date1996& a, const Date1996& b) {
  return a.year == b.year && a.mon == b.mon && a.day == b.day && a.hour == b.hour &&
         a.min == b.min && a.sec == b.sec;
}

}  // namespace

int main() {
  for (const ConsumerCase& c : kConsumerCases) {
    const bool leap = c.count == CONSUMER_LEAP_COUNT;
    check(cvtFromSec1996(c.count) == c.record, "cvtFromSec1996", c.count);
    check(std::string(stringDate1996(c.count)) == c.text, "stringDate1996", c.count);
    const YearDay1996 yd = cvtFromSec1996_yd(c.count);
    check(yd.year == c.year && std::fabs(yd.dayOfYear - c.dayOfYear) < kDayTolerance,
          "cvtFromSec1996_yd", c.count);
    const tm* date = getDateFromSecondsSince1996(c.count);
    check(date == &time_str && date->tm_wday == c.weekday && date->tm_sec == c.record.sec,
          "getDateFromSecondsSince1996", c.count);
    // The leap second reads as 23:59:59 and as 182.0, which name its
    // neighbours.
    check(cvtToSec1996(c.record) == (leap ? c.count - 1 : c.count), "cvtToSec1996", c.count);
    check(getSecondsSince1996FromDate(date) == (leap ? c.count - 1 : c.count),
          "getSecondsSince1996FromDate", c.count);
    check(cvtToSec1996_yd(c.dayOfYear, c.year) == (leap ? c.count + 1 : c.count), "cvtToSec1996_yd",
          c.count);
    // The C++ layer is lossless: ISO text, record and system time.
    const sec1996::time_point point = sec1996::from_count(c.count);
    check(sec1996::to_iso_string(point) == c.iso, "sec1996::to_iso_string", c.count);
    check(sec1996::from_record(sec1996::to_record(point)) == point, "sec1996 record", c.count);
    check(sec1996::clock::from_sys(sec1996::clock::to_sys(point)) == (leap ? point - 1s : point),
          "sec1996::clock system time", c.count);
  }

  // Every count away from the leap second is its own record, text and day
  // of year.  (Weeks from 0 never land on 47260800.)
  for (Sec1996 count = 0;; count += kWeek) {
    const Date1996 record = cvtFromSec1996(count);
    check(cvtToSec1996(record) == count, "record round trip", count);
    const std::string text = stringDate1996(count);
    check(text.size() == 20 && text == stringDate1996(cvtToSec1996(record)), "text round trip",
          count);
    const YearDay1996 yd = cvtFromSec1996_yd(count);
    check(cvtToSec1996_yd(yd.dayOfYear, yd.year) == count, "day-of-year round trip", count);
    if (count > kLastCount - kWeek) break;
  }

  if (failures != 0) return 1;
  std::printf("C++ consumer: every check passed\n");
  return 0;
}
