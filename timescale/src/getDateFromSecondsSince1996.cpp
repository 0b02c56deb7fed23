// getDateFromSecondsSince1996: a count as a broken-down UTC time.
//   Given:   a count on the scale.
//   Returns: &time_str, filled as gmtime() fills its record.
//   Notes:   a leap second reads as 23:59:59 of its day.  time_str is
//            overwritten by every call.
#include "record.h"
#include "timescale/sec1996.h"

struct tm time_str;

struct tm* getDateFromSecondsSince1996(Sec1996 count) {
  sec1996::detail::fillTm(time_str, count);
  return &time_str;
}
