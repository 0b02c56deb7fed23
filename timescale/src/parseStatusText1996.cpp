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
  }
  return "unknown status";
}
