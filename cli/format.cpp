// Hand-written formatting of the output line.  printf would cost more than
// the conversions themselves at millions of lines a second, so the columns
// are written digit by digit; the day-of-year column still comes out
// byte for byte as printf's "%9.6f" (see formatYearDay).
#include "format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "true_time.h"

namespace sec1996::cli {
namespace {

constexpr int kSecondsPerDay = 86400;
constexpr std::int64_t kMicrodaysPerDay = 1000000;
// s seconds are s * 10^6 / 86400 = s * 625 / 54 millionths of a day.
constexpr int kMicrodaysPerSecondNum = 625;
constexpr int kMicrodaysPerSecondDen = 54;
static_assert(std::int64_t{kSecondsPerDay} * kMicrodaysPerSecondNum ==
              kMicrodaysPerDay * kMicrodaysPerSecondDen);
constexpr int kDecimals = 6;
// The library's text is always this long.
constexpr std::size_t kTextLength = SEC1996_TEXT_SIZE - 1;
// "%4.4ld.%9.6f" of a year of the scale and a day below 1000.
constexpr std::size_t kMaxYearDayLength = 15;

// value in exactly width digits, filled with leading zeros.
char* putDigits(char* out, std::uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

// value in as many digits as it needs.
char* putNumber(char* out, std::uint32_t value) {
  char digits[10];  // 4294967295 has ten
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) *out++ = digits[--n];
  return out;
}

}  // namespace

// printf rounds the exact binary value of the double to six decimals.  The
// library forms dayOfYear as day + seconds / 86400.0, within an ulp (below
// 1e-13) of the rational day + seconds * 625 / 54 millionths; unless that
// rational lies exactly halfway between two millionths, the nearest rounding
// boundary is at least 1/54 of a millionth away, so rounding the rational in
// integers gives printf's digits.  The halfway cases (one second in 54) and
// any value not formed that way go to snprintf itself.
char* formatYearDay(char* out, const YearDay1996& yearDay) {
  constexpr std::int32_t kFirstFourDigitYear = 1000;
  constexpr std::int32_t kLastFourDigitYear = 9999;
  constexpr double kFirstDay = 1.0;
  constexpr double kDayLimit = 1000.0;
  const double value = yearDay.dayOfYear;
  if (yearDay.year >= kFirstFourDigitYear && yearDay.year <= kLastFourDigitYear &&
      value >= kFirstDay && value < kDayLimit) {
    const auto day = static_cast<int>(value);  // [1, 999]
    const auto seconds =                       // [0, 86400]
        static_cast<int>(std::lround((value - day) * kSecondsPerDay));
    const int scaled = seconds * kMicrodaysPerSecondNum;
    const int rest = scaled % kMicrodaysPerSecondDen;
    if (day + seconds / static_cast<double>(kSecondsPerDay) == value &&
        2 * rest != kMicrodaysPerSecondDen) {
      const std::int64_t microdays = std::int64_t{day} * kMicrodaysPerDay +
                                     scaled / kMicrodaysPerSecondDen +
                                     (2 * rest > kMicrodaysPerSecondDen ? 1 : 0);
      const auto whole = static_cast<std::uint32_t>(microdays / kMicrodaysPerDay);
      out = putDigits(out, static_cast<std::uint64_t>(yearDay.year), 4);
      *out++ = '.';
      if (whole < 10) *out++ = ' ';  // "%9.6f" pads the day to two places
      out = putNumber(out, whole);
      *out++ = '.';
      return putDigits(out, static_cast<std::uint64_t>(microdays % kMicrodaysPerDay), kDecimals);
    }
  }
  char text[64];
  const int length =
      std::snprintf(text, sizeof text, "%4.4ld.%9.6f", static_cast<long>(yearDay.year), value);
  // Only the days of the scale's years reach here; the bound keeps any other
  // value inside the caller's line.
  const std::size_t kept =
      length < 0 ? 0 : std::min(static_cast<std::size_t>(length), kMaxYearDayLength);
  std::memcpy(out, text, kept);
  return out + kept;
}

std::string_view formName(Form form) {
  switch (form) {
    case Form::kCount:
      return "count";
    case Form::kIso8601:
      return "iso8601";
    case Form::kText:
      return "text";
    case Form::kYearDay:
      return "yearday";
    case Form::kCuc:
      return "cuc";
    case Form::kCds:
      return "cds";
    case Form::kCcs:
      return "ccs";
    case Form::kPosix:
      return "posix";
    case Form::kPattern:
      return "format";
    case Form::kTai:
      return "tai";
    case Form::kTt:
      return "tt";
    case Form::kGps:
      return "gps";
    case Form::kGpsWeek:
      return "gps-week";
  }
  return {};
}

bool formMayContain(Form form, char c) {
  if (c >= '0' && c <= '9') return true;
  switch (form) {
    case Form::kCount:
    case Form::kPosix:
      return false;
    case Form::kIso8601:
      return c == '-' || c == 'T' || c == ':' || c == 'Z';
    case Form::kText:  // the month names are letters
      return c == '-' || c == ' ' || c == ':' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    case Form::kYearDay:
      return c == '.' || c == ' ';
    case Form::kCuc:
    case Form::kCds:
    case Form::kCcs:
      return c >= 'A' && c <= 'F';
    case Form::kPattern:  // anything the pattern holds
      return true;
    case Form::kTai:
    case Form::kGps:
      return false;
    case Form::kTt:
      return c == '.';
    case Form::kGpsWeek:
      return c == ':';
  }
  return true;
}

char* formatForm(char* out, Sec1996 count, Form form, std::uint64_t fraction,
                 const CodeLayouts& layouts) {
  switch (form) {
    case Form::kCount:
      return putNumber(out, count);
    case Form::kIso8601:
      stringDate1996_iso(count, out);
      return out + SEC1996_ISO_LENGTH;
    case Form::kText:
      stringDate1996_r(count, out);
      return out + kTextLength;
    case Form::kYearDay:
      return formatYearDay(out, cvtFromSec1996_yd(count));
    case Form::kCuc:
      return formatCode(out, count, fraction, Code::kCuc, layouts);
    case Form::kCds:
      return formatCode(out, count, fraction, Code::kCds, layouts);
    case Form::kCcs:
      return formatCode(out, count, fraction, Code::kCcs, layouts);
    case Form::kPosix: {
      const std::int64_t seconds = cvtFromSec1996_posix(count);  // 820454400 to 5115421694
      char digits[20];
      int n = 0;
      auto rest = static_cast<std::uint64_t>(seconds);
      do {
        digits[n++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
      } while (rest != 0);
      while (n > 0) *out++ = digits[--n];
      return out;
    }
    case Form::kPattern:  // needs its pattern: formatPattern
      break;
    case Form::kTai:
      return formatTrueTime(out, count, TrueTimeForm::kTai);
    case Form::kTt:
      return formatTrueTime(out, count, TrueTimeForm::kTt);
    case Form::kGps:
      return formatTrueTime(out, count, TrueTimeForm::kGps);
    case Form::kGpsWeek:
      return formatTrueTime(out, count, TrueTimeForm::kGpsWeek);
  }
  return out;
}

char* formatPattern(char* out, Sec1996 count, const char* pattern) {
  std::size_t length = 0;
  // The pattern was checked when the options were read, and its text fits.
  if (formatDate1996(count, pattern, out, kMaxPatternLength + 1, &length) != SEC1996_PARSE_OK) {
    return out;
  }
  return out + length;
}

char* formatLine(char* out, Sec1996 count) {
  // Each form's terminating zero falls where the tab or newline after it goes.
  for (const Form form : kAllForms) {
    out = formatForm(out, count, form);
    *out++ = '\t';
  }
  out[-1] = '\n';
  return out;
}

}  // namespace sec1996::cli
