// Fuzzes the CCSDS decoders with any bytes.  The first byte chooses the
// code (CUC level 2, CDS, CCS, or CUC level 1 with the default leap-second
// list and flags) and, for an implicit P-field, its layout; the rest is the code,
// copied into a buffer of exactly its size so that AddressSanitizer stops
// any read past it.  A decoder must not read past the size, must use no
// more than it, and what it accepts must come back octet for octet from the
// encoder of the same layout (the CUC P-field excepted, which may take two
// octets where the encoder writes one), the array form agreeing with the single value.
// A level-1 code may also come with a warning (the list's expiry passed),
// which the encoder gives back; a leap second the scale lacks is refused,
// or mapped to the count before it, whose code is one coarse second less.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

#include "fuzz_support.h"
#include "timescale/sec1996_ccsds.h"

namespace {

struct Result {
  Sec1996ParseStatus status;
  Sec1996 count;
  std::uint64_t fraction;
  std::size_t used;
};

// The layout a P-field names, for re-encoding; its agency epoch is the
// caller's.
Sec1996CucLayout layoutOf(const std::uint8_t* code, const Sec1996CucLayout&) {
  int coarse = ((code[0] >> 2) & 3) + 1, fine = code[0] & 3;
  if ((code[0] & 0x80) != 0) {
    coarse += (code[1] >> 5) & 3;
    fine += (code[1] >> 2) & 7;
  }
  return {1, coarse, fine};
}

Sec1996CdsLayout layoutOf(const std::uint8_t* code, const Sec1996CdsLayout& given) {
  Sec1996CdsLayout layout = given;
  layout.agencyEpoch = (code[0] >> 3) & 1;
  layout.dayOctets = (code[0] & 4) != 0 ? 3 : 2;
  layout.subMillisecond = code[0] & 3;
  return layout;
}

Sec1996CcsLayout layoutOf(const std::uint8_t* code, const Sec1996CcsLayout&) {
  return {1, (code[0] >> 3) & 1, code[0] & 7};
}

// Decodes code[0..size-1] with layout, checks the answer and re-encodes it.
template <class Layout, class Decode, class Encode, class DecodeN>
void check(const std::uint8_t* code, std::size_t size, const Layout& layout, Decode decode,
           Encode encode, DecodeN decodeN, std::size_t tFieldAt, bool exactPField) {
  constexpr std::size_t kUnset = SIZE_MAX;  // no code is that long
  Result r{SEC1996_PARSE_OK, 7, 7, kUnset};
  r.status = decode(code, size, &layout, &r.count, &r.fraction, &r.used);
  FUZZ_CHECK(parseStatusText1996(r.status) != nullptr, "a status without words");
  Sec1996 count = 0;
  const Sec1996ParseStatus withoutFraction = decode(code, size, &layout, &count, nullptr, nullptr);
  const bool mapped = r.status == SEC1996_PARSE_LEAP_NOT_ON_SCALE && r.used != kUnset;
  if (r.status != SEC1996_PARSE_OK && r.status != SEC1996_PARSE_LIST_EXPIRED && !mapped) {
    FUZZ_CHECK(withoutFraction == r.status, "a refusal changed with the fraction's place");
    FUZZ_CHECK(r.used == kUnset && r.count == 7 && r.fraction == 7, "a refusal set a result");
    return;
  }
  FUZZ_CHECK(withoutFraction == (r.fraction == 0 ? r.status : SEC1996_PARSE_FRACTION),
             "a fraction %llu was not refused without a place",
             static_cast<unsigned long long>(r.fraction));
  FUZZ_CHECK(r.used >= 1 && r.used <= size, "used %zu of %zu", r.used, size);

  // The octets the encoder must give: the code's, or for a mapped leap
  // second those of the 23:59:59 before it, one coarse second less (its
  // coarse octets end the P-field, and a leap second's TAI is not 0).
  const std::size_t at = layout.pField != 0 ? tFieldAt : 0;
  const std::size_t tLength = r.used - at;
  std::uint8_t expected[SEC1996_CCSDS_MAX_SIZE];
  std::memcpy(expected, code, r.used);
  if constexpr (std::is_same_v<Layout, Sec1996CucLayout>) {
    if (mapped) {
      const int coarse = (layout.pField != 0 ? layoutOf(code, layout) : layout).coarseOctets;
      for (std::size_t i = at + static_cast<std::size_t>(coarse); i-- > at;) {
        const bool borrow = expected[i] == 0;
        expected[i] = static_cast<std::uint8_t>(expected[i] - 1);
        if (!borrow) break;
      }
    }
  }

  // The same layout as the code holds it, for the encoder.
  Layout same = layout;
  if (layout.pField != 0) same = layoutOf(code, layout);
  std::uint8_t back[SEC1996_CCSDS_MAX_SIZE];
  std::size_t length = 0;
  const Sec1996ParseStatus encoded = encode(r.count, r.fraction, &same, back, sizeof back, &length);
  FUZZ_CHECK(mapped ? encoded == SEC1996_PARSE_OK || encoded == SEC1996_PARSE_LIST_EXPIRED
                    : encoded == r.status,
             "an accepted code encodes back with status %d", static_cast<int>(encoded));
  // The T-fields agree; so do the P-fields, but for a CUC's, which the
  // encoder writes in one octet where one suffices.
  FUZZ_CHECK(length >= tLength, "encoded %zu octets of %zu", length, r.used);
  const std::size_t backAt = length - tLength;
  FUZZ_CHECK(std::memcmp(back + backAt, expected + at, tLength) == 0,
             "the T-field does not encode back to its octets");
  FUZZ_CHECK(std::memcmp(back, code, at) == 0 || (exactPField == false && backAt <= at),
             "the P-field does not encode back to its octets");
  FUZZ_CHECK(exactPField == false || backAt == at, "encoded %zu octets of %zu", length, r.used);

  // The array form, on the encoder's own octets.
  Result n{SEC1996_PARSE_OK, 0, 0, 0};
  const std::size_t flagged = encoded == SEC1996_PARSE_OK ? 0 : 1;
  FUZZ_CHECK(decodeN(back, 1, &same, &n.count, &n.fraction, &n.status) == flagged &&
                 n.status == encoded && n.count == r.count && n.fraction == r.fraction,
             "the array form differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::size_t n = size - 1;
  const std::unique_ptr<std::uint8_t[]> code(new std::uint8_t[n == 0 ? 1 : n]);
  if (n > 0) std::memcpy(code.get(), data + 1, n);
  const bool pField = (choice & 0x80) != 0;
  const int a = (choice >> 3) & 0x0F, b = choice & 0x07;  // layout numbers, some out of range
  // The level-1 decoder maps a leap second the scale lacks for half the
  // inputs; its list is the default table (the built-in copy unless the
  // environment names a file).
  const unsigned flags = (a & 2) != 0 ? SEC1996_MAP_LEAP_TO_235959 : 0;
  const auto level1 = [flags](const std::uint8_t* c, std::size_t s, const Sec1996CucLayout* l,
                              Sec1996* count, std::uint64_t* fraction, std::size_t* used) {
    return cvtToSec1996_cucTai(nullptr, c, s, l, flags, count, fraction, used);
  };
  const auto level1Encode = [](Sec1996 count, std::uint64_t fraction, const Sec1996CucLayout* l,
                               std::uint8_t* c, std::size_t s, std::size_t* length) {
    return cvtFromSec1996_cucTai(nullptr, count, fraction, l, c, s, length);
  };
  const auto level1N = [flags](const std::uint8_t* c, std::size_t k, const Sec1996CucLayout* l,
                               Sec1996* counts, std::uint64_t* fractions,
                               Sec1996ParseStatus* status) {
    return cvtToSec1996_cucTai_n(nullptr, c, k, l, flags, counts, fractions, status);
  };
  const std::size_t cucTFieldAt = (n > 0 && (code[0] & 0x80) != 0) ? 2 : 1;
  switch (choice % 4) {
    case 0:
      check(code.get(), n, Sec1996CucLayout{pField, a % 9, b + a / 9}, cvtToSec1996_cuc,
            cvtFromSec1996_cuc, cvtToSec1996_cuc_n, cucTFieldAt, false);
      break;
    case 3:
      check(code.get(), n, Sec1996CucLayout{pField, a % 9, b + a / 9}, level1, level1Encode,
            level1N, cucTFieldAt, false);
      break;
    case 1:
      check(code.get(), n, Sec1996CdsLayout{pField, 2 + (a & 1), b % 4, (a >> 1) & 1, 1996, 1, 1},
            cvtToSec1996_cds, cvtFromSec1996_cds, cvtToSec1996_cds_n, 1, true);
      break;
    case 2:
      check(code.get(), n, Sec1996CcsLayout{pField, a & 1, b}, cvtToSec1996_ccs, cvtFromSec1996_ccs,
            cvtToSec1996_ccs_n, 1, true);
      break;
  }
  return 0;
}
