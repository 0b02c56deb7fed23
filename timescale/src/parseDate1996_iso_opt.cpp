// parseDate1996_iso_opt (what it returns: sec1996.h).
//
// The strict shape first, character by character, with the separator the
// flags allow; then the optional fraction and the zone, each refused with
// its own status where the flags do not allow it; then the fields, checked
// in parseDate1996_iso's order, and last the local time at its offset as a
// checked count (pattern.h), which also decides a second 60.
#include <cstddef>
#include <cstdint>

#include "pattern.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

// Y, M, D, h, m and s stand for the digits of each field, and T for the
// date-time separator; every other character stands for itself.
constexpr char kShape[] = "YYYY-MM-DDThh:mm:ss";
constexpr std::size_t kShapeLength = sizeof kShape - 1;
constexpr std::size_t kMonthAt = 5, kDayAt = 8, kHourAt = 11, kMinuteAt = 14, kSecondAt = 17;

Sec1996ParseStatus refuse(Sec1996ParseStatus status, std::size_t offset, std::size_t* errorOffset) {
  if (errorOffset != nullptr) *errorOffset = offset;
  return status;
}

int twoDigits(const char* text, std::size_t at) {
  return (text[at] - '0') * 10 + text[at + 1] - '0';
}

bool fitsShape(char shape, char c, unsigned flags) {
  switch (shape) {
    case 'Y':
    case 'M':
    case 'D':
    case 'h':
    case 'm':
    case 's':
      return isDigit(c);
    case 'T':
      return c == 'T' || (c == ' ' && (flags & SEC1996_ISO_SPACE) != 0);
    default:
      return c == shape;
  }
}

// A UTC offset at text[at...]: +hh:mm, +hhmm or +hh.  Sets seconds and end,
// or returns the status that refuses it.
Sec1996ParseStatus readOffset(const char* text, std::size_t length, std::size_t at,
                              std::int64_t& seconds, std::size_t& end) {
  const bool negative = text[at] == '-';
  std::size_t i = at + 1;
  const auto digitsAt = [&](std::size_t k) {
    return k + 1 < length && isDigit(text[k]) && isDigit(text[k + 1]);
  };
  if (!digitsAt(i)) return SEC1996_PARSE_SYNTAX;
  const int hours = twoDigits(text, i);
  i += 2;
  int minutes = 0;
  if (i < length && text[i] == ':') {
    if (!digitsAt(i + 1)) return SEC1996_PARSE_SYNTAX;
    minutes = twoDigits(text, i + 1);
    i += 3;
  } else if (digitsAt(i)) {
    minutes = twoDigits(text, i);
    i += 2;
  }
  if (hours > 23 || minutes > 59) return SEC1996_PARSE_OFFSET;
  seconds = (negative ? -1 : 1) * (hours * kSecondsPerHour + minutes * kSecondsPerMinute);
  end = i;
  return SEC1996_PARSE_OK;
}

}  // namespace

Sec1996ParseStatus parseDate1996_iso_opt(const char* text, size_t length, unsigned flags,
                                         Sec1996* count, size_t* errorOffset) {
  if ((flags & SEC1996_ISO_ANY_OFFSET) != 0) flags |= SEC1996_ISO_UTC_OFFSET;
  for (std::size_t i = 0; i < kShapeLength; ++i) {
    if (i >= length || !fitsShape(kShape[i], text[i], flags)) {
      return refuse(SEC1996_PARSE_SYNTAX, i, errorOffset);
    }
  }
  std::size_t at = kShapeLength;
  if (at < length && text[at] == '.') {
    std::size_t end = at + 1;
    while (end < length && isDigit(text[end])) ++end;
    if (end == at + 1) return refuse(SEC1996_PARSE_SYNTAX, end, errorOffset);
    if ((flags & SEC1996_ISO_FLOOR_FRACTION) == 0) {
      return refuse(SEC1996_PARSE_FRACTION, at, errorOffset);
    }
    at = end;  // the floor of a non-negative time: the digits are dropped
  }
  std::int64_t offsetSeconds = 0;
  bool offsetGiven = false;
  if (at < length) {
    const char zone = text[at];
    if (zone == 'Z' || (zone == 'z' && (flags & SEC1996_ISO_LOWER_Z) != 0)) {
      ++at;
    } else if (zone == '+' || zone == '-') {
      std::size_t end = at;
      const Sec1996ParseStatus status = readOffset(text, length, at, offsetSeconds, end);
      if (status == SEC1996_PARSE_SYNTAX) return refuse(status, at + 1, errorOffset);
      const bool allowed = offsetSeconds == 0 ? (flags & SEC1996_ISO_UTC_OFFSET) != 0
                                              : (flags & SEC1996_ISO_ANY_OFFSET) != 0;
      if (status != SEC1996_PARSE_OK || !allowed) {
        return refuse(SEC1996_PARSE_OFFSET, at, errorOffset);
      }
      offsetGiven = true;
      at = end;
    }
    if (at < length) return refuse(SEC1996_PARSE_SYNTAX, at, errorOffset);
  }
  const int year = (text[0] - '0') * 1000 + (text[1] - '0') * 100 + twoDigits(text, 2);
  const int mon = twoDigits(text, kMonthAt), day = twoDigits(text, kDayAt);
  const int hour = twoDigits(text, kHourAt), min = twoDigits(text, kMinuteAt);
  const int sec = twoDigits(text, kSecondAt);
  // In UTC, a year before the scale is refused first, as parseDate1996_iso
  // refuses it; at an offset it may still land on the scale.
  if (!offsetGiven && year < kFirstYear) return refuse(SEC1996_PARSE_OUT_OF_SPAN, 0, errorOffset);
  if (mon < 1 || mon > 12) return refuse(SEC1996_PARSE_FIELD_RANGE, kMonthAt, errorOffset);
  if (day < 1 || day > 31) return refuse(SEC1996_PARSE_FIELD_RANGE, kDayAt, errorOffset);
  if (day > daysInMonth(year, mon)) return refuse(SEC1996_PARSE_NO_SUCH_DATE, kDayAt, errorOffset);
  if (hour > 23) return refuse(SEC1996_PARSE_FIELD_RANGE, kHourAt, errorOffset);
  if (min > 59) return refuse(SEC1996_PARSE_FIELD_RANGE, kMinuteAt, errorOffset);
  if (sec > kLeapSecondField) return refuse(SEC1996_PARSE_FIELD_RANGE, kSecondAt, errorOffset);
  const Checked checked = checkedCountFromLocal(year, mon, day, hour, min, sec, offsetSeconds);
  if (checked.status == SEC1996_PARSE_OUT_OF_SPAN) return refuse(checked.status, 0, errorOffset);
  if (checked.status != SEC1996_PARSE_OK) return refuse(checked.status, kSecondAt, errorOffset);
  if (count != nullptr) *count = checked.count;
  return SEC1996_PARSE_OK;
}
