// The text form, stringDate1996.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include "test_support.h"
#include "timescale/sec1996.h"

namespace {

TEST(TextForm, CountsRenderAsTwentyCharacterUtcText) {
  // The library text, also into the caller's buffer, and ISO 8601, which
  // alone shows the leap second as it is.
  const struct {
    Sec1996 count;
    const char* text;
    const char* iso;
  } cases[] = {
      {0, "01-Jan-1996 00:00:00", "1996-01-01T00:00:00Z"},
      {47260799, "30-Jun-1997 23:59:59", "1997-06-30T23:59:59Z"},
      {47260800, "30-Jun-1997 23:59:59", "1997-06-30T23:59:60Z"},  // the leap second
      {47260801, "01-Jul-1997 00:00:00", "1997-07-01T00:00:00Z"},
      {1324425600, "19-Dec-2037 23:59:59", "2037-12-19T23:59:59Z"},
      {1327029248, "19-Jan-2038 03:14:07", "2038-01-19T03:14:07Z"},
      {4294967295U, "07-Feb-2132 06:28:14", "2132-02-07T06:28:14Z"},
  };
  for (const auto& [count, text, iso] : cases) {
    EXPECT_STREQ(stringDate1996(count), text) << "count " << count;
    char buffer[SEC1996_TEXT_SIZE + 1];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(stringDate1996_r(count, buffer), buffer);
    EXPECT_STREQ(buffer, text) << "count " << count;
    EXPECT_EQ(buffer[SEC1996_TEXT_SIZE], '#') << "wrote past the documented size";
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(stringDate1996_iso(count, buffer), buffer);
    EXPECT_STREQ(buffer, iso) << "count " << count;
    EXPECT_EQ(buffer[SEC1996_ISO_SIZE], '#') << "wrote past the documented size";
  }
}

TEST(TextForm, EveryDayMatchesStrftimeOfTheSameRecord) {
  // One count a day, at a time of day that moves through the day, across
  // the whole scale: the text is the record, in exactly 20 characters.
  for (std::uint64_t c = 0; c <= UINT32_MAX; c += 86400 + 7) {
    const auto count = static_cast<Sec1996>(c);
    const tm* t = getDateFromSecondsSince1996(count);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d-%s-%04d %02d:%02d:%02d", t->tm_mday,
                  sec1996::testing::kMonthAbbreviations[t->tm_mon], t->tm_year + 1900, t->tm_hour,
                  t->tm_min, t->tm_sec);
    const char* text = stringDate1996(count);
    ASSERT_EQ(std::strlen(text), 20U) << "count " << count;
    ASSERT_STREQ(text, expected) << "count " << count;
  }
}

TEST(TextForm, ResultIsOneBufferOverwrittenByTheNextCall) {
  char* first = stringDate1996(0);
  const std::string firstText = first;
  char* second = stringDate1996(86400);
  EXPECT_EQ(first, second);
  EXPECT_EQ(firstText, "01-Jan-1996 00:00:00");
  EXPECT_STREQ(first, "02-Jan-1996 00:00:00");
}

}  // namespace
