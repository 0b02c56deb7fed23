// formatDate1996 (what it returns: sec1996.h).
//
// The count's calendar values are worked out once (pattern.h), then the
// pattern is walked and each conversion written straight into the buffer
// while at least kWidest bytes are left, or into a scratch piece near the
// end, so that the common case copies nothing and no write ever passes size.
// Once the text no longer fits, the walk goes on counting only, for the size
// the caller needs.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "pattern.h"
#include "timescale/sec1996.h"

namespace {

using namespace sec1996::detail;

// The most characters one conversion writes: %s, 10 digits for every count.
constexpr std::size_t kWidest = 24;

// Decimal digits of a non-negative value, without padding; returns the end.
char* putDecimal(char* out, std::int64_t value) {
  char digits[20];
  int n = 0;
  auto rest = static_cast<std::uint64_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  while (n > 0) *out++ = digits[--n];
  return out;
}

char* putText(char* out, const char* text) {
  while (*text != '\0') *out++ = *text++;
  return out;
}

char* put2(char* out, std::int64_t value) { return putField(out, value, 2); }

// Writes conversion letter at out (room for kWidest bytes); returns the end,
// or nullptr for a conversion the engine does not know.
char* putConversion(char* out, char letter, const PatternValues& v) {
  switch (letter) {
    case 'Y':
      return putField(out, v.year, 4);
    case 'C':
      return put2(out, v.year / 100);
    case 'y':
      return put2(out, v.year % 100);
    case 'm':
      return put2(out, v.mon);
    case 'd':
      return put2(out, v.day);
    case 'e':
      *out = v.day < 10 ? ' ' : static_cast<char>('0' + v.day / 10);
      out[1] = static_cast<char>('0' + v.day % 10);
      return out + 2;
    case 'j':
      return putField(out, v.yearDay + 1, 3);
    case 'H':
      return put2(out, v.hour);
    case 'M':
      return put2(out, v.min);
    case 'S':
      return put2(out, v.sec);
    case 'b':
      return putText(out, kMonthNames[v.mon - 1]);
    case 'B':
      return putText(out, kFullMonthNames[v.mon - 1]);
    case 'a':
      return putText(out, kDayNames[v.weekday]);
    case 'A':
      return putText(out, kFullDayNames[v.weekday]);
    case 'u':
      *out = static_cast<char>('0' + (v.weekday == 0 ? 7 : v.weekday));
      return out + 1;
    case 'w':
      *out = static_cast<char>('0' + v.weekday);
      return out + 1;
    case 'U':
      return put2(out, (v.yearDay + 7 - v.weekday) / 7);
    case 'W':
      return put2(out, (v.yearDay + 7 - (v.weekday + 6) % 7) / 7);
    case 'G':
      return putField(out, isoWeekOf(v.year, v.yearDay, v.weekday).year, 4);
    case 'g':
      return put2(out, isoWeekOf(v.year, v.yearDay, v.weekday).year % 100);
    case 'V':
      return put2(out, isoWeekOf(v.year, v.yearDay, v.weekday).week);
    case 's':
      return putDecimal(out, v.posix);
    case 'z':
      return putText(out, "+0000");
    case 'Z':
      return putText(out, "UTC");
    case '%':
      *out = '%';
      return out + 1;
    case 'T':
      out = put2(out, v.hour);
      *out++ = ':';
      out = put2(out, v.min);
      *out++ = ':';
      return put2(out, v.sec);
    case 'F':
      out = putField(out, v.year, 4);
      *out++ = '-';
      out = put2(out, v.mon);
      *out++ = '-';
      return put2(out, v.day);
    case 'D':
      out = put2(out, v.mon);
      *out++ = '/';
      out = put2(out, v.day);
      *out++ = '/';
      return put2(out, v.year % 100);
    case 'R':
      out = put2(out, v.hour);
      *out++ = ':';
      return put2(out, v.min);
    default:
      return nullptr;
  }
}

Sec1996ParseStatus fail(Sec1996ParseStatus status, std::size_t value, char* buffer,
                        std::size_t size, std::size_t* length) {
  if (size > 0) buffer[0] = '\0';
  if (length != nullptr) *length = value;
  return status;
}

}  // namespace

Sec1996ParseStatus formatDate1996(Sec1996 count, const char* pattern, char* buffer, size_t size,
                                  size_t* length) {
  const std::size_t patternLength = boundedLength(pattern, SEC1996_PATTERN_MAX_LENGTH);
  if (patternLength > SEC1996_PATTERN_MAX_LENGTH) {
    return fail(SEC1996_PARSE_PATTERN, SEC1996_PATTERN_MAX_LENGTH, buffer, size, length);
  }
  const PatternValues values = patternValuesOf(count);
  std::size_t used = 0;  // characters of the text so far, written or only counted
  bool fits = true;
  for (std::size_t i = 0; i < patternLength; ++i) {
    char piece[kWidest];
    std::size_t pieceLength = 1;
    const char* from = &pattern[i];
    if (pattern[i] == '%') {
      const std::size_t at = i;
      // pattern[patternLength] is the terminating zero, never a conversion.
      char letter = pattern[++i];
      if (letter == 'E' && pattern[i + 1] == 'z') letter = pattern[++i];
      const bool direct = fits && size - used > kWidest;
      char* const start = direct ? buffer + used : piece;
      char* const end = letter == '\0' ? nullptr : putConversion(start, letter, values);
      if (end == nullptr) return fail(SEC1996_PARSE_PATTERN, at, buffer, size, length);
      pieceLength = static_cast<std::size_t>(end - start);
      if (direct) {
        used += pieceLength;
        continue;
      }
      from = piece;
    }
    if (fits && size - used > pieceLength) {
      std::memcpy(buffer + used, from, pieceLength);
    } else {
      fits = false;
    }
    used += pieceLength;
  }
  if (!fits || used >= size) {
    return fail(SEC1996_PARSE_BUFFER_TOO_SMALL, used + 1, buffer, size, length);
  }
  buffer[used] = '\0';
  if (length != nullptr) *length = used;
  return SEC1996_PARSE_OK;
}
