// Fuzzes the checked doors with fields, a day of the year and POSIX seconds
// taken from the input's bytes.  Whatever a door accepts is what its
// normalising twin gives and comes back through the reading functions;
// whatever it refuses leaves the count untouched, with the reason an
// independent reading of the documentation gives (fuzz_support.h: the
// calendar year by year, the one leap second, the span 0 to 2^32 - 1).
#include <cinttypes>
#include <cmath>
#include <cstdint>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::fuzz;

constexpr Sec1996 kUntouched = 0xC0FFEE;
constexpr std::int64_t kLeapSecond = kAfterLeapSecondNominal;  // 1 + the 23:59:59 before it
constexpr std::int64_t kLastCount = 0xFFFFFFFF;
constexpr std::int64_t kPosixOfEpoch = 820454400;

int daysInMonth(std::int64_t year, int mon) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return mon == 2 && isLeapYear(year) ? 29 : kDays[mon - 1];
}

bool inRange(std::int32_t value, std::int32_t low, std::int32_t high) {
  return value >= low && value <= high;
}

// The status cvtToSec1996_checked documents for a record, the checks in its
// order: the fields' ranges, the date, the span, the leap second.
Sec1996ParseStatus documentedStatus(const Date1996& d) {
  const bool endOfDay = d.hour == 24 && d.min == 0 && d.sec == 0;
  if (!inRange(d.mon, 1, 12) || !inRange(d.day, 1, 31) ||
      (!endOfDay &&
       (!inRange(d.hour, 0, 23) || !inRange(d.min, 0, 59) || !inRange(d.sec, 0, 60)))) {
    return SEC1996_PARSE_FIELD_RANGE;
  }
  if (d.day > daysInMonth(d.year, d.mon)) return SEC1996_PARSE_NO_SUCH_DATE;
  const std::int64_t midnight = daysFromEpoch(d.year, d.mon, d.day) * kSecondsPerDay;
  const std::int64_t count =
      exactCount(midnight) + std::int64_t{d.hour} * 3600 + std::int64_t{d.min} * 60 + d.sec;
  if (count < 0 || count > kLastCount) return SEC1996_PARSE_OUT_OF_SPAN;
  if ((endOfDay || d.sec == 60) && count != kLeapSecond) return SEC1996_PARSE_NOT_LEAP_SECOND;
  return SEC1996_PARSE_OK;
}

void checkRecord(const Date1996& d) {
  Sec1996 count = kUntouched;
  const Sec1996ParseStatus status = cvtToSec1996_checked(d, &count);
  const Sec1996ParseStatus expected = documentedStatus(d);
  FUZZ_CHECK(status == expected,
             "{%" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32
             "} gives status %d, expected %d",
             d.year, d.mon, d.day, d.hour, d.min, d.sec, status, expected);
  Sec1996 arrayCount = kUntouched;
  Sec1996ParseStatus arrayStatus = SEC1996_PARSE_LIST_NOT_FOUND;
  const std::size_t refusals = cvtToSec1996_checked_n(&d, 1, &arrayCount, &arrayStatus);
  FUZZ_CHECK(arrayStatus == status && refusals == (status == SEC1996_PARSE_OK ? 0U : 1U),
             "cvtToSec1996_checked_n gives status %d, the single door %d", arrayStatus, status);
  if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(count == kUntouched, "a refusal (%d) wrote %" PRIu32, status, count);
    FUZZ_CHECK(arrayCount == 0, "cvtToSec1996_checked_n wrote %" PRIu32 " for a refusal",
               arrayCount);
    return;
  }
  FUZZ_CHECK(count == cvtToSec1996(d) && arrayCount == count,
             "accepted as %" PRIu32 ", cvtToSec1996 gives %" PRIu32 ", the array %" PRIu32, count,
             cvtToSec1996(d), arrayCount);
  // The lossless record of the count is the record itself, but for
  // 24:00:00, which reads back as the 23:59:60 it names.
  const Date1996 back = cvtFromSec1996_lossless(count);
  const bool same = back.year == d.year && back.mon == d.mon && back.day == d.day &&
                    back.hour == d.hour && back.min == d.min && back.sec == d.sec;
  FUZZ_CHECK(same || (d.hour == 24 && back.sec == 60),
             "count %" PRIu32 " reads back as {%" PRId32 ", %" PRId32 ", %" PRId32 ", %" PRId32
             ", %" PRId32 ", %" PRId32 "}",
             count, back.year, back.mon, back.day, back.hour, back.min, back.sec);
}

