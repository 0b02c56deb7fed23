// parseDate1996 (what it returns: sec1996.h).
//
// Three steps.  The pattern is checked first, whole, so that a fault of the
// pattern is reported as such whatever the text holds.  The text is then
// read against it left to right, each field at its exact width and checked
// against its range where it stands, never reading past length.  Last, the
// fields are resolved into one date: the year, the date from month and day
// or from the day of the year, the fields given twice compared, and the
// local time at its offset turned into a checked count (pattern.h).
#include <cstddef>
#include <cstdint>

#include "pattern.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

// The fields a readable conversion sets.
enum : unsigned {
  kYear = 1U << 0,
  kYearInCentury = 1U << 1,
  kMonth = 1U << 2,
  kDay = 1U << 3,
  kYearDay = 1U << 4,
  kHour = 1U << 5,
  kMinute = 1U << 6,
  kSecond = 1U << 7,
  kWeekday = 1U << 8,
  kPosix = 1U << 9,
  kOffset = 1U << 10,
  kZone = 1U << 11,
  kNotReadable = 1U << 31,
};
constexpr unsigned kDateAndTime =
    kYear | kYearInCentury | kMonth | kDay | kYearDay | kHour | kMinute | kSecond | kWeekday;

constexpr unsigned fieldsOf(char letter) {
  switch (letter) {
    case 'Y':
      return kYear;
    case 'y':
      return kYearInCentury;
    case 'm':
    case 'b':
    case 'B':
      return kMonth;
    case 'd':
    case 'e':
      return kDay;
    case 'j':
      return kYearDay;
    case 'H':
      return kHour;
    case 'M':
      return kMinute;
    case 'S':
      return kSecond;
    case 'a':
    case 'A':
      return kWeekday;
    case 's':
      return kPosix;
    case 'z':
      return kOffset;
    case 'Z':
      return kZone;
    case '%':
      return 0;
    case 'T':
      return kHour | kMinute | kSecond;
    case 'F':
      return kYear | kMonth | kDay;
    case 'D':
      return kMonth | kDay | kYearInCentury;
    case 'R':
      return kHour | kMinute;
    default:
      return kNotReadable;
  }
}

// The conversion at pattern[i] == '%': its letter, and the index of that
// letter ("%Ez" is read as %z).
struct Conversion {
  char letter;
  std::size_t end;  // the index of the last character of the conversion
};

constexpr Conversion conversionAt(const char* pattern, std::size_t i) {
  if (pattern[i + 1] == 'E' && pattern[i + 2] == 'z') return {'z', i + 2};
  return {pattern[i + 1], i + 1};
}

struct PatternCheck {
  Sec1996ParseStatus status;
  std::size_t offset;  // in the pattern, when refused
  std::size_t length;
};

constexpr PatternCheck checkPattern(const char* pattern) {
  const std::size_t length = boundedLength(pattern, SEC1996_PATTERN_MAX_LENGTH);
  if (length > SEC1996_PATTERN_MAX_LENGTH) {
    return {SEC1996_PARSE_PATTERN, SEC1996_PATTERN_MAX_LENGTH, length};
  }
  unsigned fields = 0;
  std::size_t posixAt = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (pattern[i] != '%') continue;
    const Conversion conversion = conversionAt(pattern, i);
    const unsigned set = fieldsOf(conversion.letter);  // '\0', a truncated '%', is not readable
    if (set == kNotReadable) return {SEC1996_PARSE_PATTERN, i, length};
    if (set == kPosix) posixAt = i;
    fields |= set;
    i = conversion.end;
  }
  if ((fields & kPosix) != 0 && (fields & kDateAndTime) != 0) {
    return {SEC1996_PARSE_PATTERN, posixAt, length};
  }
  if ((fields & (kYear | kYearInCentury | kPosix)) == 0) {
    return {SEC1996_PARSE_PATTERN, length, length};  // no year
  }
  return {SEC1996_PARSE_OK, 0, length};
}

// A field read from the text, with where it starts there.
struct Field {
  std::int64_t value = 0;
  std::size_t offset = 0;
  bool seen = false;
};

constexpr std::size_t kMaxPosixDigits = 18;  // below 2^63

class Reader {
 public:
  Reader(const char* text, std::size_t length) : text_(text), length_(length) {}

  std::size_t position() const { return position_; }
  std::size_t failedAt() const { return failedAt_; }

