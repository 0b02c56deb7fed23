// parseStatusText1996 (what it returns: sec1996.h).
// A switch over the statuses, with a text for a value outside the enum too,
// since a C caller can pass any int.
#include "timescale/sec1996.h"

const char* parseStatusText1996(Sec1996ParseStatus status) {
  switch (status) {
    case SEC1996_PARSE_OK:
      return "ok";
    case SEC1996_PARSE_SYNTAX:
      return "not an ISO 8601 date and time YYYY-MM-DDTHH:MM:SS[Z]";
    case SEC1996_PARSE_FIELD_RANGE:
      return "a field is out of its range";
    case SEC1996_PARSE_NO_SUCH_DATE:
      return "the day does not exist in its month";
    case SEC1996_PARSE_NOT_LEAP_SECOND:
      return "second 60 that is not a leap second of the scale";
    case SEC1996_PARSE_OUT_OF_SPAN:
      return "outside the scale, 1996-01-01T00:00:00Z to 2132-02-07T06:28:14Z";
    case SEC1996_PARSE_NOT_A_NUMBER:
      return "not a number (NaN or an infinity)";
    case SEC1996_PARSE_FRACTION:
      return "a fraction of a second where whole seconds are needed";
    case SEC1996_PARSE_OFFSET:
      return "a UTC offset that is not accepted";
    case SEC1996_PARSE_PATTERN:
      return "an unknown or truncated conversion in the pattern";
    case SEC1996_PARSE_BUFFER_TOO_SMALL:
      return "the output does not fit the buffer";
    case SEC1996_PARSE_TRUNCATED:
      return "the input ends before its layout does";
    case SEC1996_PARSE_RESERVED:
      return "a reserved or unsupported layout value";
    case SEC1996_PARSE_WRONG_CODE:
      return "a time code other than the one asked for";
    case SEC1996_PARSE_BAD_DIGIT:
      return "a BCD digit above 9";
    case SEC1996_PARSE_LEAP_NOT_ON_SCALE:
      return "a UTC leap second that the scale does not count";
    case SEC1996_PARSE_LIST_EXPIRED:
      return "past the leap-second list's expiry: no further leap second assumed";
    case SEC1996_PARSE_LIST_SYNTAX:
      return "a malformed line in the leap-second list";
    case SEC1996_PARSE_LIST_HASH:
      return "the leap-second list's hash does not match its data";
    case SEC1996_PARSE_LIST_ORDER:
      return "the leap-second list's dates do not increase";
    case SEC1996_PARSE_LIST_STEP:
      return "a TAI-UTC step other than +1 or -1 in the leap-second list";
    case SEC1996_PARSE_LIST_NOT_FOUND:
      return "no leap-second list could be read";
    case SEC1996_PARSE_OTHER_LAYOUT:
      return "a time code of another layout than the one asked for";
    case SEC1996_PARSE_CONFLICT:
      return "fields that name different dates (a weekday, day of the year or repeated field)";
    case SEC1996_PARSE_MISMATCH:
      return "the text does not match the pattern";
  }
  return "unknown status";
}
