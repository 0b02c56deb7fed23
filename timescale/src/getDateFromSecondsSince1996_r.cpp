// getDateFromSecondsSince1996_r: the tm of a count, in the caller's record.
// The same filling as getDateFromSecondsSince1996, so the two agree field
// for field.
#include "record.h"
#include "timescale/sec1996.h"

struct tm* getDateFromSecondsSince1996_r(Sec1996 count, struct tm* result) {
  sec1996::detail::fillTm(*result, count);
  return result;
}
