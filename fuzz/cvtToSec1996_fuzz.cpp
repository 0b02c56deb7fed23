// Fuzzes cvtToSec1996 with any six integers.  The count must be the exact
// count of the normalised date's midnight plus hour * 3600 + min * 60 + sec,
// modulo 2^32; where timegm() can place the date, it must agree on the day.
// The same integers folded into a date of the span, every field in range,
// must come back from cvtFromSec1996 unchanged, and read as the same text and
// tm record.
#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::fuzz;

constexpr std::int64_t kEpochCalendarTime = 820454400;  // 1996-01-01 from 1970
constexpr std::int32_t kYearsInSpan = 136;              // 1996 to 2131, whole years
constexpr int kTmYearBase = 1900;
constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr char kMonthNames[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool fitsInt(std::int64_t value) { return value >= INT_MIN && value <= INT_MAX; }

// A value in [0, range) from any 32-bit integer.
std::int32_t fold(std::int32_t value, std::int32_t range) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) %
                                   static_cast<std::uint32_t>(range));
}

void checkDocumentedCount(const Date1996& d) {
  const std::int64_t days = daysFromEpoch(d.year, d.mon, d.day);
  const std::int64_t midnight = exactCount(days * kSecondsPerDay);
  const std::int64_t exact =
      midnight + std::int64_t{d.hour} * 3600 + std::int64_t{d.min} * 60 + std::int64_t{d.sec};
  const Sec1996 count = cvtToSec1996(d);
  FUZZ_CHECK(count == modulo2To32(exact),
             "{%" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32
             "} gives %" PRIu32 ", expected %" PRIu32,
             d.year, d.mon, d.day, d.hour, d.min, d.sec, count, modulo2To32(exact));

  // timegm() as a second opinion on the day, where it can hold the date.
  const std::int64_t tmYear = std::int64_t{d.year} - kTmYearBase;
  const std::int64_t tmMon = std::int64_t{d.mon} - 1;
  if (fitsInt(tmYear) && fitsInt(tmMon)) {
    struct tm t = {};
    t.tm_year = static_cast<int>(tmYear);
    t.tm_mon = static_cast<int>(tmMon);
    t.tm_mday = d.day;
    errno = 0;
    const time_t calendar = timegm(&t);
    if (!(calendar == -1 && errno == EOVERFLOW)) {
      const std::int64_t timegmDays =
          floorDiv(static_cast<std::int64_t>(calendar) - kEpochCalendarTime, kSecondsPerDay);
      FUZZ_CHECK(timegmDays == days,
                 "timegm puts %04" PRId32 "-%" PRId32 "-%" PRId32 " at day %" PRId64
                 ", the oracle at %" PRId64,
                 d.year, d.mon, d.day, timegmDays, days);
    }
  }
}

// Fields in range on a date of the span read back as they are.
void checkRoundTripInSpan(const Date1996& raw) {
  const std::int32_t year = kEpochYear + fold(raw.year, kYearsInSpan);
  const std::int32_t mon = 1 + fold(raw.mon, 12);
  const std::int32_t monthLength = kDaysInMonth[mon - 1] + (mon == 2 && isLeapYear(year));
  const Date1996 d = {year,
                      mon,
                      1 + fold(raw.day, monthLength),
                      fold(raw.hour, 24),
                      fold(raw.min, 60),
                      fold(raw.sec, 60)};
  const Sec1996 count = cvtToSec1996(d);
  const Date1996 back = cvtFromSec1996(count);
  FUZZ_CHECK(back.year == d.year && back.mon == d.mon && back.day == d.day && back.hour == d.hour &&
                 back.min == d.min && back.sec == d.sec,
             "%04" PRId32 "-%02" PRId32 "-%02" PRId32 " %02" PRId32 ":%02" PRId32 ":%02" PRId32
             " is count %" PRIu32 ", which reads %04" PRId32 "-%02" PRId32 "-%02" PRId32
             " %02" PRId32 ":%02" PRId32 ":%02" PRId32,
             d.year, d.mon, d.day, d.hour, d.min, d.sec, count, back.year, back.mon, back.day,
             back.hour, back.min, back.sec);

  char expected[32];
  std::snprintf(expected, sizeof expected,
                "%02" PRId32 "-%s-%04" PRId32 " %02" PRId32 ":%02" PRId32 ":%02" PRId32, d.day,
                kMonthNames[d.mon - 1], d.year, d.hour, d.min, d.sec);
  const char* text = stringDate1996(count);
  FUZZ_CHECK(std::strcmp(text, expected) == 0, "count %" PRIu32 " reads \"%s\", expected \"%s\"",
             count, text, expected);

  const struct tm t = *getDateFromSecondsSince1996(count);
  FUZZ_CHECK(t.tm_year + kTmYearBase == d.year && t.tm_mon + 1 == d.mon && t.tm_mday == d.day &&
                 t.tm_hour == d.hour && t.tm_min == d.min && t.tm_sec == d.sec,
             "getDateFromSecondsSince1996(%" PRIu32 ") disagrees with cvtFromSec1996", count);
  FUZZ_CHECK(getSecondsSince1996FromDate(&t) == count,
             "getSecondsSince1996FromDate does not return %" PRIu32, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputReader in(data, size);
  Date1996 d;
  d.year = in.next<std::int32_t>();
  d.mon = in.next<std::int32_t>();
  d.day = in.next<std::int32_t>();
  d.hour = in.next<std::int32_t>();
  d.min = in.next<std::int32_t>();
  d.sec = in.next<std::int32_t>();
  checkDocumentedCount(d);
  checkRoundTripInSpan(d);
  return 0;
}
