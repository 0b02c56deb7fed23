// Strict reading of counts and of the three date forms; see parse.h.
#include "parse.h"

#include "report.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>

#include "true_time.h"

namespace sec1996::cli {
namespace {

constexpr std::uint64_t kLastCount = std::numeric_limits<Sec1996>::max();
constexpr std::int32_t kFirstYear = 1996;
constexpr int kMonthsPerYear = 12;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
// Six decimals of a day are millionths; f millionths are f * 864 / 10000
// seconds, rounded half up as the library rounds the fraction.
constexpr std::int64_t kSecondsPerMicrodayNum = 864;
constexpr std::int64_t kSecondsPerMicrodayDen = 10000;
static_assert(kSecondsPerMicrodayNum * 1000000 == 86400 * kSecondsPerMicrodayDen);
constexpr std::size_t kYearDigits = 4;
constexpr std::size_t kDayDecimals = 6;
constexpr std::size_t kMaxDayDigits = 3;

// The fixed-width forms, field by field: Y, M, D, h, m and s stand for the
// digits of year, month, day, hour, minute and second, N for the letters of
// a month name; every other character stands for itself.
constexpr std::string_view kIsoShape = "YYYY-MM-DDThh:mm:ss";
constexpr std::string_view kTextShape = "DD-NNN-YYYY hh:mm:ss";
constexpr std::string_view kDigitFields = "YMDhms";
constexpr std::string_view kIsoForm = "YYYY-MM-DDTHH:MM:SS[Z]";
constexpr std::string_view kTextForm = "DD-Mon-YYYY HH:MM:SS";
constexpr std::string_view kYearDayForm = "YYYY.DDD.ffffff";

[[gnu::format(printf, 1, 2)]] std::string format(const char* pattern, ...) {
  char text[256];
  std::va_list arguments;
  va_start(arguments, pattern);
  const int length = std::vsnprintf(text, sizeof text, pattern, arguments);
  va_end(arguments);
  return length < 0 ? std::string{} : std::string{text};
}

ParseResult refuse(std::string reason) { return {false, 0, std::move(reason)}; }
ParseResult accept(Sec1996 count) { return {true, count, {}}; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool matchesShape(std::string_view text, std::string_view shape) {
  if (text.size() < shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const char c = text[i];
    const bool fits = kDigitFields.find(shape[i]) != std::string_view::npos ? isDigit(c)
                      : shape[i] == 'N'                                     ? isLetter(c)
                                                                            : c == shape[i];
    if (!fits) return false;
  }
  return true;
}

// The number written by the digits text[at, at + length), all known digits.
int digitsAt(std::string_view text, std::size_t at, std::size_t length) {
  int value = 0;
  for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

// The field marked by letter in shape, read from text that matches shape.
int fieldOf(std::string_view text, std::string_view shape, char letter) {
  const std::size_t first = shape.find(letter);
  return digitsAt(text, first, shape.find_last_of(letter) - first + 1);
}

// The six fields of text that matches shape, with the month given apart
// when the shape names it.
Date1996 dateOf(std::string_view text, std::string_view shape, int mon) {
  return {fieldOf(text, shape, 'Y'), mon,
          fieldOf(text, shape, 'D'), fieldOf(text, shape, 'h'),
          fieldOf(text, shape, 'm'), fieldOf(text, shape, 's')};
}

int daysInMonth(int year, int mon) {
  using namespace std::chrono;
  const year_month_day_last last{std::chrono::year{year},
                                 month_day_last{month{static_cast<unsigned>(mon)}}};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

int daysInYear(int year) {
  constexpr int kCommonYearDays = 365;
  return std::chrono::year{year}.is_leap() ? kCommonYearDays + 1 : kCommonYearDays;
}

std::string isoText(Sec1996 count) {
  char text[SEC1996_ISO_SIZE];
  return stringDate1996_iso(count, text);
}

// The end of the scale as the library reads count 4294967295, in the
// fields each form compares.
struct LastInstant {
  int year;
  int dayOfYear;
  int secondOfDay;
  std::string iso;
};

const LastInstant& lastInstant() {
  static const LastInstant last = [] {
    const auto count = static_cast<Sec1996>(kLastCount);
    const Date1996 record = cvtFromSec1996_lossless(count);
    return LastInstant{record.year, static_cast<int>(cvtFromSec1996_yd(count).dayOfYear),
                       record.hour * kSecondsPerHour + record.min * kSecondsPerMinute + record.sec,
                       isoText(count)};
  }();
  return last;
}

std::string afterTheEnd() { return "after the end of the scale, " + lastInstant().iso; }
std::string beforeTheStart() { return "before the start of the scale, " + isoText(0); }

// The leap seconds of the scale, for the message that refuses a :60, from
// the library's own table: each entry is the count just after its leap
// second.
std::string leapSecondList() {
  static const std::string list = [] {
    const Sec1996* entries = nullptr;
    const std::size_t n = leapSeconds1996(&entries);
    std::string names;
    for (std::size_t i = 0; i < n; ++i) names += (i == 0 ? "" : ", ") + isoText(entries[i] - 1);
    return names.empty() ? std::string("none") : names;
  }();
  return list;
}

// The month abbreviations as the library writes them, read from its own
// text of the first day of each month, so that they are defined once.
const std::array<std::string, kMonthsPerYear>& monthNames() {
  constexpr std::size_t kNameOffset = 3;  // DD-Mon-...
  constexpr std::size_t kNameLength = 3;
  static const std::array<std::string, kMonthsPerYear> names = [] {
    std::array<std::string, kMonthsPerYear> result;
    for (int mon = 1; mon <= kMonthsPerYear; ++mon) {
      char text[SEC1996_TEXT_SIZE];
      stringDate1996_r(cvtToSec1996({kFirstYear, mon, 1, 0, 0, 0}), text);
      result[static_cast<std::size_t>(mon - 1)] = std::string(text + kNameOffset, kNameLength);
    }
    return result;
  }();
  return names;
}

// The reason the library's strict reader gave for refusing date, read from
// ISO text at the offset it named, in the words of a message.
ParseResult refuseDate(const Date1996& date, Sec1996ParseStatus status, std::size_t offset) {
  switch (status) {
    case SEC1996_PARSE_OUT_OF_SPAN:
      return refuse(date.year < kFirstYear ? beforeTheStart() : afterTheEnd());
    case SEC1996_PARSE_NOT_LEAP_SECOND:
      return refuse(
          format("%04d-%02d-%02dT%02d:%02d:60 is not a leap second (the scale's leap seconds: %s)",
                 date.year, date.mon, date.day, date.hour, date.min, leapSecondList().c_str()));
    case SEC1996_PARSE_FIELD_RANGE:
    case SEC1996_PARSE_NO_SUCH_DATE:
      switch (offset < kIsoShape.size() ? kIsoShape[offset] : '\0') {
        case 'M':
          return refuse(format("month %02d does not exist", date.mon));
        case 'D':
          return refuse(format("day %02d does not exist in %04d-%02d, which has %d days", date.day,
                               date.year, date.mon, daysInMonth(date.year, date.mon)));
        case 'h':
          return refuse(format("hour %02d does not exist", date.hour));
        case 'm':
          return refuse(format("minute %02d does not exist", date.min));
        case 's':
          return refuse(format("second %02d does not exist", date.sec));
        default:
          break;
      }
      break;
    default:
      break;
  }
  return refuse(parseStatusText1996(status));
}

// ISO 8601 text through the library's strict reader, its refusals in the
// converter's words.
ParseResult checkIso(std::string_view iso) {
  Sec1996 count = 0;
  std::size_t offset = 0;
  const Sec1996ParseStatus status = parseDate1996_iso(iso.data(), iso.size(), &count, &offset);
  if (status == SEC1996_PARSE_OK) return accept(count);
  if (status == SEC1996_PARSE_SYNTAX) {
    if (offset < kIsoShape.size()) {
      return refuse(format("not an ISO 8601 date and time %.*s", static_cast<int>(kIsoForm.size()),
                           kIsoForm.data()));
    }
    return refuse("trailing characters after the date and time");
  }
  return refuseDate(dateOf(iso, kIsoShape, fieldOf(iso, kIsoShape, 'M')), status, offset);
}

ParseResult parseText(std::string_view input) {
  if (!matchesShape(input, kTextShape)) {
    return refuse(format("not a date in the library's form %.*s",
                         static_cast<int>(kTextForm.size()), kTextForm.data()));
  }
  if (input.size() > kTextShape.size()) {
    return refuse("trailing characters after the date and time");
  }
  const std::size_t nameAt = kTextShape.find('N');
  const std::string_view name = input.substr(nameAt, kTextShape.find_last_of('N') - nameAt + 1);
  const auto& names = monthNames();
  int mon = 0;
  for (int i = 0; i < kMonthsPerYear; ++i) {
    if (names[static_cast<std::size_t>(i)] == name) mon = i + 1;
  }
  if (mon == 0) {
    return refuse(format("unknown month name \"%.*s\" (%s to %s)", static_cast<int>(name.size()),
                         name.data(), names.front().c_str(), names.back().c_str()));
  }
  // The same date and time in ISO 8601, its digits as written, so that both
  // forms are checked, and refused, alike.
  const auto digitsOf = [input](char letter) {
    const std::size_t first = kTextShape.find(letter);
    return input.substr(first, kTextShape.find_last_of(letter) - first + 1);
  };
  const std::string_view time = input.substr(kTextShape.find('h'));  // hh:mm:ss in both
  std::string iso;
  iso.append(digitsOf('Y')).append(1, '-');
  iso.append(1, static_cast<char>('0' + mon / 10)).append(1, static_cast<char>('0' + mon % 10));
  iso.append(1, '-').append(digitsOf('D')).append(1, 'T').append(time);
  return checkIso(iso);
}

ParseResult parseYearDay(std::string_view input) {
  constexpr std::size_t kDayAt = kYearDigits + 1;  // after "YYYY."
  constexpr std::int32_t kLastPaddedDay = 9;
  const auto malformed = [] {
    return refuse(format("not a year and day of the year %.*s as CvtTest prints it",
                         static_cast<int>(kYearDayForm.size()), kYearDayForm.data()));
  };
  const int year = digitsAt(input, 0, kYearDigits);
  std::size_t at = kDayAt;
  const bool padded = at < input.size() && input[at] == ' ';
  if (padded) ++at;
  const std::size_t dayStart = at;
  while (at < input.size() && isDigit(input[at]) && at - dayStart <= kMaxDayDigits) ++at;
  const std::size_t dayDigits = at - dayStart;
  if (dayDigits == 0 || dayDigits > kMaxDayDigits || at >= input.size() || input[at] != '.') {
    return malformed();
  }
  const int day = digitsAt(input, dayStart, dayDigits);
  if (dayDigits > 1 && input[dayStart] == '0') {
    return refuse("the day of the year is written without leading zeros");
  }
  if (padded && day > kLastPaddedDay) {
    return refuse("a blank pads only a day of the year below 10");
  }
  const std::size_t fractionStart = at + 1;
  std::size_t end = fractionStart;
  while (end < input.size() && isDigit(input[end])) ++end;
  if (end - fractionStart != kDayDecimals) {
    return refuse("the day of the year needs exactly six decimals, as CvtTest prints it");
  }
  if (end != input.size()) return refuse("trailing characters after the day of the year");

  if (year < kFirstYear) return refuse(beforeTheStart());
  const int yearLength = daysInYear(year);
  if (day < 1 || day > yearLength) {
    return refuse(
        format("day %d does not exist in %04d, which has %d days", day, year, yearLength));
  }
  const std::int64_t microdays = digitsAt(input, fractionStart, kDayDecimals);
  const std::int64_t seconds =  // [0, 86400]
      (microdays * kSecondsPerMicrodayNum + kSecondsPerMicrodayDen / 2) / kSecondsPerMicrodayDen;
  const LastInstant& last = lastInstant();
  if (year > last.year || (year == last.year && day > last.dayOfYear) ||
      (year == last.year && day == last.dayOfYear && seconds > last.secondOfDay)) {
    return refuse(afterTheEnd());
  }
  // The day and its decimals as the double nearest to their text.
  double dayOfYear = 0.0;
  const auto [stop, error] =
      std::from_chars(input.data() + dayStart, input.data() + end, dayOfYear);
  if (error != std::errc{} || stop != input.data() + end) return malformed();
  return accept(cvtToSec1996_yd(dayOfYear, year));
}

// "@SECONDS": POSIX seconds, checked against the scale.
ParseResult parsePosix(std::string_view input) {
  constexpr std::size_t kMaxDigits = 18;  // below 2^63
  std::size_t at = 1;                     // after the '@'
  const bool negative = at < input.size() && input[at] == '-';
  if (negative) ++at;
  const std::size_t first = at;
  std::int64_t value = 0;
  while (at < input.size() && isDigit(input[at]) && at - first < kMaxDigits) {
    value = value * 10 + (input[at++] - '0');
  }
  if (at == first || (at < input.size() && !isDigit(input[at]))) {
    return refuse("not POSIX seconds @SECONDS (an optional - and decimal digits)");
  }
  Sec1996 count = 0;
  if (at < input.size() ||
      cvtToSec1996_posix_checked(negative ? -value : value, &count) != SEC1996_PARSE_OK) {
    return refuse(
        format("POSIX seconds outside the scale, @%lld to @%lld",
               static_cast<long long>(cvtFromSec1996_posix(0)),
               static_cast<long long>(cvtFromSec1996_posix(static_cast<Sec1996>(kLastCount)))));
  }
  return accept(count);
}

}  // namespace

ParseResult parseValue(std::string_view input, const std::string& pattern) {
  if (pattern.empty()) return parseValue(input);
  if (input.empty()) return refuse("empty");
  if (input.back() == '\r') return refuse("ends in a carriage return (a DOS line ending?)");
  Sec1996 count = 0;
  std::size_t offset = 0;
  const Sec1996ParseStatus status =
      parseDate1996(input.data(), input.size(), pattern.c_str(), &count, &offset);
  if (status == SEC1996_PARSE_OK) return accept(count);
  if (status == SEC1996_PARSE_NOT_LEAP_SECOND) {
    return refuse(
        format("second 60 at offset %zu is not a leap second (the scale's leap seconds: %s)",
               offset, leapSecondList().c_str()));
  }
  if (status == SEC1996_PARSE_OUT_OF_SPAN) {
    return refuse("outside the scale, " + isoText(0) + " to " + lastInstant().iso);
  }
  return refuse(std::string(parseStatusText1996(status)) + ", at offset " + std::to_string(offset) +
                " (--input-format " + quoted(pattern, false) + ")");
}

ParseResult parseValue(std::string_view input) {
  constexpr std::size_t kDayDigits = kTextShape.find_first_not_of('D');
  if (input.empty()) return refuse("empty");
  if (input.back() == '\r') return refuse("ends in a carriage return (a DOS line ending?)");
  if (isSpace(input.front())) return refuse("starts with white space");
  if (isSpace(input.back())) return refuse("ends with white space");
  if (auto trueTime = parseTrueTime(input)) return *std::move(trueTime);

  // Leading digits: a whole count, or the first field of a date.
  std::uint64_t value = 0;
  std::size_t digits = 0;
  while (digits < input.size() && isDigit(input[digits])) {
    value = value * 10 + static_cast<std::uint64_t>(input[digits] - '0');
    if (value > kLastCount) value = kLastCount + 1;  // saturate: any longer is too large as well
    ++digits;
  }
  if (digits == input.size()) {
    if (value > kLastCount) return refuse("count above 4294967295");
    return accept(static_cast<Sec1996>(value));
  }
  const char next = input[digits];
  if (digits == 0 && (next == '-' || next == '+') && input.size() > 1) {
    bool signedCount = true;
    for (const char c : input.substr(1)) signedCount = signedCount && isDigit(c);
    if (signedCount) return refuse("a count has no sign: counts run from 0 to 4294967295");
  }
  if (digits == kYearDigits && next == '-') return checkIso(input);
  if (digits == kYearDigits && next == '.') return parseYearDay(input);
  if (digits == kDayDigits && next == '-') return parseText(input);
  if (digits == 0 && next == '@') return parsePosix(input);
  return refuse("not a count or a date in a known form (see --help)");
}

}  // namespace sec1996::cli
