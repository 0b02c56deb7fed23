// sec1996::clock::to_utc / from_utc against the standard library's own
// std::chrono::utc_clock, which knows every leap second from the system's
// tz database.  Built only where that clock exists (scripts/ci_libcxx.sh:
// clang with libc++ and its experimental time zone database); there, a
// header that fails to find it is an error, not a skipped test.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <format>
#include <random>
#include <string>

#include "timescale/sec1996.hpp"

#if !SEC1996_HAS_STD_UTC_CLOCK
#error "sec1996.hpp found no std::chrono::utc_clock in a standard library that has one"
#endif

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr sec1996::time_point kLeap = sec1996::from_count(47260800);

// The library's label of a UTC point, in the form of sec1996's.
template <class Duration>
std::string utcLabel(const utc_time<Duration>& time) {
  return std::format("{:%FT%TZ}", time);
}

// A point through utc_clock: the same label there, the same point back, and
// a leap second on both sides or on neither.
template <class Duration>
void expectAgrees(const sec1996::sec1996_time<Duration>& point) {
  const auto utc = sec1996::clock::to_utc(point);
  EXPECT_EQ(utcLabel(utc), sec1996::to_iso_string(point)) << point;
  EXPECT_EQ(sec1996::clock::from_utc(utc), point) << point;
  EXPECT_EQ(get_leap_second_info(utc).is_leap_second, sec1996::clock::is_leap_second(point))
      << point;
#if defined(__cpp_lib_chrono) && __cpp_lib_chrono >= 201907L
  // clock_cast, where the library has it, finds the same conversions.
  EXPECT_EQ(clock_cast<utc_clock>(point), utc) << point;
  EXPECT_EQ(clock_cast<sec1996::clock>(utc), point) << point;
#endif
}

TEST(StdUtcClock, AgreesOnEverySecondWithinADayOfTheLeapSecond) {
  for (auto point = kLeap - 86400s; point <= kLeap + 86400s; point += 1s) expectAgrees(point);
  // Inside the leap second, finer points keep their fraction.
  expectAgrees(sec1996::sec1996_time<milliseconds>{kLeap + 1ms});
  expectAgrees(sec1996::sec1996_time<milliseconds>{kLeap + 999ms});
}

TEST(StdUtcClock, AgreesOnRandomCounts) {
  std::mt19937_64 random{19960101};
  std::uniform_int_distribution<std::uint32_t> count;
  std::uniform_int_distribution<int> millisecond{0, 999};
  for (int i = 0; i < 100000; ++i) {
    const sec1996::time_point point = sec1996::from_count(count(random));
    expectAgrees(point);
    if (i % 10 == 0) expectAgrees(point + milliseconds{millisecond(random)});
  }
}

TEST(StdUtcClock, LeapSecondsTheScaleDoesNotCountReadAsTheSecondBefore) {
  // utc_clock knows the leap seconds after 1997; the scale's table has
  // none of them, so each reads as the 23:59:59 it follows.
  int uncounted = 0;
  for (const leap_second& leap : get_tzdb().leap_seconds) {
    const sys_seconds midnight = leap.date();
    if (midnight <= sys_days{1997y / July / 1} || midnight >= sys_days{2132y / January / 1}) {
      continue;
    }
    const utc_seconds inserted = utc_clock::from_sys(midnight) - 1s;
    ASSERT_TRUE(get_leap_second_info(inserted).is_leap_second) << midnight;
    const auto point = sec1996::clock::from_utc(inserted);
    EXPECT_EQ(sec1996::clock::to_sys(point), midnight - 1s) << midnight;
    EXPECT_FALSE(sec1996::clock::is_leap_second(point)) << midnight;
    ++uncounted;
  }
  EXPECT_GT(uncounted, 0) << "the tz database lists no leap second after 1997";
}

}  // namespace
