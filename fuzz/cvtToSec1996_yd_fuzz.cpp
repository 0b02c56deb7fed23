// Fuzzes cvtToSec1996_yd with any double (every bit pattern: NaN, the
// infinities, subnormals) and any year.  The result must be the documented
// one: NaN reads as 1.0, values beyond +-2^31 days are clamped, the count is
// that of 00:00:00 on day trunc(dayOfYear) of the year (day 0 is 31 December
// of the year before) plus the fraction rounded to whole seconds with
// floor(x * 86400 + 0.5), modulo 2^32.  On a day of the span, whole-second
// fractions come back from cvtFromSec1996_yd unchanged.
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "fuzz_support.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::fuzz;

constexpr double kDayLimit = 2147483648.0;  // 2^31 days
constexpr std::int32_t kYearsInSpan = 136;  // 1996 to 2131, whole years
constexpr std::uint64_t kDaysInShortestYear = 365;

std::uint32_t documentedCount(double dayOfYear, std::int32_t year) {
  if (std::isnan(dayOfYear)) dayOfYear = 1.0;
  if (dayOfYear > kDayLimit) dayOfYear = kDayLimit;
  if (dayOfYear < -kDayLimit) dayOfYear = -kDayLimit;
  const double whole = std::trunc(dayOfYear);
  const auto seconds =
      static_cast<std::int64_t>(std::floor((dayOfYear - whole) * kSecondsPerDay + 0.5));
  const std::int64_t days = daysFromEpoch(year, 1, 1) + static_cast<std::int64_t>(whole) - 1;
  return modulo2To32(exactCount(days * kSecondsPerDay) + seconds);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputReader in(data, size);
  const double dayOfYear = in.next<double>();
  const std::int32_t year = in.next<std::int32_t>();

  const Sec1996 count = cvtToSec1996_yd(dayOfYear, year);
  const std::uint32_t expected = documentedCount(dayOfYear, year);
  FUZZ_CHECK(count == expected, "(%a, %" PRId32 ") gives %" PRIu32 ", expected %" PRIu32, dayOfYear,
             year, count, expected);
  if (std::isnan(dayOfYear)) {
    FUZZ_CHECK(count == cvtToSec1996_yd(1.0, year), "NaN does not read as 1.0 in %" PRId32, year);
  }
  if (std::isinf(dayOfYear)) {
    FUZZ_CHECK(count == cvtToSec1996_yd(std::copysign(kDayLimit, dayOfYear), year),
               "%a is not clamped to 2^31 days in %" PRId32, dayOfYear, year);
  }

  // A whole second of a day of the span reads back as the same year and day
  // of the year (the leap second, the 86401st second of its day, is never
  // among them).
  {
    // Folded from the bits of the input, so that every input gives one.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &dayOfYear, sizeof bits);
    const std::int32_t spanYear =
        kEpochYear + static_cast<std::int32_t>(static_cast<std::uint32_t>(year) % kYearsInSpan);
    const auto day = static_cast<double>(1 + bits % kDaysInShortestYear);
    const auto second = static_cast<double>(bits / kDaysInShortestYear % kSecondsPerDay);
    const double inSpan = day + second / kSecondsPerDay;
    const Sec1996 spanCount = cvtToSec1996_yd(inSpan, spanYear);
    const YearDay1996 back = cvtFromSec1996_yd(spanCount);
    FUZZ_CHECK(back.year == spanYear && back.dayOfYear == inSpan,
               "(%.9f, %" PRId32 ") is count %" PRIu32 ", which reads (%.9f, %" PRId32 ")", inSpan,
               spanYear, spanCount, back.dayOfYear, back.year);
  }
  return 0;
}
