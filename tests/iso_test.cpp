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

// With flags 0 the variant reader accepts what the strict one accepts, with
// the same counts, and refuses the rest at the same offset; only a fraction
// or an offset gets its own status where the strict reader says syntax.
TEST(IsoVariants, NoFlagsReadAsTheStrictReader) {
  for (const IsoCase& c : kCases) {
    const std::string copy(c.text);
    Sec1996 strict = 1, variant = 1;
    std::size_t strictAt = kNoOffset, variantAt = kNoOffset;
    const Sec1996ParseStatus expected =
        parseDate1996_iso(copy.data(), copy.size(), &strict, &strictAt);
    Sec1996ParseStatus got =
        parseDate1996_iso_opt(copy.data(), copy.size(), 0, &variant, &variantAt);
    if (got == SEC1996_PARSE_FRACTION || got == SEC1996_PARSE_OFFSET) got = SEC1996_PARSE_SYNTAX;
    EXPECT_EQ(got, expected) << copy;
    EXPECT_EQ(variantAt, strictAt) << copy;
    EXPECT_EQ(variant, strict) << copy;
  }
}

constexpr unsigned kSpace = SEC1996_ISO_SPACE, kLowerZ = SEC1996_ISO_LOWER_Z,
                   kUtcOffset = SEC1996_ISO_UTC_OFFSET, kAnyOffset = SEC1996_ISO_ANY_OFFSET,
                   kFloor = SEC1996_ISO_FLOOR_FRACTION;
constexpr unsigned kAll = kSpace | kLowerZ | kAnyOffset | kFloor;

struct VariantCase {
  std::string_view text;
  unsigned flags;
  Sec1996ParseStatus status;
  std::size_t offset;  // kNoOffset when accepted
  Sec1996 count;
};

constexpr Sec1996 kLeap = 47260800;

constexpr VariantCase kVariants[] = {
    // Each variant, refused without its flag and read with it.
    {"1997-06-30 23:59:60Z", 0, SEC1996_PARSE_SYNTAX, 10, 0},
    {"1997-06-30 23:59:60Z", kSpace, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30 23:59:60", kSpace, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30t23:59:60", kAll, SEC1996_PARSE_SYNTAX, 10, 0},
    {"1997-06-30T23:59:60z", 0, SEC1996_PARSE_SYNTAX, 19, 0},
    {"1997-06-30T23:59:60z", kLowerZ, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T23:59:60+00:00", 0, SEC1996_PARSE_OFFSET, 19, 0},
    {"1997-06-30T23:59:60+00:00", kUtcOffset, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T23:59:60-00:00", kUtcOffset, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T23:59:60+0000", kUtcOffset, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T23:59:60+00", kUtcOffset, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T23:59:60.5", 0, SEC1996_PARSE_FRACTION, 19, 0},
    {"1997-06-30T23:59:60.5Z", kAll & ~kFloor, SEC1996_PARSE_FRACTION, 19, 0},
    {"1997-06-30T23:59:60.999999999Z", kFloor, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T23:59:59.9", kFloor, SEC1996_PARSE_OK, kNoOffset, kLeap - 1},
    {"1997-06-30 23:59:60.75z", kSpace | kLowerZ | kFloor, SEC1996_PARSE_OK, kNoOffset, kLeap},
    // Other offsets: refused with only the zero offset allowed, converted
    // with any; the leap second is the UTC one.
    {"1997-07-01T01:59:60+02:00", kUtcOffset, SEC1996_PARSE_OFFSET, 19, 0},
    {"1997-07-01T01:59:60+02:00", kAnyOffset, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30T18:29:60-0530", kAnyOffset, SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-07-01T01:00:00+01", kAnyOffset, SEC1996_PARSE_OK, kNoOffset, kLeap + 1},
    {"1997-07-01T00:30:00+01:00", kAnyOffset, SEC1996_PARSE_OK, kNoOffset, kLeap - 1800},
    {"1997-06-30T23:59:60+01:00", kAnyOffset, SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    {"1995-12-31T23:00:00-01:00", kAnyOffset, SEC1996_PARSE_OK, kNoOffset, 0},
    {"1996-01-01T00:59:59+01:00", kAnyOffset, SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"2132-02-07T07:28:14+01:00", kAnyOffset, SEC1996_PARSE_OK, kNoOffset, 4294967295U},
    {"2132-02-07T06:28:15+00:00", kAnyOffset, SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    // Malformed variants, at the character refused.
    {"1997-06-30T23:59:60+24:00", kAnyOffset, SEC1996_PARSE_OFFSET, 19, 0},
    {"1997-06-30T23:59:60+01:60", kAnyOffset, SEC1996_PARSE_OFFSET, 19, 0},
    {"1997-06-30T23:59:60+1", kAnyOffset, SEC1996_PARSE_SYNTAX, 20, 0},
    {"1997-06-30T23:59:60+01:", kAnyOffset, SEC1996_PARSE_SYNTAX, 20, 0},
    {"1997-06-30T23:59:60+01:00Z", kAnyOffset, SEC1996_PARSE_SYNTAX, 25, 0},
    {"1997-06-30T23:59:60.", kFloor, SEC1996_PARSE_SYNTAX, 20, 0},
    {"1997-06-30T23:59:60.5.5", kFloor, SEC1996_PARSE_SYNTAX, 21, 0},
    {"1997-06-30T23:59:60Zz", kAll, SEC1996_PARSE_SYNTAX, 20, 0},
    {"1997-06-30T23:59:60 Z", kAll, SEC1996_PARSE_SYNTAX, 19, 0},
    {"1997-06-30  23:59:60", kSpace, SEC1996_PARSE_SYNTAX, 11, 0},
    {"1997-02-29 00:00:00.5", kAll, SEC1996_PARSE_NO_SUCH_DATE, 8, 0},
};

TEST(IsoVariants, EachVariantIsReadWithItsFlagOnly) {
  for (const VariantCase& c : kVariants) {
    const std::string copy(c.text);
    Sec1996 count = 12345;
    std::size_t at = kNoOffset;
    EXPECT_EQ(parseDate1996_iso_opt(copy.data(), copy.size(), c.flags, &count, &at), c.status)
        << copy << " flags " << c.flags;
    EXPECT_EQ(at, c.offset) << copy << " flags " << c.flags;
    EXPECT_EQ(count, c.status == SEC1996_PARSE_OK ? c.count : 12345U) << copy;
  }
}

TEST(IsoVariants, WriterReplacesTheSeparatorAndTheZone) {
  const struct {
    unsigned flags;
    const char* text;
  } cases[] = {
      {0, "1997-06-30T23:59:60Z"},
      {kSpace, "1997-06-30 23:59:60Z"},
      {kLowerZ, "1997-06-30T23:59:60z"},
      {kUtcOffset | kLowerZ, "1997-06-30T23:59:60+00:00"},
      {kSpace | kUtcOffset | kAnyOffset | kFloor, "1997-06-30 23:59:60+00:00"},
  };
  for (const auto& c : cases) {
    char buffer[SEC1996_ISO_OPT_SIZE];
    EXPECT_STREQ(stringDate1996_iso_opt(kLeap, c.flags, buffer), c.text) << c.flags;
    // What is written with a flag reads back with it.
    Sec1996 back = 0;
    EXPECT_EQ(
        parseDate1996_iso_opt(buffer, std::string_view(buffer).size(), c.flags, &back, nullptr),
        SEC1996_PARSE_OK)
        << buffer;
    EXPECT_EQ(back, kLeap) << buffer;
  }
}

}  // namespace
