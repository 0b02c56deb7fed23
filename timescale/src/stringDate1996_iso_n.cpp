// stringDate1996_iso_n (what it returns: sec1996.h).
// The fields come from the vectorising kernel of arrays.h and are written
// as stringDate1996_iso writes them, 20 bytes apart, without terminating
// zeros (a fixed-width column, as numpy's S20).
#include "arrays.h"
#include "text.h"
#include "timescale/sec1996.h"

namespace {

[[gnu::always_inline]] inline void convert(const Sec1996* in, size_t n, char* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) {
    const Date1996 r = losslessRecordOf(in[i]);
    formatIso(out + i * kTextLength, {{r.year, r.mon, r.day}, r.hour, r.min, r.sec});
  }
}

}  // namespace

void stringDate1996_iso_n(const Sec1996* in, size_t n, char* out) {
  sec1996::detail::convertArray<convert>(in, n, out);
}