  // Reads the text against length characters of a checked pattern.
  Sec1996ParseStatus read(const char* pattern, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
      Sec1996ParseStatus status;
      if (pattern[i] == '%') {
        const Conversion conversion = conversionAt(pattern, i);
        status = convert(conversion.letter);
        i = conversion.end;
      } else {
        status = literal(pattern[i]);
      }
      if (status != SEC1996_PARSE_OK) return status;
    }
    return SEC1996_PARSE_OK;
  }

  Sec1996ParseStatus fail(Sec1996ParseStatus status, std::size_t at) {
    failedAt_ = at;
    return status;
  }

  Field year, yearInCentury, mon, day, yearDay, hour, min, sec, weekday, posix, offset;

 private:
  Sec1996ParseStatus endOrMismatch() {
    return position_ == length_ ? fail(SEC1996_PARSE_TRUNCATED, length_)
                                : fail(SEC1996_PARSE_MISMATCH, position_);
  }

  Sec1996ParseStatus literal(char c) {
    if (position_ == length_ || text_[position_] != c) return endOrMismatch();
    ++position_;
    return SEC1996_PARSE_OK;
  }

  Sec1996ParseStatus digits(int width, std::int64_t& value) {
    value = 0;
    for (int k = 0; k < width; ++k) {
      if (position_ == length_ || !isDigit(text_[position_])) return endOrMismatch();
      value = value * 10 + (text_[position_++] - '0');
    }
    return SEC1996_PARSE_OK;
  }

  // Records a field; one given before must have the same value.
  Sec1996ParseStatus set(Field& field, std::int64_t value, std::size_t at) {
    if (field.seen && field.value != value) return fail(SEC1996_PARSE_CONFLICT, at);
    if (!field.seen) field = {value, at, true};
    return SEC1996_PARSE_OK;
  }

  Sec1996ParseStatus number(Field& field, int width, std::int64_t low, std::int64_t high) {
    const std::size_t at = position_;
    std::int64_t value = 0;
    if (const Sec1996ParseStatus status = digits(width, value); status != SEC1996_PARSE_OK) {
      return status;
    }
    if (value < low || value > high) return fail(SEC1996_PARSE_FIELD_RANGE, at);
    return set(field, value, at);
  }

  // One of count names, in any case; nameAt(i) gives name i.
  template <class NameAt>
  Sec1996ParseStatus name(Field& field, int count, int firstValue, NameAt nameAt) {
    const std::size_t at = position_;
    for (int i = 0; i < count; ++i) {
      const char* name = nameAt(i);
      std::size_t n = 0;
      while (name[n] != '\0' && at + n < length_ &&
             lowerCase(text_[at + n]) == lowerCase(name[n])) {
        ++n;
      }
      if (name[n] == '\0') {
        position_ = at + n;
        return set(field, i + firstValue, at);
      }
      // The text ends inside a name: "Ju" for %b.
      if (at + n == length_) return fail(SEC1996_PARSE_TRUNCATED, length_);
    }
    return endOrMismatch();
  }

  // " 1" to " 9", or two digits as %d.
  Sec1996ParseStatus spacePaddedDay() {
    if (position_ == length_ || text_[position_] != ' ') return number(day, 2, 1, 31);
    const std::size_t at = position_++;
    std::int64_t value = 0;
    if (const Sec1996ParseStatus status = digits(1, value); status != SEC1996_PARSE_OK) {
      return status;
    }
    if (value == 0) return fail(SEC1996_PARSE_FIELD_RANGE, at);
    return set(day, value, at);
  }

  Sec1996ParseStatus posixSeconds() {
    const std::size_t at = position_;
    const bool negative = position_ < length_ && text_[position_] == '-';
    if (negative) ++position_;
    std::int64_t value = 0;
    std::size_t n = 0;
    while (position_ < length_ && isDigit(text_[position_])) {
      if (n < kMaxPosixDigits) value = value * 10 + (text_[position_] - '0');
      ++n;
      ++position_;
    }
    if (n == 0) return endOrMismatch();
    if (n > kMaxPosixDigits) return fail(SEC1996_PARSE_OUT_OF_SPAN, at);
    return set(posix, negative ? -value : value, at);
  }

  Sec1996ParseStatus utcOffset() {
    const std::size_t at = position_;
    if (position_ == length_ || (text_[position_] != '+' && text_[position_] != '-')) {
      return endOrMismatch();
    }
    const bool negative = text_[position_++] == '-';
    std::int64_t hhmm = 0;
    if (const Sec1996ParseStatus status = digits(4, hhmm); status != SEC1996_PARSE_OK) {
      return status;
    }
    if (hhmm / 100 > 23 || hhmm % 100 > 59) return fail(SEC1996_PARSE_OFFSET, at);
    const std::int64_t seconds = hhmm / 100 * kSecondsPerHour + hhmm % 100 * kSecondsPerMinute;
    return set(offset, negative ? -seconds : seconds, at);
  }

  Sec1996ParseStatus zoneName() {
    const std::size_t at = position_;
    while (position_ < length_ && lowerCase(text_[position_]) >= 'a' &&
           lowerCase(text_[position_]) <= 'z') {
      ++position_;
    }
    if (position_ == at) return endOrMismatch();
    const auto is = [&](const char* zone) {
      return position_ - at == 3 && text_[at] == zone[0] && text_[at + 1] == zone[1] &&
             text_[at + 2] == zone[2];
    };
    if (!is("UTC") && !is("GMT")) return fail(SEC1996_PARSE_OFFSET, at);
    return SEC1996_PARSE_OK;
  }

  Sec1996ParseStatus convert(char letter) {
    constexpr int kLastDay = 31;
    switch (letter) {
      case 'Y':
        return number(year, 4, 0, 9999);
      case 'y':
        return number(yearInCentury, 2, 0, 99);
      case 'm':
        return number(mon, 2, 1, 12);
      case 'd':
        return number(day, 2, 1, kLastDay);
      case 'e':
        return spacePaddedDay();
      case 'j':
        return number(yearDay, 3, 1, 366);
      case 'H':
        return number(hour, 2, 0, 23);
      case 'M':
        return number(min, 2, 0, 59);
      case 'S':
        return number(sec, 2, 0, kLeapSecondField);
      case 'b':
        return name(mon, 12, 1, [](int i) { return kMonthNames[i]; });
      case 'B':
        return name(mon, 12, 1, [](int i) { return kFullMonthNames[i]; });
      case 'a':
        return name(weekday, 7, 0, [](int i) { return kDayNames[i]; });
      case 'A':
        return name(weekday, 7, 0, [](int i) { return kFullDayNames[i]; });
      case 's':
        return posixSeconds();
      case 'z':
        return utcOffset();
      case 'Z':
        return zoneName();
      case 'T':
        return read("%H:%M:%S", 8);
      case 'F':
        return read("%Y-%m-%d", 8);
      case 'D':
        return read("%m/%d/%y", 8);
      case 'R':
        return read("%H:%M", 5);
      default:  // '%': checkPattern lets nothing else through
        return literal('%');
    }
  }

  const char* text_;
  std::size_t length_;
  std::size_t position_ = 0;
  std::size_t failedAt_ = 0;
};

