// Fuzzes the CCSDS decoders with any bytes.  The first byte chooses the
// code and, for an implicit P-field, its layout; the rest is the code,
// copied into a buffer of exactly its size so that AddressSanitizer stops
// any read past it.  A decoder must not read past the size, must use no
// more than it, and what it accepts must come back octet for octet from the
// encoder of the same layout (the CUC P-field excepted, which may take two
// octets where the encoder writes one), the array form agreeing with the single value.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

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
  Result r{SEC1996_PARSE_OK, 0, 0, 0};
  r.status = decode(code, size, &layout, &r.count, &r.fraction, &r.used);
  FUZZ_CHECK(parseStatusText1996(r.status) != nullptr, "a status without words");
  Sec1996 count = 0;
  const Sec1996ParseStatus withoutFraction = decode(code, size, &layout, &count, nullptr, nullptr);
  if (r.status != SEC1996_PARSE_OK) {
    FUZZ_CHECK(withoutFraction == r.status, "a refusal changed with the fraction's place");
    return;
  }
  FUZZ_CHECK(withoutFraction == (r.fraction == 0 ? SEC1996_PARSE_OK : SEC1996_PARSE_FRACTION),
             "a fraction %llu was not refused without a place",
             static_cast<unsigned long long>(r.fraction));
  FUZZ_CHECK(r.used >= 1 && r.used <= size, "used %zu of %zu", r.used, size);

  // The same layout as the code holds it, for the encoder.
  Layout same = layout;
  if (layout.pField != 0) same = layoutOf(code, layout);
  std::uint8_t back[SEC1996_CCSDS_MAX_SIZE];
  std::size_t length = 0;
  FUZZ_CHECK(encode(r.count, r.fraction, &same, back, sizeof back, &length) == SEC1996_PARSE_OK,
             "an accepted code does not encode back");
  // The T-fields agree; so do the P-fields, but for a CUC's, which the
  // encoder writes in one octet where one suffices.
  const std::size_t at = layout.pField != 0 ? tFieldAt : 0;
  const std::size_t tLength = r.used - at;
  FUZZ_CHECK(length >= tLength, "encoded %zu octets of %zu", length, r.used);
  const std::size_t backAt = length - tLength;
  FUZZ_CHECK(std::memcmp(back + backAt, code + at, tLength) == 0,
             "the T-field does not encode back to its octets");
  FUZZ_CHECK(std::memcmp(back, code, at) == 0 || (exactPField == false && backAt <= at),
             "the P-field does not encode back to its octets");
  FUZZ_CHECK(exactPField == false || backAt == at, "encoded %zu octets of %zu", length, r.used);

  // The array form, on the encoder's own octets.
  Result n{SEC1996_PARSE_OK, 0, 0, 0};
  FUZZ_CHECK(decodeN(back, 1, &same, &n.count, &n.fraction, &n.status) == 0 && n.count == r.count &&
                 n.fraction == r.fraction,
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
  switch (choice % 3) {
    case 0:
      check(code.get(), n, Sec1996CucLayout{pField, a % 9, b + a / 9}, cvtToSec1996_cuc,
            cvtFromSec1996_cuc, cvtToSec1996_cuc_n, (n > 0 && (code[0] & 0x80) != 0) ? 2 : 1,
            false);
      break;
    case 1:
      check(code.get(), n, Sec1996CdsLayout{pField, 2 + (a & 1), b % 4, (a >> 1) & 1, 1996, 1, 1},
            cvtToSec1996_cds, cvtFromSec1996_cds, cvtToSec1996_cds_n, 1, true);
      break;
    default:
      check(code.get(), n, Sec1996CcsLayout{pField, a & 1, b}, cvtToSec1996_ccs, cvtFromSec1996_ccs,
            cvtToSec1996_ccs_n, 1, true);
      break;
  }
  return 0;
}
