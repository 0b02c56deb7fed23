// ISO 8601 reading, parseDate1996_iso: what it accepts, and for everything
// it refuses, the reason and the offset it names.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "timescale/sec1996.h"

namespace {

constexpr std::size_t kNoOffset = 999;

struct IsoCase {
  std::string_view text;
  Sec1996ParseStatus status;
  std::size_t offset;  // where a refusal points; kNoOffset when accepted
  Sec1996 count;       // when accepted
};

constexpr IsoCase kCases[] = {
    {"1996-01-01T00:00:00Z", SEC1996_PARSE_OK, kNoOffset, 0},
    {"1996-01-01T00:00:00", SEC1996_PARSE_OK, kNoOffset, 0},
    {"1996-02-29T00:00:00Z", SEC1996_PARSE_OK, kNoOffset, 5097600},
    {"1997-06-30T23:59:59Z", SEC1996_PARSE_OK, kNoOffset, 47260799},
    {"1997-06-30T23:59:60Z", SEC1996_PARSE_OK, kNoOffset, 47260800},
    {"1997-07-01T00:00:00Z", SEC1996_PARSE_OK, kNoOffset, 47260801},
    {"2132-02-07T06:28:14Z", SEC1996_PARSE_OK, kNoOffset, 4294967295U},
    // Syntax, at the first character that does not fit.
    {"", SEC1996_PARSE_SYNTAX, 0, 0},
    {" 1996-01-01T00:00:00", SEC1996_PARSE_SYNTAX, 0, 0},
    {"+1996-01-01T00:00:00", SEC1996_PARSE_SYNTAX, 0, 0},
    {"1996-01-01 00:00:00", SEC1996_PARSE_SYNTAX, 10, 0},
    {"1996-1-01T00:00:00", SEC1996_PARSE_SYNTAX, 6, 0},
    {"1996-01-01T00:00", SEC1996_PARSE_SYNTAX, 16, 0},
    {"1996-01-01T00:00:00z", SEC1996_PARSE_SYNTAX, 19, 0},
    {"1996-01-01T00:00:00ZZ", SEC1996_PARSE_SYNTAX, 20, 0},
    {"1996-01-01T00:00:00+00:00", SEC1996_PARSE_SYNTAX, 19, 0},
    {"1996-01-01T00:00:00\r", SEC1996_PARSE_SYNTAX, 19, 0},
    {std::string_view("1996-01-01T00:00:00\0", 20), SEC1996_PARSE_SYNTAX, 19, 0},
    {std::string_view("1996-01-01T00:0\0:00", 19), SEC1996_PARSE_SYNTAX, 15, 0},
    // A field out of its range, at the field.
    {"1996-00-01T00:00:00", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996-13-01T00:00:00", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996-01-00T00:00:00", SEC1996_PARSE_FIELD_RANGE, 8, 0},
    {"1996-01-32T00:00:00", SEC1996_PARSE_FIELD_RANGE, 8, 0},
    {"1996-01-01T24:00:00", SEC1996_PARSE_FIELD_RANGE, 11, 0},
    {"1996-01-01T00:60:00", SEC1996_PARSE_FIELD_RANGE, 14, 0},
    {"1997-06-30T23:59:61", SEC1996_PARSE_FIELD_RANGE, 17, 0},
    // A day its month lacks.
    {"1997-02-29T00:00:00", SEC1996_PARSE_NO_SUCH_DATE, 8, 0},
    {"1996-04-31T00:00:00", SEC1996_PARSE_NO_SUCH_DATE, 8, 0},
    // :60 anywhere but the scale's leap second, including real leap
    // seconds the table does not hold.
    {"1997-06-29T23:59:60", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    {"1997-06-30T23:58:60", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    {"2016-12-31T23:59:60Z", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    // Off the scale, reported at the start of the text.
    {"1995-12-31T23:59:59Z", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"0000-01-01T00:00:00Z", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"2132-02-07T06:28:15Z", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"9999-12-31T23:59:59Z", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
};

TEST(IsoForm, TextsAreAcceptedOrRefusedWithReasonAndOffset) {
  for (const auto& [text, status, offset, count] : kCases) {
    const std::string copy(text);  // nothing past the length to lean on
    Sec1996 got = 12345;
    std::size_t at = kNoOffset;
    EXPECT_EQ(parseDate1996_iso(copy.data(), copy.size(), &got, &at), status) << copy;
    EXPECT_EQ(at, offset) << copy;
    EXPECT_EQ(got, status == SEC1996_PARSE_OK ? count : 12345U) << copy;
    EXPECT_NE(parseStatusText1996(status), nullptr);
  }
}

TEST(IsoForm, ReadsOnlyTheGivenLength) {
  const char text[] = "1996-01-01T00:00:00Z and more";
  EXPECT_EQ(parseDate1996_iso(text, 19, nullptr, nullptr), SEC1996_PARSE_OK);
  EXPECT_EQ(parseDate1996_iso(text, 20, nullptr, nullptr), SEC1996_PARSE_OK);
  std::size_t at = 0;
  EXPECT_EQ(parseDate1996_iso(text, 10, nullptr, &at), SEC1996_PARSE_SYNTAX);
  EXPECT_EQ(at, 10U);
  EXPECT_EQ(parseDate1996_iso(nullptr, 0, nullptr, nullptr), SEC1996_PARSE_SYNTAX);
  EXPECT_STRNE(parseStatusText1996(static_cast<Sec1996ParseStatus>(77)), "");
}

TEST(IsoForm, WrittenTextReadsBackAroundTheLeapSecond) {
  for (Sec1996 count = 47260800 - 90000; count < 47260800 + 90000; ++count) {
    char text[SEC1996_ISO_SIZE];
    Sec1996 back = 0;
    ASSERT_EQ(parseDate1996_iso(stringDate1996_iso(count, text), 20, &back, nullptr),
              SEC1996_PARSE_OK)
        << text;
    ASSERT_EQ(back, count) << text;
  }
}

// The array form gives every text of the table what the single reader
// gives, in a column padded with zeros and in one exactly as wide as the
// text, and counts the refusals.
TEST(IsoForm, ArrayFormGivesEachTextTheSingleAnswer) {
  constexpr std::size_t kWidth = 24;
  std::string column;
  std::vector<Sec1996ParseStatus> expected;
  for (const IsoCase& c : kCases) {
    if (c.text.find('\0') != std::string_view::npos) continue;  // the zero ends a text there
    if (c.text.size() > kWidth) continue;
    std::string slot(c.text);
    slot.resize(kWidth, '\0');
    column += slot;
    expected.push_back(c.status);
    Sec1996 alone = 1, inArray = 1;
    Sec1996ParseStatus status = SEC1996_PARSE_SYNTAX;
    EXPECT_EQ(parseDate1996_iso_n(c.text.data(), 1, c.text.size(), &inArray, &status),
              c.status == SEC1996_PARSE_OK ? 0U : 1U)
        << c.text;
    EXPECT_EQ(status, parseDate1996_iso(c.text.data(), c.text.size(), &alone, nullptr)) << c.text;
    EXPECT_EQ(inArray, c.status == SEC1996_PARSE_OK ? alone : 0U) << c.text;
  }
  const std::size_t n = expected.size();
  std::vector<Sec1996> counts(n);
  std::vector<Sec1996ParseStatus> statuses(n);
  std::size_t refused = 0;
  for (const Sec1996ParseStatus s : expected) refused += s != SEC1996_PARSE_OK;
  EXPECT_EQ(parseDate1996_iso_n(column.data(), n, kWidth, counts.data(), statuses.data()), refused);
  EXPECT_EQ(statuses, expected);
  EXPECT_EQ(parseDate1996_iso_n(nullptr, 0, kWidth, nullptr, nullptr), 0U);
}

}  // namespace