// The fields read, as one checked count.
Checked resolve(Reader& r) {
  const auto refuse = [&r](Sec1996ParseStatus status, std::size_t at) {
    r.fail(status, at);
    return refused(status);
  };
  if (r.posix.seen) {
    const Checked checked = checkedCountFromPosix(r.posix.value, kLeapSeconds);
    if (checked.status != SEC1996_PARSE_OK) return refuse(checked.status, r.posix.offset);
    return checked;
  }
  std::int64_t year = r.year.value;
  std::size_t yearAt = r.year.offset;
  if (r.yearInCentury.seen) {
    const std::int64_t yy = r.yearInCentury.value;
    if (r.year.seen && year % 100 != yy)
      return refuse(SEC1996_PARSE_CONFLICT, r.yearInCentury.offset);
    if (!r.year.seen) {
      year = yy + (yy < kTwoDigitPivot ? 2000 : 1900);
      yearAt = r.yearInCentury.offset;
    }
  }
  int mon = r.mon.seen ? static_cast<int>(r.mon.value) : 1;
  int day = r.day.seen ? static_cast<int>(r.day.value) : 1;
  if (day > daysInMonth(year, mon)) return refuse(SEC1996_PARSE_NO_SUCH_DATE, r.day.offset);
  const std::int64_t newYearsDay = daysFromCivil(year, 1, 1);
  if (r.yearDay.seen) {
    if (r.yearDay.value > daysInYear(year)) {
      return refuse(SEC1996_PARSE_NO_SUCH_DATE, r.yearDay.offset);
    }
    const CivilDate date = civilFromDays(newYearsDay + r.yearDay.value - 1);
    if ((r.mon.seen && date.mon != mon) || (r.day.seen && date.day != day)) {
      return refuse(SEC1996_PARSE_CONFLICT, r.yearDay.offset);
    }
    mon = date.mon;
    day = date.day;
  }
  if (r.weekday.seen && weekdayFromDays(daysFromCivil(year, mon, day)) != r.weekday.value) {
    return refuse(SEC1996_PARSE_CONFLICT, r.weekday.offset);
  }
  const Checked checked = checkedCountFromLocal(year, mon, day, static_cast<int>(r.hour.value),
                                                static_cast<int>(r.min.value),
                                                static_cast<int>(r.sec.value), r.offset.value);
  if (checked.status == SEC1996_PARSE_OUT_OF_SPAN) return refuse(checked.status, yearAt);
  if (checked.status != SEC1996_PARSE_OK) return refuse(checked.status, r.sec.offset);
  return checked;
}

Sec1996ParseStatus refuseAt(Sec1996ParseStatus status, std::size_t at, std::size_t* errorOffset) {
  if (errorOffset != nullptr) *errorOffset = at;
  return status;
}

}  // namespace

Sec1996ParseStatus parseDate1996(const char* text, size_t length, const char* pattern,
                                 Sec1996* count, size_t* errorOffset) {
  const PatternCheck check = checkPattern(pattern);
  if (check.status != SEC1996_PARSE_OK) return refuseAt(check.status, check.offset, errorOffset);
  Reader reader(text, length);
  Sec1996ParseStatus status = reader.read(pattern, check.length);
  if (status == SEC1996_PARSE_OK && reader.position() != length) {
    status = reader.fail(SEC1996_PARSE_MISMATCH, reader.position());  // text left over
  }
  if (status != SEC1996_PARSE_OK) return refuseAt(status, reader.failedAt(), errorOffset);
  const Checked checked = resolve(reader);
  if (checked.status != SEC1996_PARSE_OK) {
    return refuseAt(checked.status, reader.failedAt(), errorOffset);
  }
  if (count != nullptr) *count = checked.count;
  return SEC1996_PARSE_OK;
}
