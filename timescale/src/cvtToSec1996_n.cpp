// cvtToSec1996_n (what it returns: sec1996.h).
// Each block of records is first split into one array per field, so that
// the kernel of arrays.h for records near the scale runs over plain arrays
// and vectorises; a block holding a record far from it (a year beyond
// +-32767, a month outside 1-12) is then done again by the core record by
// record, as cvtToSec1996 does it.
#include "arrays.h"
#include "timescale/sec1996.h"

namespace {

[[gnu::always_inline]] inline void convert(const Date1996* in, size_t n, Sec1996* out) {
  using namespace sec1996::detail;
  constexpr size_t kBlock = 256;
  std::int32_t year[kBlock];
  std::int32_t mon[kBlock];
  std::int32_t day[kBlock];
  std::uint32_t secondOfDay[kBlock];
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = n - start < kBlock ? n - start : kBlock;
    const Date1996* block = in + start;
    for (size_t i = 0; i < count; ++i) {
      year[i] = block[i].year;
      mon[i] = block[i].mon;
      day[i] = block[i].day;
      secondOfDay[i] = secondOfDayModulo(block[i].hour, block[i].min, block[i].sec);
    }
    std::uint32_t allNear = 1;
    for (size_t i = 0; i < count; ++i) {
      out[start + i] = nearCount(year[i], mon[i], day[i], secondOfDay[i], kLeapSeconds);
      allNear &= isNearRecord(year[i], mon[i]) ? 1U : 0U;
    }
    if (allNear != 0) continue;
    for (size_t i = 0; i < count; ++i) {
      const Date1996& d = block[i];
      out[start + i] = countFromRecord(d.year, d.mon, d.day, d.hour, d.min, d.sec, kLeapSeconds);
    }
  }
}

}  // namespace

void cvtToSec1996_n(const Date1996* in, size_t n, Sec1996* out) {
  sec1996::detail::convertArray<convert>(in, n, out);
}
