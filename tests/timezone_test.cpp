// Results are UTC whatever the process time zone says.  A library that
// computed through mktime() would read 01:00:00 for count 0 under
// Europe/London, which kept UTC+1 all through 1970.
#include <gtest/gtest.h>

#include <ctime>

#include "classic.h"
#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

class InTimeZone : public ::testing::TestWithParam<const char*> {
 private:
  sec1996::testing::ScopedTimeZone zone_{GetParam()};
};

TEST_P(InTimeZone, EveryConversionGivesTheUtcResult) {
  EXPECT_EQ(cvtFromSec1996(0), (Date1996{1996, 1, 1, 0, 0, 0}));
  EXPECT_EQ(cvtFromSec1996(47260800), (Date1996{1997, 6, 30, 23, 59, 59}));
  EXPECT_EQ(cvtToSec1996({1996, 1, 1, 0, 0, 0}), 0U);
  EXPECT_EQ(cvtToSec1996({2010, 7, 1, 12, 0, 0}), 457531201U);
  EXPECT_DOUBLE_EQ(cvtFromSec1996_yd(43200).dayOfYear, 1.5);
  EXPECT_EQ(cvtToSec1996_yd(181.0, 1997), 47174400U);
  EXPECT_STREQ(stringDate1996(0), "01-Jan-1996 00:00:00");
  EXPECT_EQ(getDateFromSecondsSince1996(0)->tm_hour, 0);
  tm record{};
  record.tm_year = 99;
  record.tm_mday = 1;
  EXPECT_EQ(getSecondsSince1996FromDate(&record), 94694401U);
}

// The zones matter: the mktime() construction goes wrong in them.
// Should the machine lack their data, this fails rather than letting the
// tests above pass for nothing.
TEST(TimeZoneCheck, MktimeConstructionGoesWrongInTheseZones) {
  {
    const sec1996::testing::ScopedTimeZone london("Europe/London");
    EXPECT_EQ(classic::cvtFromSec1996(0), (Date1996{1996, 1, 1, 1, 0, 0}));
  }
  {
    const sec1996::testing::ScopedTimeZone caracas("America/Caracas");
    EXPECT_NE(classic::cvtToSec1996({2010, 7, 1, 12, 0, 0}), 457531201U);
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, InTimeZone, ::testing::ValuesIn(sec1996::testing::kTimeZones));

}  // namespace
