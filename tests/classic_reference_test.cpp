// Inside the span that 32-bit calendar time serves (counts 0 to 1327029247)
// and with TZ=UTC, the conversions built the classic way, through mktime()
// and gmtime() with the leap-second table beside them, are exact.  The
// library must agree with them there, record for record and bit for bit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

constexpr std::int32_t kLeapTable[] = {47260801, 0};
constexpr Sec1996 kLastClassicCount = 1327029247;

tm classicFromCount(Sec1996 count) {
  tm probe{};
  probe.tm_mday = 1;
  probe.tm_year = 70;
  const time_t m70 = mktime(&probe);
  probe = tm{};
  probe.tm_mday = 1;
  probe.tm_year = 96;
  const time_t m96 = mktime(&probe);
  const time_t t0 = m96 - m70 + count;
  time_t t = t0;
  for (const std::int32_t entry : kLeapTable) {
    if (entry <= 0 || entry + 820454398 >= t0) break;
    --t;
  }
  tm result{};
  gmtime_r(&t, &result);
  return result;
}

Sec1996 classicToCount(Date1996 d) {
  tm date{};
  date.tm_year = d.year - 1900;
  date.tm_mon = d.mon - 1;
  date.tm_mday = d.day;
  const time_t a = mktime(&date);
  tm epoch{};
  epoch.tm_year = 96;
  epoch.tm_mday = 1;
  const time_t b = mktime(&epoch);
  auto c = static_cast<std::int32_t>(a - b);
  for (const std::int32_t entry : kLeapTable) {
    if (entry <= 0 || c < entry - 1) break;
    ++c;
  }
  return static_cast<Sec1996>(c) + static_cast<Sec1996>(d.hour * 3600 + d.min * 60 + d.sec);
}

Date1996 classicRecord(Sec1996 count) {
  const tm t = classicFromCount(count);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

YearDay1996 classicYearDay(Sec1996 count) {
  Date1996 r = classicRecord(count);
  r.hour = r.min = r.sec = 0;
  const Sec1996 c = classicToCount(r);
  const double frac = static_cast<double>(count - c) / 86400.0;
  r.mon = r.day = 1;
  const Sec1996 d = classicToCount(r);
  const Sec1996 day = (c - d + 43200) / 86400 + 1;
  return {day + frac, r.year};
}

Sec1996 classicFromYearDay(double dayOfYear, std::int32_t year) {
  const auto n = static_cast<std::int32_t>(dayOfYear);
  const auto s = static_cast<std::int32_t>((dayOfYear - n) * 86400.0 + 0.5);
  Date1996 r = classicRecord(classicToCount({year, 1, 1, 0, 0, n * 86400 - 43200}));
  r.hour = r.min = r.sec = 0;
  return classicToCount(r) + static_cast<Sec1996>(s);
}

TEST(ClassicReference, LibraryAgreesWithMktimeAndGmtimeInUtc) {
  const char* oldTz = std::getenv("TZ");
  const std::string savedTz = oldTz != nullptr ? oldTz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  std::mt19937 random(1996);
  std::uniform_int_distribution<Sec1996> spanCount(0, kLastClassicCount);
  for (int i = 0; i < 300000; ++i) {
    const Sec1996 count = i < 3 ? 47260799 + static_cast<Sec1996>(i) : spanCount(random);
    const Date1996 record = cvtFromSec1996(count);
    ASSERT_EQ(record, classicRecord(count)) << "count " << count;
    ASSERT_EQ(cvtToSec1996(record), classicToCount(record)) << "count " << count;
    const YearDay1996 yd = cvtFromSec1996_yd(count);
    const YearDay1996 expected = classicYearDay(count);
    ASSERT_EQ(yd.year, expected.year) << "count " << count;
    ASSERT_EQ(yd.dayOfYear, expected.dayOfYear) << "count " << count;
    ASSERT_EQ(cvtToSec1996_yd(yd.dayOfYear, yd.year), classicFromYearDay(yd.dayOfYear, yd.year))
        << "count " << count;
  }
  if (oldTz != nullptr) {
    setenv("TZ", savedTz.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
