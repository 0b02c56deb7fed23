// What the fuzz targets share: reading fields from the fuzzer's bytes, a
// check that aborts with a message (so libFuzzer keeps the input), and an
// oracle for the exact count of any date, written independently of the
// library's calendar code (year by year from 0001-01-01 with a table of month
// lengths, rather than by 400-year eras from March) from what the public
// header documents:
//   - a date's fields roll over as timegm() rolls them;
//   - the one leap second, 1997-06-30 23:59:60, is count 47260800, so every
//     moment from 1997-07-01 00:00:00 on gains one second;
//   - the exact count is reduced modulo 2^32.
#ifndef SEC1996_FUZZ_FUZZ_SUPPORT_H
#define SEC1996_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sec1996::fuzz {

// Fills value from the next bytes of the input; missing bytes read as 0.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T next() {
    unsigned char bytes[sizeof(T)] = {};
    const std::size_t available = size_ - offset_ < sizeof(T) ? size_ - offset_ : sizeof(T);
    if (available > 0) std::memcpy(bytes, data_ + offset_, available);
    offset_ += available;
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

#define FUZZ_CHECK(condition, ...)                              \
  do {                                                          \
    if (!(condition)) {                                         \
      std::fprintf(stderr, "check failed: %s\n  ", #condition); \
      std::fprintf(stderr, __VA_ARGS__);                        \
      std::fprintf(stderr, "\n");                               \
      std::abort();                                             \
    }                                                           \
  } while (false)

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kMonthsPerYear = 12;
constexpr std::int32_t kEpochYear = 1996;
// Nominal seconds (days of 86400) from the epoch to 1997-07-01 00:00:00, the
// first moment after the leap second.
constexpr std::int64_t kAfterLeapSecondNominal = 547 * kSecondsPerDay;

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

constexpr bool isLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days from 0001-01-01 to 1 January of year (negative before it).
constexpr std::int64_t daysBeforeYear(std::int64_t year) {
  const std::int64_t y = year - 1;
  return 365 * y + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400);
}

// Days from 1996-01-01 to year-mon-day, with mon and day in any range:
// months roll over into years, days into months.  |year|, |mon| and |day|
// up to 2^31 keep every product far inside 64 bits.
constexpr std::int64_t daysFromEpoch(std::int64_t year, std::int64_t mon, std::int64_t day) {
  constexpr std::int64_t kDaysBeforeMonth[12] = {0,   31,  59,  90,  120, 151,
                                                 181, 212, 243, 273, 304, 334};
  const std::int64_t yearCarry = floorDiv(mon - 1, kMonthsPerYear);
  year += yearCarry;
  mon -= yearCarry * kMonthsPerYear;  // [1, 12]
  const std::int64_t februaryLeap = mon > 2 && isLeapYear(year) ? 1 : 0;
  return daysBeforeYear(year) - daysBeforeYear(kEpochYear) + kDaysBeforeMonth[mon - 1] +
         februaryLeap + day - 1;
}

static_assert(daysFromEpoch(1996, 1, 1) == 0);
static_assert(daysFromEpoch(1997, 7, 1) * kSecondsPerDay == kAfterLeapSecondNominal);
static_assert(daysFromEpoch(1996, 13, 1) == 366 && daysFromEpoch(1996, 3, 0) == 59);
static_assert(daysFromEpoch(1970, 1, 1) == -9496);

// The exact count of a moment given in nominal seconds from the epoch.
constexpr std::int64_t exactCount(std::int64_t nominal) {
  return nominal + (nominal >= kAfterLeapSecondNominal ? 1 : 0);
}

constexpr std::uint32_t modulo2To32(std::int64_t exact) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(exact));
}

}  // namespace sec1996::fuzz

#endif  // SEC1996_FUZZ_FUZZ_SUPPORT_H
