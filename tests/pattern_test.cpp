// Patterns, formatDate1996 and parseDate1996: what each conversion writes,
// what reading accepts, and for everything refused, the status and the
// offset named.  The comparison with glibc's strftime on every conversion
// over a million counts is in verify/patterns.cpp.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "timescale/sec1996.h"
#include "timescale/sec1996_format.hpp"

namespace {

constexpr Sec1996 kLeap = 47260800;
constexpr Sec1996 kLast = 4294967295U;
constexpr std::size_t kNoOffset = 999;

std::string formatted(Sec1996 count, const char* pattern) {
  char buffer[512];
  size_t length = 0;
  const Sec1996ParseStatus status = formatDate1996(count, pattern, buffer, sizeof buffer, &length);
  if (status != SEC1996_PARSE_OK) return "status " + std::to_string(status);
  EXPECT_EQ(length, std::string(buffer).size());
  return buffer;
}

struct FormatCase {
  Sec1996 count;
  const char* pattern;
  const char* text;
};

constexpr FormatCase kFormatCases[] = {
    {0, "%Y-%m-%d %H:%M:%S", "1996-01-01 00:00:00"},
    {kLeap, "%Y-%m-%d %H:%M:%S", "1997-06-30 23:59:60"},
    {kLeap, "%F %T|%R|%D", "1997-06-30 23:59:60|23:59|06/30/97"},
    {kLeap - 1, "%T", "23:59:59"},
    {kLeap + 1, "%T %j", "00:00:00 182"},
    {kLast, "%Y-%m-%dT%H:%M:%S%z", "2132-02-07T06:28:14+0000"},
    {0, "%Y.%j", "1996.001"},
    {31622399, "%Y.%j", "1996.366"},  // 31 December of a leap year
    {0, "%a %A %b %B %e|%d", "Mon Monday Jan January  1|01"},
    {kLeap, "%e %C %y %u %w", "30 19 97 1 1"},
    {0, "%s", "820454400"},
    {kLeap, "%s", "867715199"},  // the POSIX value of 23:59:59
    {kLeap + 1, "%s", "867715200"},
    {0, "%z %Ez %Z %%", "+0000 +0000 UTC %"},
    // Weeks: 1996-01-01 was a Monday; 1999-01-01 a Friday of 1998-W53;
    // 2008-12-29, a Monday, is 2009-W01.
    {0, "%U %W %G-W%V %g", "00 01 1996-W01 96"},
    {94694401, "%F %U %W %G-W%V", "1999-01-01 00 00 1998-W53"},
    {410054401, "%F %a %G-W%V %g", "2008-12-29 Mon 2009-W01 09"},
    {0, "", ""},
    {0, "no conversion", "no conversion"},
};

TEST(PatternFormat, EachConversionWritesItsField) {
  for (const FormatCase& c : kFormatCases) {
    EXPECT_EQ(formatted(c.count, c.pattern), c.text) << c.count << " " << c.pattern;
  }
}

TEST(PatternFormat, TooSmallBufferIsRefusedWithTheSizeNeeded) {
  char buffer[20];
  size_t length = 0;
  // 19 characters and the zero fit exactly in 20 bytes, not in 19.
  EXPECT_EQ(formatDate1996(kLeap, "%F %T", buffer, 20, &length), SEC1996_PARSE_OK);
  EXPECT_EQ(length, 19U);
  EXPECT_EQ(std::string(buffer), "1997-06-30 23:59:60");
  for (const size_t size : {19, 1, 0}) {
    buffer[0] = 'x';
    EXPECT_EQ(formatDate1996(kLeap, "%F %T", buffer, size, &length),
              SEC1996_PARSE_BUFFER_TOO_SMALL);
    EXPECT_EQ(length, 20U);
    EXPECT_EQ(buffer[0], size == 0 ? 'x' : '\0');
  }
  EXPECT_EQ(formatDate1996(0, "abc", nullptr, 0, &length), SEC1996_PARSE_BUFFER_TOO_SMALL);
  EXPECT_EQ(length, 4U);
}

struct PatternFault {
  const char* pattern;
  std::size_t offset;
};

// Refused by both functions, at the '%' of the conversion.
constexpr PatternFault kBadPatterns[] = {
    {"%q", 0},   {"%Y-%", 3}, {"%Ex", 0}, {"%E", 0},  {"%-d", 0},
    {"%10Y", 0}, {"ab%c", 2}, {"%x", 0},  {"%Oy", 0},
};

TEST(PatternFormat, UnknownOrTruncatedConversionIsRefusedAtItsOffset) {
  char buffer[64];
  for (const PatternFault& c : kBadPatterns) {
    size_t length = kNoOffset;
    buffer[0] = 'x';
    EXPECT_EQ(formatDate1996(0, c.pattern, buffer, sizeof buffer, &length), SEC1996_PARSE_PATTERN)
        << c.pattern;
    EXPECT_EQ(length, c.offset) << c.pattern;
    EXPECT_EQ(buffer[0], '\0');
  }
}

TEST(PatternFormat, OverlongPatternIsRefused) {
  const std::string longest(SEC1996_PATTERN_MAX_LENGTH, 'a');
  EXPECT_EQ(formatted(0, longest.c_str()), longest);
  const std::string overlong = longest + "%Y";
  char buffer[1024];
  size_t length = 0;
  EXPECT_EQ(formatDate1996(0, overlong.c_str(), buffer, sizeof buffer, &length),
            SEC1996_PARSE_PATTERN);
  EXPECT_EQ(length, size_t{SEC1996_PATTERN_MAX_LENGTH});
}

struct ParseCase {
  std::string_view text;
  const char* pattern;
  Sec1996ParseStatus status;
  std::size_t offset;  // kNoOffset when accepted
  Sec1996 count;
};

constexpr ParseCase kParseCases[] = {
    {"1996-01-01 00:00:00", "%Y-%m-%d %H:%M:%S", SEC1996_PARSE_OK, kNoOffset, 0},
    {"1997-06-30 23:59:60", "%F %T", SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"2132-02-07 06:28:14", "%F %T", SEC1996_PARSE_OK, kNoOffset, kLast},
    {"1997.182", "%Y.%j", SEC1996_PARSE_OK, kNoOffset, kLeap + 1},
    {"1997-181T23:59:60", "%Y-%jT%H:%M:%S", SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"30 jun 1997", "%d %b %Y", SEC1996_PARSE_OK, kNoOffset, kLeap + 1 - 86401},
    {"Monday, 30 JUNE 1997 23:59:60", "%A, %d %B %Y %T", SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"06/30/97 23:59", "%D %R", SEC1996_PARSE_OK, kNoOffset, kLeap - 60},
    {"Jan  1 96", "%b %e %y", SEC1996_PARSE_OK, kNoOffset, 0},
    {"Jan 01 96", "%b %e %y", SEC1996_PARSE_OK, kNoOffset, 0},
    {"1996", "%Y", SEC1996_PARSE_OK, kNoOffset, 0},  // the rest as 1 January 00:00:00
    {"867715200", "%s", SEC1996_PARSE_OK, kNoOffset, kLeap + 1},
    {"867715200 UTC", "%s %Z", SEC1996_PARSE_OK, kNoOffset, kLeap + 1},
    {"10%", "%y%%", SEC1996_PARSE_OK, kNoOffset, 441849601},  // 2010
    // Offsets move local time to UTC, the leap second included.
    {"1997-07-01 01:59:60 +0200", "%F %T %z", SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-06-30 18:29:60-0530", "%F %T%Ez", SEC1996_PARSE_OK, kNoOffset, kLeap},
    {"1997-07-01 00:30:00 +0100", "%F %T %z", SEC1996_PARSE_OK, kNoOffset, kLeap - 1800},
    {"1995-12-31 23:00:00 -0100", "%F %T %z", SEC1996_PARSE_OK, kNoOffset, 0},
    {"1996-01-01 00:59:59 +0100", "%F %T %z", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"1996-01-01 00:00:00 GMT", "%F %T %Z", SEC1996_PARSE_OK, kNoOffset, 0},
    // Text shorter than the pattern; the offset is the length.
    {"", "%Y", SEC1996_PARSE_TRUNCATED, 0, 0},
    {"1997-06", "%F", SEC1996_PARSE_TRUNCATED, 7, 0},
    {"1997-06-30 23:5", "%F %T", SEC1996_PARSE_TRUNCATED, 15, 0},
    {"1997 Ju", "%Y %b", SEC1996_PARSE_TRUNCATED, 7, 0},
    {"1997 Jun", "%Y %B", SEC1996_PARSE_TRUNCATED, 8, 0},
    // A character out of place, text left over, digits for letters, a
    // month in another language, a zero byte.
    {"1997-6-30", "%F", SEC1996_PARSE_MISMATCH, 6, 0},
    {"1997-06-30 ", "%F", SEC1996_PARSE_MISMATCH, 10, 0},
    {"1997-06-30T00:00:00", "%F %T", SEC1996_PARSE_MISMATCH, 10, 0},
    {"1997  06", "%Y %m", SEC1996_PARSE_MISMATCH, 5, 0},  // a blank is one blank
    {"30 06 1997", "%d %b %Y", SEC1996_PARSE_MISMATCH, 3, 0},
    {"30 Juin 1997", "%d %b %Y", SEC1996_PARSE_MISMATCH, 3, 0},
    {"30 Mär 1997", "%d %b %Y", SEC1996_PARSE_MISMATCH, 3, 0},
    {"30 Junio 1997", "%d %B %Y", SEC1996_PARSE_MISMATCH, 3, 0},
    {"30 June 1997", "%d %b %Y", SEC1996_PARSE_MISMATCH, 6, 0},  // %b is three letters
    {"Mo 1997", "%a %Y", SEC1996_PARSE_MISMATCH, 0, 0},
    {std::string_view("1997\0-06", 8), "%Y-%m", SEC1996_PARSE_MISMATCH, 4, 0},
    {std::string_view("1997-06\0", 8), "%Y-%m", SEC1996_PARSE_MISMATCH, 7, 0},
    {"+1997", "%Y", SEC1996_PARSE_MISMATCH, 0, 0},
    {"-1", "%s", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"x", "%s", SEC1996_PARSE_MISMATCH, 0, 0},
    {"1234567890123456789", "%s", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"1996 00:00:00 CET", "%Y %T %Z", SEC1996_PARSE_OFFSET, 14, 0},
    {"1996 00:00:00 utc", "%Y %T %Z", SEC1996_PARSE_OFFSET, 14, 0},
    {"1996 00:00:00 0000", "%Y %T %z", SEC1996_PARSE_MISMATCH, 14, 0},
    {"1996 00:00:00 +2400", "%Y %T %z", SEC1996_PARSE_OFFSET, 14, 0},
    {"1996 00:00:00 +0060", "%Y %T %z", SEC1996_PARSE_OFFSET, 14, 0},
    // Fields out of range, at the field.
    {"1996-13-01", "%F", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996-00-01", "%F", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996-01-32", "%F", SEC1996_PARSE_FIELD_RANGE, 8, 0},
    {"Jan  0 96", "%b %e %y", SEC1996_PARSE_FIELD_RANGE, 4, 0},
    {"1996.000", "%Y.%j", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996.367", "%Y.%j", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996 24:00:00", "%Y %T", SEC1996_PARSE_FIELD_RANGE, 5, 0},
    {"1996 00:60:00", "%Y %T", SEC1996_PARSE_FIELD_RANGE, 8, 0},
    {"1997-06-30 23:59:61", "%F %T", SEC1996_PARSE_FIELD_RANGE, 17, 0},
    // A day its month or year lacks.
    {"1997-02-29", "%F", SEC1996_PARSE_NO_SUCH_DATE, 8, 0},
    {"1997.366", "%Y.%j", SEC1996_PARSE_NO_SUCH_DATE, 5, 0},
    {"1996.366", "%Y.%j", SEC1996_PARSE_OK, kNoOffset, 31536000},
    // Fields given twice must agree.
    {"Tue 1997-06-30", "%a %F", SEC1996_PARSE_CONFLICT, 0, 0},
    {"1997-06-30 182", "%F %j", SEC1996_PARSE_CONFLICT, 11, 0},
    {"1997-06-30 181", "%F %j", SEC1996_PARSE_OK, kNoOffset, kLeap + 1 - 86401},
    {"1997-07 181", "%Y-%m %j", SEC1996_PARSE_CONFLICT, 8, 0},
    {"1997 98", "%Y %y", SEC1996_PARSE_CONFLICT, 5, 0},
    {"1997 1998", "%Y %Y", SEC1996_PARSE_CONFLICT, 5, 0},
    {"1997 1997", "%Y %Y", SEC1996_PARSE_OK, kNoOffset, 31622400},
    {"1996 +0100 +0200", "%Y %z %z", SEC1996_PARSE_CONFLICT, 11, 0},
    // :60 only at the scale's leap second, in UTC.
    {"1997-06-29 23:59:60", "%F %T", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    {"1997-06-30 23:58:60", "%F %T", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    {"2016-12-31 23:59:60", "%F %T", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    {"1997-06-30 23:59:60 +0100", "%F %T %z", SEC1996_PARSE_NOT_LEAP_SECOND, 17, 0},
    // Off the scale, at the year.
    {"1995-12-31 23:59:59", "%F %T", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"2132-02-07 06:28:15", "%F %T", SEC1996_PARSE_OUT_OF_SPAN, 0, 0},
    {"at 95", "at %y", SEC1996_PARSE_OUT_OF_SPAN, 3, 0},
    // Pattern faults, at their offset in the pattern, whatever the text.
    {"1996", "%H:%M", SEC1996_PARSE_PATTERN, 5, 0},  // no year
    {"1996", "%Y%", SEC1996_PARSE_PATTERN, 2, 0},
    {"1996", "%Y %C", SEC1996_PARSE_PATTERN, 3, 0},  // written only
    {"1996", "%G-W%V", SEC1996_PARSE_PATTERN, 0, 0},
    {"0 1996", "%s %Y", SEC1996_PARSE_PATTERN, 0, 0},
};

TEST(PatternParse, AcceptsTheLayoutAndRefusesAtTheFirstFault) {
  for (const ParseCase& c : kParseCases) {
    Sec1996 count = 12345;
    std::size_t offset = kNoOffset;
    const Sec1996ParseStatus status =
        parseDate1996(c.text.data(), c.text.size(), c.pattern, &count, &offset);
    EXPECT_EQ(status, c.status) << '"' << c.text << "\" " << c.pattern;
    EXPECT_EQ(offset, c.offset) << '"' << c.text << "\" " << c.pattern;
    EXPECT_EQ(count, c.status == SEC1996_PARSE_OK ? c.count : 12345U) << c.text;
  }
}

TEST(PatternParse, NewStatusesHaveTheirOwnWords) {
  const std::string unknown = parseStatusText1996(static_cast<Sec1996ParseStatus>(59));
  EXPECT_NE(std::string(parseStatusText1996(SEC1996_PARSE_CONFLICT)), unknown);
  EXPECT_NE(std::string(parseStatusText1996(SEC1996_PARSE_MISMATCH)), unknown);
  EXPECT_NE(std::string(parseStatusText1996(SEC1996_PARSE_MISMATCH)),
            parseStatusText1996(SEC1996_PARSE_SYNTAX));
}

TEST(PatternParse, OverlongPatternIsRefusedBeforeTheText) {
  const std::string overlong = std::string(SEC1996_PATTERN_MAX_LENGTH, 'a') + "%Y";
  std::size_t offset = 0;
  EXPECT_EQ(parseDate1996("", 0, overlong.c_str(), nullptr, &offset), SEC1996_PARSE_PATTERN);
  EXPECT_EQ(offset, size_t{SEC1996_PATTERN_MAX_LENGTH});
  for (const PatternFault& c : kBadPatterns) {
    offset = kNoOffset;
    EXPECT_EQ(parseDate1996("1996", 4, c.pattern, nullptr, &offset), SEC1996_PARSE_PATTERN);
    EXPECT_EQ(offset, c.offset) << c.pattern;
  }
}

TEST(PatternParse, ReadsBackWhatFormatWritesAroundTheLeapSecond) {
  const char* const patterns[] = {"%F %T", "%Y-%jT%H:%M:%S", "%a %d %B %Y %T %z", "%D %T", "%s %Z"};
  for (Sec1996 count = kLeap - 3; count <= kLeap + 3; ++count) {
    for (const char* pattern : patterns) {
      const std::string text = formatted(count, pattern);
      Sec1996 back = 0;
      const Sec1996ParseStatus status =
          parseDate1996(text.data(), text.size(), pattern, &back, nullptr);
      if (count == kLeap && std::string_view(pattern) == "%s %Z") {
        EXPECT_EQ(back, kLeap - 1);  // POSIX seconds cannot name the leap second
        continue;
      }
      EXPECT_EQ(status, SEC1996_PARSE_OK) << text;
      EXPECT_EQ(back, count) << text << " " << pattern;
    }
  }
}

// The C++ wrappers: a text longer than the first buffer, and every fault
// thrown with the status and offset of the C function.
TEST(PatternCxx, FormatAndParseThrowWhatTheCFunctionsRefuse) {
  const sec1996::time_point leap = sec1996::from_count(kLeap);
  EXPECT_EQ(sec1996::format(leap, "%F %T"), "1997-06-30 23:59:60");
  const std::string many(40, 'x');
  EXPECT_EQ(sec1996::format(leap, many + "%A %B %d %Y %T %z"),
            many + "Monday June 30 1997 23:59:60 +0000");
  EXPECT_EQ(sec1996::format(leap, std::string()), "");
  EXPECT_EQ(sec1996::parse("1997.182", "%Y.%j"), leap + std::chrono::seconds{1});
  const auto thrown = [](auto call) -> std::pair<Sec1996ParseStatus, std::size_t> {
    try {
      call();
    } catch (const sec1996::pattern_error& e) {
      return {e.status(), e.offset()};
    }
    return {SEC1996_PARSE_OK, kNoOffset};
  };
  using Fault = std::pair<Sec1996ParseStatus, std::size_t>;
  EXPECT_EQ(thrown([&] { sec1996::format(leap, "%F %q"); }), Fault(SEC1996_PARSE_PATTERN, 3));
  // Off the span the count would wrap and label another instant.
  EXPECT_EQ(thrown([] { sec1996::format(sec1996::time_point{std::chrono::seconds{-1}}, "%F"); }),
            Fault(SEC1996_PARSE_OUT_OF_SPAN, 0));
  EXPECT_EQ(thrown([] { sec1996::parse("1997-06-29 23:59:60", "%F %T"); }),
            Fault(SEC1996_PARSE_NOT_LEAP_SECOND, 17));
  EXPECT_EQ(thrown([] { sec1996::parse("1997.18", "%Y.%j"); }), Fault(SEC1996_PARSE_TRUNCATED, 7));
}

}  // namespace
