// The leap-second table and the core run with other tables: none, the
// library's own, and every leap second since 1996 from the tz database.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "leap_seconds.h"
#include "scale.h"
#include "test_support.h"

namespace {

using namespace sec1996::detail;

constexpr std::int32_t kDay = 86400;

TEST(LeapTable, SoundnessCheckRejectsBrokenTables) {
  const struct {
    std::vector<std::int32_t> table;
    bool sound;
  } cases[] = {
      {{0}, true},
      {{47260801, 0}, true},
      {{47260801, 94694402, 0}, true},
      {{kDay + 1, 2 * kDay + 2, 0}, true},
      {{}, false},                          // not closed
      {{47260801}, false},                  // not closed
      {{47260801, 0, 94694402, 0}, false},  // 0 before the end
      {{47260801, -5, 0}, false},           // negative entry
      {{47260800, 0}, false},               // not a midnight on the scale
      {{47260801, 94694401, 0}, false},     // second entry forgets the first
      {{94694402, 47260801, 0}, false},     // descending
      {{47260801, 47260802, 0}, false},     // the same midnight twice
      {{1, 0}, false},                      // a leap second before the epoch
  };
  for (const auto& [table, sound] : cases) {
    EXPECT_EQ(isSoundLeapTable(table), sound) << ::testing::PrintToString(table);
  }
}

TEST(LeapTable, LibraryTableHoldsTheLeapSecondOf1997Only) {
  ASSERT_EQ(kLeapSeconds.size(), 1U);
  EXPECT_EQ(kLeapSeconds[0], 47260801);
}

TEST(LeapTable, EmptyTableAppliesNoCorrection) {
  const LeapSeconds none{};
  const Fields f = fieldsFromCount(47260800, none);
  EXPECT_EQ(f.date.year, 1997);
  EXPECT_EQ(f.date.mon, 7);
  EXPECT_EQ(f.date.day, 1);
  EXPECT_EQ(f.hour * 3600 + f.min * 60 + f.sec, 0);
  EXPECT_FALSE(clockFromCount(47260800, none).leapSecond);
  EXPECT_EQ(countFromNominal(47260800, none), 47260800);
  EXPECT_EQ(countFromNominal(94694400, none), 94694400);
}

class FullLeapList : public ::testing::Test {
 protected:
  void SetUp() override {
    table_ = sec1996::testing::leapTableSince1996FromList(LEAP_SECONDS_LIST);
    if (table_.empty()) GTEST_SKIP() << "no " << LEAP_SECONDS_LIST;
  }
  LeapSeconds leaps() const { return entriesOf(table_); }
  std::vector<std::int32_t> table_;
};

TEST_F(FullLeapList, IsSoundAndStartsWithTheLibraryTable) {
  EXPECT_TRUE(isSoundLeapTable(table_));
  ASSERT_GE(leaps().size(), 7U);  // 1997 to 2017
  EXPECT_EQ(leaps()[0], kLeapSeconds[0]);
  // 1999-01-01 00:00:00 is 1096 nominal days after the epoch, 2 leap seconds on.
  EXPECT_EQ(leaps()[1], 1096 * kDay + 2);
  // 2017-01-01 00:00:00: 7671 days and the seven leap seconds since 1996.
  EXPECT_EQ(leaps()[6], 7671 * kDay + 7);
}

TEST_F(FullLeapList, EveryLeapSecondRepeats235959AndMidnightsConvertBack) {
  for (const std::int32_t entry : leaps()) {
    const auto leap = static_cast<std::uint32_t>(entry - 1);
    const ClockTime before = clockFromCount(leap - 1, leaps());
    const ClockTime at = clockFromCount(leap, leaps());
    const ClockTime after = clockFromCount(leap + 1, leaps());
    EXPECT_EQ(before.secondOfDay, 86399);
    EXPECT_FALSE(before.leapSecond);
    EXPECT_EQ(at.days, before.days);
    EXPECT_EQ(at.secondOfDay, 86399);
    EXPECT_TRUE(at.leapSecond);
    EXPECT_EQ(after.days, before.days + 1);
    EXPECT_EQ(after.secondOfDay, 0);
    EXPECT_EQ(midnightCount(after.days, leaps()), entry);
    EXPECT_EQ(midnightCount(before.days, leaps()) + kDay, entry - 1);
  }
}

TEST_F(FullLeapList, CountsRoundTripEverywhereButAtLeapSeconds) {
  // One count every 9999 seconds over the scale, plus both neighbours of
  // every leap second: from count to clock and back to the same count.
  std::vector<std::uint32_t> counts;
  for (std::uint64_t c = 0; c <= UINT32_MAX; c += 9999)
    counts.push_back(static_cast<std::uint32_t>(c));
  for (const std::int32_t entry : leaps()) {
    for (int d = -2; d <= 1; ++d) counts.push_back(static_cast<std::uint32_t>(entry + d));
  }
  for (const std::uint32_t count : counts) {
    const ClockTime clock = clockFromCount(count, leaps());
    const std::int64_t back = midnightCount(clock.days, leaps()) + clock.secondOfDay;
    ASSERT_EQ(back + (clock.leapSecond ? 1 : 0), count) << "count " << count;
  }
}

}  // namespace
