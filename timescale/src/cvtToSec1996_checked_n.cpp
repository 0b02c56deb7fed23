// cvtToSec1996_checked_n (what it returns: sec1996.h).
// As cvtToSec1996_n, each block of records is split into one array per
// field, and the kernels of arrays.h give every record its count and tell
// whether it is plain, in a loop that vectorises.  A block in which some
// record is not plain is then gone through again: each such record by the
// core's checked door, which finds its reason, or accepts it (the leap
// second), and writes 0 for a refused one, so that the output holds no
// stale values.
#include "arrays.h"
#include "checked.h"
#include "timescale/sec1996.h"

namespace {

[[gnu::always_inline]] inline size_t convert(const Date1996* in, size_t n, Sec1996* out,
                                             Sec1996ParseStatus* status) {
  using namespace sec1996::detail;
  constexpr size_t kBlock = 256;
  std::int32_t year[kBlock];
  std::int32_t mon[kBlock];
  std::int32_t day[kBlock];
  std::int32_t hour[kBlock];
  std::int32_t min[kBlock];
  std::int32_t sec[kBlock];
  std::uint32_t plain[kBlock];
  size_t refusals = 0;
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = n - start < kBlock ? n - start : kBlock;
    const Date1996* block = in + start;
    for (size_t i = 0; i < count; ++i) {
      year[i] = block[i].year;
      mon[i] = block[i].mon;
      day[i] = block[i].day;
      hour[i] = block[i].hour;
      min[i] = block[i].min;
      sec[i] = block[i].sec;
    }
    std::uint32_t allPlain = 1;
    for (size_t i = 0; i < count; ++i) {
      out[start + i] = nearCount(year[i], mon[i], day[i],
                                 secondOfDayModulo(hour[i], min[i], sec[i]), kLeapSeconds);
      const bool isPlain = isPlainRecord(year[i], mon[i], day[i], hour[i], min[i], sec[i]);
      plain[i] = isPlain ? 1U : 0U;
      allPlain &= isPlain ? 1U : 0U;
    }
    if (status != nullptr) {
      for (size_t i = 0; i < count; ++i) status[start + i] = SEC1996_PARSE_OK;
    }
    if (allPlain != 0) continue;
    for (size_t i = 0; i < count; ++i) {
      if (plain[i] != 0) continue;
      const Date1996& d = block[i];
      const Checked checked =
          checkedCountFromRecord(d.year, d.mon, d.day, d.hour, d.min, d.sec, kLeapSeconds);
      out[start + i] = checked.count;
      refusals += checked.status != SEC1996_PARSE_OK ? 1 : 0;
      if (status != nullptr) status[start + i] = checked.status;
    }
  }
  return refusals;
}

}  // namespace

size_t cvtToSec1996_checked_n(const Date1996* in, size_t n, Sec1996* out,
                              Sec1996ParseStatus* status) {
  return sec1996::detail::convertArray<convert>(in, n, out, status);
}
