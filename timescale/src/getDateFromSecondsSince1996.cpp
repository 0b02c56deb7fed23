// getDateFromSecondsSince1996 (what it returns: sec1996.h).
// The core's clock and fields of the count, written into time_str.  The
// record is cleared first, so that nothing a caller or an earlier call left
// in it (tm_gmtoff, say) survives; the weekday and the day of the year come
// from the same day count as the date.
#include "record.h"
#include "timescale/sec1996.h"

struct tm time_str;

struct tm* getDateFromSecondsSince1996(Sec1996 count) {
  sec1996::detail::fillTm(time_str, count);
  return &time_str;
}
