// Inside the span that 32-bit calendar time serves (counts 0 to 1327029247)
// and with TZ=UTC, the conversions built the classic way, through mktime()
// and gmtime() with the leap-second table beside them, are exact.  The
// library must agree with them there, record for record and bit for bit.
#include <gtest/gtest.h>

#include <random>

#include "classic.h"
#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

constexpr Sec1996 kLastClassicCount = 1327029247;

TEST(ClassicReference, LibraryAgreesWithMktimeAndGmtimeInUtc) {
  const sec1996::testing::ScopedTimeZone utc("UTC");
  std::mt19937 random(1996);
  std::uniform_int_distribution<Sec1996> spanCount(0, kLastClassicCount);
  for (int i = 0; i < 300000; ++i) {
    const Sec1996 count = i < 3 ? 47260799 + static_cast<Sec1996>(i) : spanCount(random);
    const Date1996 record = cvtFromSec1996(count);
    ASSERT_EQ(record, classic::cvtFromSec1996(count)) << "count " << count;
    ASSERT_EQ(cvtToSec1996(record), classic::cvtToSec1996(record)) << "count " << count;
    const YearDay1996 yd = cvtFromSec1996_yd(count);
    const YearDay1996 expected = classic::cvtFromSec1996_yd(count);
    ASSERT_EQ(yd.year, expected.year) << "count " << count;
    ASSERT_EQ(yd.dayOfYear, expected.dayOfYear) << "count " << count;
    ASSERT_EQ(cvtToSec1996_yd(yd.dayOfYear, yd.year),
              classic::cvtToSec1996_yd(yd.dayOfYear, yd.year))
        << "count " << count;
    ASSERT_STREQ(stringDate1996(count), classic::stringDate1996(count)) << "count " << count;
  }
}

}  // namespace
