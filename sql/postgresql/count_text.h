/*
 * count_text.h - the bare count of the sec1996 type's text input.
 *
 * Kept apart from the server's headers so that the fuzz target in fuzz/
 * can run it outside the server.  Compiles as C and as C++.
 */
#ifndef SEC1996_SQL_COUNT_TEXT_H
#define SEC1996_SQL_COUNT_TEXT_H

#include <stddef.h>
#include <stdint.h>

#include <sec1996.h>

typedef enum Sec1996CountText {
  SEC1996_COUNT_TEXT_NONE = 0,        /* not digits: read it as a date instead */
  SEC1996_COUNT_TEXT_OK = 1,          /* *count is set */
  SEC1996_COUNT_TEXT_OUT_OF_RANGE = 2 /* digits of a value below 0 or above 4294967295 */
} Sec1996CountText;

/* Reads text[0..length-1] as a count: one or more decimal digits, with an
 * optional leading minus sign ("-0" is 0).  Leading zeros are allowed; no
 * blanks, no plus sign. */
static inline Sec1996CountText sec1996CountFromText(const char* text, size_t length,
                                                    Sec1996* count) {
  size_t i = 0;
  int negative = 0;
  uint64_t value = 0; /* [0, 10 * 4294967295 + 9]: stops growing past the range */

  if (length > 0 && text[0] == '-') {
    negative = 1;
    i = 1;
  }
  if (i == length) return SEC1996_COUNT_TEXT_NONE;
  for (; i < length; i++) {
    if (text[i] < '0' || text[i] > '9') return SEC1996_COUNT_TEXT_NONE;
    if (value <= UINT32_MAX) value = value * 10 + (uint64_t)(text[i] - '0');
  }
  if (value > UINT32_MAX || (negative && value != 0)) return SEC1996_COUNT_TEXT_OUT_OF_RANGE;
  *count = (Sec1996)value;
  return SEC1996_COUNT_TEXT_OK;
}

#endif /* SEC1996_SQL_COUNT_TEXT_H */
