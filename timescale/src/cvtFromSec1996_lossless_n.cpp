// cvtFromSec1996_lossless_n (what it returns: sec1996.h).
// Each block is converted by the kernel of arrays.h into one array per
// field, where the arithmetic vectorises, and then woven into the records.
#include <cstring>

#include "arrays.h"
#include "timescale/sec1996.h"

namespace {

// Two 32-bit fields in one 64-bit word, in the order they lie in memory.
constexpr std::uint64_t pair(std::int32_t first, std::int32_t second) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(first)) |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(second)) << 32;
}

[[gnu::always_inline]] inline void convert(const Sec1996* in, size_t n, Date1996* out) {
  static_assert(sizeof(Date1996) == 3 * sizeof(std::uint64_t));
  constexpr size_t kBlock = 256;
  std::uint64_t pairs[3][kBlock];
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = n - start < kBlock ? n - start : kBlock;
    for (size_t i = 0; i < count; ++i) {
      const Date1996 r = sec1996::detail::losslessRecordOf(in[start + i]);
      pairs[0][i] = pair(r.year, r.mon);
      pairs[1][i] = pair(r.day, r.hour);
      pairs[2][i] = pair(r.min, r.sec);
    }
    unsigned char* bytes = reinterpret_cast<unsigned char*>(out + start);
    for (size_t i = 0; i < count; ++i) {
      std::memcpy(bytes + i * sizeof(Date1996), &pairs[0][i], sizeof(std::uint64_t));
      std::memcpy(bytes + i * sizeof(Date1996) + 8, &pairs[1][i], sizeof(std::uint64_t));
      std::memcpy(bytes + i * sizeof(Date1996) + 16, &pairs[2][i], sizeof(std::uint64_t));
    }
  }
}

}  // namespace

void cvtFromSec1996_lossless_n(const Sec1996* in, size_t n, Date1996* out) {
  sec1996::detail::convertArray<convert>(in, n, out);
}
