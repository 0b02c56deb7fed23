// CvtTest: walks the scale one nominal day (86400 counts) at a time from
// count 0 for 42 x 365 steps, passes every count through the five public
// conversions and prints one line per step:
//   count (12 digits), count minus its record round trip, count minus its
//   day-of-year round trip, the date text, year.day-of-year.
// A non-zero difference marks a count that does not come back; with the
// library's table that is the leap second 1997-06-30 23:59:60 alone.
// Exits 0, or 1 with a message on standard error if the output could not be
// written.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "timescale/sec1996.h"

namespace {

constexpr int kFirstPass = 1996;
constexpr int kLastPass = 2037;
constexpr int kStepsPerPass = 365;
constexpr Sec1996 kStep = 86400;

// The difference of two counts as the signed 32-bit value it stands for.
long difference(Sec1996 a, Sec1996 b) {
  return static_cast<long>(static_cast<std::int32_t>(a - b));
}

}  // namespace

int main() {
  Sec1996 a = 0;
  for (int pass = kFirstPass; pass <= kLastPass; ++pass) {
    for (int step = 0; step < kStepsPerPass; ++step) {
      const Date1996 r = cvtFromSec1996(a);
      const YearDay1996 y = cvtFromSec1996_yd(a);
      const Sec1996 e = cvtToSec1996(r);
      const Sec1996 f = cvtToSec1996_yd(y.dayOfYear, y.year);
      const char* s = stringDate1996(a);
      std::printf("%12.12lu  %2ld %2ld %s %4.4ld.%9.6f\n", static_cast<unsigned long>(a),
                  difference(a, e), difference(a, f), s, static_cast<long>(y.year), y.dayOfYear);
      a += kStep;
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    const int error = errno;
    std::fprintf(stderr, "CvtTest: cannot write standard output: %s\n", std::strerror(error));
    return 1;
  }
  return 0;
}
