// getDateFromSecondsSince1996_r (what it returns: sec1996.h).
// The same filling as getDateFromSecondsSince1996 (record.h), into the
// caller's record, so the two agree field for field.
#include "record.h"
#include "timescale/sec1996.h"

struct tm* getDateFromSecondsSince1996_r(Sec1996 count, struct tm* result) {
  sec1996::detail::fillTm(*result, count);
  return result;
}
