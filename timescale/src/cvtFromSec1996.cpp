// cvtFromSec1996 (what it returns: sec1996.h).
// The core reads the count as a clock, with every leap second at or before
// it taken out, so the leap second shares its nominal second with the one
// before and reads as 23:59:59; the clock's day and second of the day are
// then split into the record's fields.
#include "record.h"
#include "timescale/sec1996.h"

Date1996 cvtFromSec1996(Sec1996 count) {
  using namespace sec1996::detail;
  return recordOf(fieldsFromCount(count, kLeapSeconds));
}