void checkYearDay(double dayOfYear, std::int32_t year) {
  Sec1996 count = kUntouched;
  const Sec1996ParseStatus status = cvtToSec1996_yd_checked(dayOfYear, year, &count);
  Sec1996ParseStatus expected = SEC1996_PARSE_OK;
  if (std::isnan(dayOfYear) || std::isinf(dayOfYear)) {
    expected = SEC1996_PARSE_NOT_A_NUMBER;
  } else if (dayOfYear < 1.0 || dayOfYear >= 367.0) {
    expected = SEC1996_PARSE_FIELD_RANGE;
  } else if (dayOfYear >= 366.0 && !isLeapYear(year)) {
    expected = SEC1996_PARSE_NO_SUCH_DATE;
  } else {
    const double whole = std::trunc(dayOfYear);
    const auto seconds =
        static_cast<std::int64_t>(std::floor((dayOfYear - whole) * kSecondsPerDay + 0.5));
    const std::int64_t days = daysFromEpoch(year, 1, 1) + static_cast<std::int64_t>(whole) - 1;
    const std::int64_t exact = exactCount(days * kSecondsPerDay) + seconds;
    if (exact < 0 || exact > kLastCount) expected = SEC1996_PARSE_OUT_OF_SPAN;
  }
  FUZZ_CHECK(status == expected, "(%a, %" PRId32 ") gives status %d, expected %d", dayOfYear, year,
             status, expected);
  if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(count == kUntouched, "a refusal (%d) wrote %" PRIu32, status, count);
    return;
  }
  FUZZ_CHECK(count == cvtToSec1996_yd(dayOfYear, year),
             "(%a, %" PRId32 ") accepted as %" PRIu32 ", cvtToSec1996_yd gives %" PRIu32, dayOfYear,
             year, count, cvtToSec1996_yd(dayOfYear, year));
  // The count's own day of the year is accepted back as the count (the
  // leap second's reads as the next second).
  const YearDay1996 yd = cvtFromSec1996_yd(count);
  Sec1996 back = kUntouched;
  FUZZ_CHECK(cvtToSec1996_yd_checked(yd.dayOfYear, yd.year, &back) == SEC1996_PARSE_OK &&
                 back == (isLeapSecond1996(count) != 0 ? count + 1 : count),
             "count %" PRIu32 " as (%.9f, %" PRId32 ") comes back as %" PRIu32, count, yd.dayOfYear,
             yd.year, back);
}

void checkPosix(std::int64_t seconds) {
  Sec1996 count = kUntouched;
  const Sec1996ParseStatus status = cvtToSec1996_posix_checked(seconds, &count);
  // Every POSIX second of the span but the leap second's is one count.
  const bool onScale = seconds >= kPosixOfEpoch && seconds <= kPosixOfEpoch + kLastCount - 1;
  FUZZ_CHECK(status == (onScale ? SEC1996_PARSE_OK : SEC1996_PARSE_OUT_OF_SPAN),
             "%" PRId64 " gives status %d", seconds, status);
  if (status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(count == kUntouched, "a refusal wrote %" PRIu32, count);
    return;
  }
  FUZZ_CHECK(count == cvtToSec1996_posix(seconds) && cvtFromSec1996_posix(count) == seconds,
             "%" PRId64 " accepted as %" PRIu32 ", which is POSIX %" PRId64, seconds, count,
             cvtFromSec1996_posix(count));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputReader in(data, size);
  // Fields near the scale are made likely: a low bit of the first byte
  // folds the year into the span's neighbourhood and the other fields into
  // a little beyond their ranges, so that dates, :60 and 24:00:00 are met.
  const auto shape = in.next<std::uint8_t>();
  Date1996 d = {in.next<std::int32_t>(), in.next<std::int32_t>(), in.next<std::int32_t>(),
                in.next<std::int32_t>(), in.next<std::int32_t>(), in.next<std::int32_t>()};
  if ((shape & 1) != 0) {
    const auto fold = [](std::int32_t v, std::uint32_t span, std::int32_t low) {
      return low + static_cast<std::int32_t>(static_cast<std::uint32_t>(v) % span);
    };
    d = {fold(d.year, 140, 1994), fold(d.mon, 14, 0),  fold(d.day, 33, 0),
         fold(d.hour, 26, -1),    fold(d.min, 62, -1), fold(d.sec, 63, -1)};
  }
  checkRecord(d);
  const double dayOfYear = in.next<double>();
  const std::int32_t year = in.next<std::int32_t>();
  checkYearDay(dayOfYear, year);
  checkYearDay(std::fmod(std::fabs(dayOfYear), 368.0),
               1994 + static_cast<std::int32_t>(static_cast<std::uint32_t>(year) % 140));
  const std::int64_t seconds = in.next<std::int64_t>();
  checkPosix(seconds);
  checkPosix(kPosixOfEpoch - 2 + (seconds & 0x1FFFFFFFF));
  return 0;
}
