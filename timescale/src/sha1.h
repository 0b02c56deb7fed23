// SHA-1 (FIPS 180-4), for the #h line of a leap-second list, which holds
// the hash of the list's data.  Not for anything that needs a secure hash.
#ifndef SEC1996_SRC_SHA1_H
#define SEC1996_SRC_SHA1_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace sec1996::detail {

// The five 32-bit words of a digest, first word first.
using Sha1Digest = std::array<std::uint32_t, 5>;

class Sha1 {
 public:
  void add(const char* data, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
      block_[filled_++] = static_cast<std::uint8_t>(data[i]);
      if (filled_ == block_.size()) compress();
    }
    bytes_ += length;
  }

  // The digest of everything added; the object is used up.
  Sha1Digest finish() {
    const std::uint64_t bits = bytes_ * 8;
    block_[filled_++] = 0x80;
    if (filled_ > 56) {
      while (filled_ < block_.size()) block_[filled_++] = 0;
      compress();
    }
    while (filled_ < 56) block_[filled_++] = 0;
    for (int i = 7; i >= 0; --i) block_[filled_++] = static_cast<std::uint8_t>(bits >> (8 * i));
    compress();
    return state_;
  }

 private:
  static constexpr std::uint32_t rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

  void compress() {
    std::uint32_t w[80];
    for (int t = 0; t < 16; ++t) {
      w[t] = std::uint32_t{block_[4 * t]} << 24 | std::uint32_t{block_[4 * t + 1]} << 16 |
             std::uint32_t{block_[4 * t + 2]} << 8 | std::uint32_t{block_[4 * t + 3]};
    }
    for (int t = 16; t < 80; ++t) w[t] = rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3], e = state_[4];
    for (int t = 0; t < 80; ++t) {
      std::uint32_t f = 0, k = 0;
      if (t < 20) {
        f = (b & c) | (~b & d);
        k = 0x5A827999;
      } else if (t < 40) {
        f = b ^ c ^ d;
        k = 0x6ED9EBA1;
      } else if (t < 60) {
        f = (b & c) | (b & d) | (c & d);
        k = 0x8F1BBCDC;
      } else {
        f = b ^ c ^ d;
        k = 0xCA62C1D6;
      }
      const std::uint32_t next = rotl(a, 5) + f + e + k + w[t];
      e = d;
      d = c;
      c = rotl(b, 30);
      b = a;
      a = next;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
    state_[4] += e;
    filled_ = 0;
  }

  Sha1Digest state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  std::array<std::uint8_t, 64> block_{};
  std::size_t filled_ = 0;
  std::uint64_t bytes_ = 0;
};

}  // namespace sec1996::detail

#endif  // SEC1996_SRC_SHA1_H
