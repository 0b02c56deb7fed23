// cvtFromSec1996_lossless_n (what it returns: sec1996.h).
// Each block is converted by the kernel of arrays.h into one array per
// field, where the arithmetic vectorises, and then woven into the records.
#include "arrays.h"
#include "timescale/sec1996.h"

namespace {

[[gnu::always_inline]] inline void convert(const Sec1996* in, size_t n, Date1996* out) {
  constexpr size_t kBlock = 256;
  std::int32_t fields[6][kBlock];
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = n - start < kBlock ? n - start : kBlock;
    for (size_t i = 0; i < count; ++i) {
      const Date1996 r = sec1996::detail::losslessRecordOf(in[start + i]);
      fields[0][i] = r.year;
      fields[1][i] = r.mon;
      fields[2][i] = r.day;
      fields[3][i] = r.hour;
      fields[4][i] = r.min;
      fields[5][i] = r.sec;
    }
    for (size_t i = 0; i < count; ++i) {
      out[start + i] = {fields[0][i], fields[1][i], fields[2][i],
                        fields[3][i], fields[4][i], fields[5][i]};
    }
  }
}

}  // namespace

void cvtFromSec1996_lossless_n(const Sec1996* in, size_t n, Date1996* out) {
  sec1996::detail::convertArray<convert>(in, n, out);
}
