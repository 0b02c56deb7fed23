// stringDate1996 (what it returns: sec1996.h).
// The count's fields, written digit by digit into the unit's buffer: every
// field has a fixed width, so no printf() is needed, and the text is the
// same in every locale.
#include <cstddef>

#include "scale.h"
#include "timescale/sec1996.h"

namespace {

constexpr char month[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr std::size_t kTextLength = 20;
char string[kTextLength + 1];

// Writes value in exactly width decimal digits, filled with leading zeros.
// Every field of a count fits: years run from 1995 to 2132.
char* putDigits(char* out, unsigned value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

}  // namespace

char* stringDate1996(Sec1996 count) {
  using namespace sec1996::detail;
  const Fields fields = fieldsFromCount(count, kLeapSeconds);
  const char* name = month[fields.date.mon - 1];
  char* out = putDigits(string, static_cast<unsigned>(fields.date.day), 2);
  *out++ = '-';
  *out++ = name[0];
  *out++ = name[1];
  *out++ = name[2];
  *out++ = '-';
  out = putDigits(out, static_cast<unsigned>(fields.date.year), 4);
  *out++ = ' ';
  out = putDigits(out, static_cast<unsigned>(fields.hour), 2);
  *out++ = ':';
  out = putDigits(out, static_cast<unsigned>(fields.min), 2);
  *out++ = ':';
  out = putDigits(out, static_cast<unsigned>(fields.sec), 2);
  *out = '\0';
  return string;
}
