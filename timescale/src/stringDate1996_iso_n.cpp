// stringDate1996_iso_n: stringDate1996_iso over an array, the texts back to
// back without terminating zeros (a fixed-width column, as numpy's S20).
#include "text.h"
#include "timescale/sec1996.h"

void stringDate1996_iso_n(const Sec1996* in, size_t n, char* out) {
  using namespace sec1996::detail;
  for (size_t i = 0; i < n; ++i) {
    formatIso(out + i * kTextLength, losslessFieldsFromCount(in[i], kLeapSeconds));
  }
}
