// cvtFromSec1996: a count as a UTC calendar record.
//   Given:   a count on the scale.
//   Returns: its record, every field in range.
//   Notes:   a leap second reads as 23:59:59 of its day.
#include "record.h"
#include "timescale/sec1996.h"

Date1996 cvtFromSec1996(Sec1996 count) {
  using namespace sec1996::detail;
  return recordOf(fieldsFromCount(count, kLeapSeconds));
}
