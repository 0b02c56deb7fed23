// parseDate1996_iso (what it returns: sec1996.h).
//
// The text is matched character by character against the shape first, so
// that nothing past length is read and a zero byte, a sign or a blank is a
// syntax error at its own offset.  The fields are then checked in the order
// a reader would name the fault: the start of the scale, month, day, hour,
// minute, second, the end of the scale, and last whether a :60 is a leap
// second of the table.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "checked.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

// Y, M, D, h, m and s stand for the digits of each field; every other
// character stands for itself.
constexpr std::string_view kShape = "YYYY-MM-DDThh:mm:ss";

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool isFieldLetter(char c) {
  return c == 'Y' || c == 'M' || c == 'D' || c == 'h' || c == 'm' || c == 's';
}

struct FieldAt {
  std::size_t offset;
  std::size_t width;
};

constexpr FieldAt fieldOf(char letter) {
  const std::size_t first = kShape.find(letter);
  return {first, kShape.find_last_of(letter) - first + 1};
}

constexpr FieldAt kYear = fieldOf('Y');
constexpr FieldAt kMonth = fieldOf('M');
constexpr FieldAt kDay = fieldOf('D');
constexpr FieldAt kHour = fieldOf('h');
constexpr FieldAt kMinute = fieldOf('m');
constexpr FieldAt kSecond = fieldOf('s');

std::int32_t valueOf(const char* text, FieldAt field) {
  std::int32_t value = 0;
  for (std::size_t i = 0; i < field.width; ++i) value = value * 10 + (text[field.offset + i] - '0');
  return value;
}

Sec1996ParseStatus refuse(Sec1996ParseStatus status, std::size_t offset, std::size_t* errorOffset) {
  if (errorOffset != nullptr) *errorOffset = offset;
  return status;
}

}  // namespace

Sec1996ParseStatus parseDate1996_iso(const char* text, size_t length, Sec1996* count,
                                     size_t* errorOffset) {
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    if (i >= length) return refuse(SEC1996_PARSE_SYNTAX, i, errorOffset);
    const bool fits = isFieldLetter(kShape[i]) ? isDigit(text[i]) : text[i] == kShape[i];
    if (!fits) return refuse(SEC1996_PARSE_SYNTAX, i, errorOffset);
  }
  if (length > kShape.size() && (length != kShape.size() + 1 || text[kShape.size()] != 'Z')) {
    return refuse(SEC1996_PARSE_SYNTAX, kShape.size() + (text[kShape.size()] == 'Z' ? 1 : 0),
                  errorOffset);
  }
  const std::int32_t date[6] = {valueOf(text, kYear),   valueOf(text, kMonth),
                                valueOf(text, kDay),    valueOf(text, kHour),
                                valueOf(text, kMinute), valueOf(text, kSecond)};
  const auto [year, mon, day, hour, min, sec] = date;
  if (year < kFirstYear) return refuse(SEC1996_PARSE_OUT_OF_SPAN, 0, errorOffset);
  if (mon < 1 || mon > 12) return refuse(SEC1996_PARSE_FIELD_RANGE, kMonth.offset, errorOffset);
  if (day < 1 || day > 31) return refuse(SEC1996_PARSE_FIELD_RANGE, kDay.offset, errorOffset);
  if (day > daysInMonth(year, mon)) {
    return refuse(SEC1996_PARSE_NO_SUCH_DATE, kDay.offset, errorOffset);
  }
  if (hour > 23) return refuse(SEC1996_PARSE_FIELD_RANGE, kHour.offset, errorOffset);
  if (min > 59) return refuse(SEC1996_PARSE_FIELD_RANGE, kMinute.offset, errorOffset);
  if (sec > kLeapSecondField) {
    return refuse(SEC1996_PARSE_FIELD_RANGE, kSecond.offset, errorOffset);
  }
  const std::int64_t exact = exactCountFromRecord(year, mon, day, hour, min, sec, kLeapSeconds);
  if (!isOnScale(exact)) return refuse(SEC1996_PARSE_OUT_OF_SPAN, 0, errorOffset);
  if (sec == kLeapSecondField && (hour != 23 || min != 59 || !isLeapCount(exact, kLeapSeconds))) {
    return refuse(SEC1996_PARSE_NOT_LEAP_SECOND, kSecond.offset, errorOffset);
  }
  if (count != nullptr) *count = wrapCount(exact);
  return SEC1996_PARSE_OK;
}
