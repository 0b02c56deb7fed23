// Strict reading of counts and of the three date forms; see parse.h.
#include "parse.h"

#include <array>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>

#include "calendar.h"
#include "format.h"
#include "leap_second.h"

namespace sec1996::cli {
namespace {

constexpr std::uint64_t kLastCount = std::numeric_limits<Sec1996>::max();
constexpr std::int32_t kFirstYear = 1996;
constexpr int kMonthsPerYear = 12;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLeapSecondField = 60;
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

int daysInMonth(std::int64_t year, int mon) {
  return static_cast<int>(detail::daysFromCivil(year, mon + 1, 1) -
                          detail::daysFromCivil(year, mon, 1));
}

int daysInYear(std::int64_t year) {
  return static_cast<int>(detail::daysFromCivil(year + 1, 1, 1) -
                          detail::daysFromCivil(year, 1, 1));
}

std::string isoText(const Date1996& record, bool leapSecond) {
  char text[kMaxLineLength];
  return std::string(text, formatIso(text, record, leapSecond));
}

// The end of the scale as the library reads count 4294967295, in the
// fields each form compares.
struct LastInstant {
  Date1996 record;
  int dayOfYear;
  int secondOfDay;
  std::string iso;
};

const LastInstant& lastInstant() {
  static const LastInstant last = [] {
    const auto count = static_cast<Sec1996>(kLastCount);
    const Date1996 record = cvtFromSec1996(count);
    return LastInstant{record, static_cast<int>(cvtFromSec1996_yd(count).dayOfYear),
                       record.hour * kSecondsPerHour + record.min * kSecondsPerMinute + record.sec,
                       isoText(record, isLeapSecond(count))};
  }();
  return last;
}

std::string afterTheEnd() { return "after the end of the scale, " + lastInstant().iso; }
std::string beforeTheStart() {
  return "before the start of the scale, " + isoText(cvtFromSec1996(0), false);
}

// The leap seconds of the table, for the message that refuses a :60.
std::string leapSecondList() {
  std::string list;
  for (const std::int32_t entry : detail::kLeapSeconds) {
    const auto count = static_cast<Sec1996>(entry - 1);
    list += (list.empty() ? "" : ", ") + isoText(cvtFromSec1996(count), true);
  }
  return list.empty() ? "none" : list;
}

// The month abbreviations as the library writes them, read from its own
// text of the first day of each month, so that they are defined once.
const std::array<std::string, kMonthsPerYear>& monthNames() {
  constexpr std::size_t kNameOffset = 3;  // DD-Mon-...
  constexpr std::size_t kNameLength = 3;
  static const std::array<std::string, kMonthsPerYear> names = [] {
    std::array<std::string, kMonthsPerYear> result;
    for (int mon = 1; mon <= kMonthsPerYear; ++mon) {
      const char* text = stringDate1996(cvtToSec1996({kFirstYear, mon, 1, 0, 0, 0}));
      result[static_cast<std::size_t>(mon - 1)] = std::string(text + kNameOffset, kNameLength);
    }
    return result;
  }();
  return names;
}

bool isAfter(const Date1996& date, const Date1996& last) {
  const int a[] = {date.year, date.mon, date.day, date.hour, date.min, date.sec};
  const int b[] = {last.year, last.mon, last.day, last.hour, last.min, last.sec};
  for (std::size_t i = 0; i < std::size(a); ++i) {
    if (a[i] != b[i]) return a[i] > b[i];
  }
  return false;
}

// A calendar date and time of day, every field read but none checked yet.
ParseResult checkDateTime(const Date1996& date) {
  if (date.year < kFirstYear) return refuse(beforeTheStart());
  if (date.mon < 1 || date.mon > kMonthsPerYear) {
    return refuse(format("month %02d does not exist", date.mon));
  }
  const int monthLength = daysInMonth(date.year, date.mon);
  if (date.day < 1 || date.day > monthLength) {
    return refuse(format("day %02d does not exist in %04d-%02d, which has %d days", date.day,
                         date.year, date.mon, monthLength));
  }
  if (date.hour > kLastHour) return refuse(format("hour %02d does not exist", date.hour));
  if (date.min > kLastMinute) return refuse(format("minute %02d does not exist", date.min));
  if (date.sec > kLeapSecondField) return refuse(format("second %02d does not exist", date.sec));
  if (isAfter(date, lastInstant().record)) return refuse(afterTheEnd());
  const Sec1996 count = cvtToSec1996(date);
  if (date.sec == kLeapSecondField &&
      (date.hour != kLastHour || date.min != kLastMinute || !isLeapSecond(count))) {
    return refuse(
        format("%04d-%02d-%02dT%02d:%02d:60 is not a leap second (the scale's leap seconds: %s)",
               date.year, date.mon, date.day, date.hour, date.min, leapSecondList().c_str()));
  }
  return accept(count);
}

ParseResult parseIso(std::string_view input) {
  if (!matchesShape(input, kIsoShape)) {
    return refuse(format("not an ISO 8601 date and time %.*s", static_cast<int>(kIsoForm.size()),
                         kIsoForm.data()));
  }
  const std::string_view rest = input.substr(kIsoShape.size());
  if (!rest.empty() && rest != "Z") return refuse("trailing characters after the date and time");
  return checkDateTime(dateOf(input, kIsoShape, fieldOf(input, kIsoShape, 'M')));
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
  return checkDateTime(dateOf(input, kTextShape, mon));
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
  if (year > last.record.year || (year == last.record.year && day > last.dayOfYear) ||
      (year == last.record.year && day == last.dayOfYear && seconds > last.secondOfDay)) {
    return refuse(afterTheEnd());
  }
  // The day and its decimals as the double nearest to their text.
  double dayOfYear = 0.0;
  const auto [stop, error] =
      std::from_chars(input.data() + dayStart, input.data() + end, dayOfYear);
  if (error != std::errc{} || stop != input.data() + end) return malformed();
  return accept(cvtToSec1996_yd(dayOfYear, year));
}

}  // namespace

ParseResult parseValue(std::string_view input) {
  constexpr std::size_t kDayDigits = kTextShape.find_first_not_of('D');
  if (input.empty()) return refuse("empty");
  if (input.back() == '\r') return refuse("ends in a carriage return (a DOS line ending?)");
  if (isSpace(input.front())) return refuse("starts with white space");
  if (isSpace(input.back())) return refuse("ends with white space");

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
  if (digits == kYearDigits && next == '-') return parseIso(input);
  if (digits == kYearDigits && next == '.') return parseYearDay(input);
  if (digits == kDayDigits && next == '-') return parseText(input);
  return refuse("not a count or a date in a known form (see --help)");
}

}  // namespace sec1996::cli
