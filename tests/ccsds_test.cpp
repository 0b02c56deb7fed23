// The CCSDS time codes: vectors computed apart from the encoder, every
// refusal of the decoders and encoders as a table row, and round trips of
// every layout over random counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "timescale/sec1996_ccsds.h"

namespace {

std::vector<std::uint8_t> bytesOf(std::string_view hex) {
  std::vector<std::uint8_t> bytes;
  const auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    if (hex[i] == ' ') {
      --i;
      continue;
    }
    bytes.push_back(static_cast<std::uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
  }
  return bytes;
}

std::string hexOf(const std::uint8_t* bytes, std::size_t n) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (std::size_t i = 0; i < n; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 15];
  }
  return hex;
}

// The layouts of the vector table: CUC 4+2 with the P-field 2E, CDS level 1
// with a 16-bit day and microseconds (41), CDS from the agency epoch
// 1996-01-01 with a 24-bit day and picoseconds (4E), CCS with two
// sub-second octets by month and day (52) and by day of the year (5A).
constexpr Sec1996CucLayout kCuc42 = {1, 4, 2};
constexpr Sec1996CdsLayout kCds1958 = {1, 2, SEC1996_CDS_MICROSECONDS, 0, 0, 0, 0};
constexpr Sec1996CdsLayout kCds1996 = {1, 3, SEC1996_CDS_PICOSECONDS, 1, 1996, 1, 1};
constexpr Sec1996CcsLayout kCcsMonth = {1, 0, 2};
constexpr Sec1996CcsLayout kCcsYearDay = {1, 1, 2};

struct Vector {
  const char* instant;  // UTC, to the picosecond
  Sec1996 count;
  std::uint64_t picoseconds;
  std::uint64_t cucFraction;  // in 2^-64 s, as two fine octets hold it
  const char* cuc;
  const char* cds1958;
  const char* cds1996;
  const char* ccsMonth;
  const char* ccsYearDay;
};

// Written by tests/ccsds_vectors.py: the counts and days from astropy/ERFA,
// the octets packed by struct.  The epoch, the leap second and its
// neighbours, the first UTC leap second the scale does not count, the
// worked example of the reference sheet, the end of the scale and random
// instants.
constexpr Vector kVectors[] = {
    {"1996-01-01T00:00:00.000000000000", 0U, 0ULL, 0x0ULL, "2E000000000000", "413637000000000000",
     "4E0000000000000000000000", "52199601010000000000", "5A199600010000000000"},
    {"1996-01-01T00:00:01.500000000000", 1U, 500000000000ULL, 0x8000000000000000ULL,
     "2E000000018000", "413637000005DC0000", "4E000000000005DC00000000", "52199601010000015000",
     "5A199600010000015000"},
    {"1997-06-30T23:59:59.000000000000", 47260799U, 0ULL, 0x0ULL, "2E02D1247F0000",
     "413859052658180000", "4E0002220526581800000000", "52199706302359590000",
     "5A199701812359590000"},
    {"1997-06-30T23:59:60.000000000000", 47260800U, 0ULL, 0x0ULL, "2E02D124800000",
     "41385905265C000000", "4E00022205265C0000000000", "52199706302359600000",
     "5A199701812359600000"},
    {"1997-06-30T23:59:60.999000000000", 47260800U, 999000000000ULL, 0xffbe000000000000ULL,
     "2E02D12480FFBE", "41385905265FE70000", "4E00022205265FE700000000", "52199706302359609990",
     "5A199701812359609990"},
    {"1997-07-01T00:00:00.000000000000", 47260801U, 0ULL, 0x0ULL, "2E02D124810000",
     "41385A000000000000", "4E0002230000000000000000", "52199707010000000000",
     "5A199701820000000000"},
    {"1998-12-31T23:59:59.000000000000", 94694400U, 0ULL, 0x0ULL, "2E05A4EC000000",
     "413A7E052658180000", "4E0004470526581800000000", "52199812312359590000",
     "5A199803652359590000"},
    {"1999-01-01T00:00:00.000000000000", 94694401U, 0ULL, 0x0ULL, "2E05A4EC010000",
     "413A7F000000000000", "4E0004480000000000000000", "52199901010000000000",
     "5A199900010000000000"},
    {"2000-02-29T12:00:00.000000000000", 131371201U, 0ULL, 0x0ULL, "2E07D490C10000",
     "413C2702932E000000", "4E0005F002932E0000000000", "52200002291200000000",
     "5A200000601200000000"},
    {"2026-12-09T12:34:56.789000000000", 976365297U, 789000000000ULL, 0xc9fb000000000000ULL,
     "2E3A3226F1C9FB", "41625B02B32C950000", "4E002C2402B32C9500000000", "52202612091234567890",
     "5A202603431234567890"},
    {"2132-02-07T06:28:14.999999999999", 4294967295U, 999999999999ULL, 0xffff000000000000ULL,
     "2EFFFFFFFFFFFF", "41F8650163741703E7", "4E00C22E016374173B9AC9FF", "52213202070628149999",
     "5A213200380628149999"},
    {"2072-07-25T07:07:10.986918679366", 2416201631U, 986918679366ULL, 0xfca6000000000000ULL,
     "2E90044F9FFCA6", "41A3740187190A0396", "4E006D3D0187190A36C1EF46", "52207207250707109869",
     "5A207202070707109869"},
    {"2054-11-07T06:03:18.221240172224", 1857189799U, 221240172224ULL, 0x38a3000000000000ULL,
     "2E6EB277A738A3", "418A2E014C9D4D00F0", "4E0053F7014C9D4D0E50BCC0", "52205411070603182212",
     "5A205403110603182212"},
    {"2040-06-30T23:33:28.584101881092", 1404257609U, 584101881092ULL, 0x9587000000000000ULL,
     "2E53B345499587", "4175B3050E13880065", "4E003F7C050E138806129504", "52204006302333285841",
     "5A204001822333285841"},
    {"2028-09-19T18:32:03.653471799938", 1032546724U, 653471799938ULL, 0xa749000000000000ULL,
     "2E3D8B69A4A749", "4164E503FA1F4501D7", "4E002EAE03FA1F451C1F1882", "52202809191832036534",
     "5A202802631832036534"},
    {"2025-07-09T13:04:59.452090135308", 931611900U, 452090135308ULL, 0x73bc000000000000ULL,
     "2E378744FC73BC", "41605502CEAE3C005A", "4E002A1E02CEAE3C055F5B0C", "52202507091304594520",
     "5A202501901304594520"},
    {"2033-01-06T06:11:06.915978702353", 1168150267U, 915978702353ULL, 0xea7d000000000000ULL,
     "2E45A08EFBEA7D", "416B070153C42303D2", "4E0034D00153C4233A55D011", "52203301060611069159",
     "5A203300060611069159"},
    {"2008-03-03T16:40:16.984945521505", 384108017U, 984945521505ULL, 0xfc25000000000000ULL,
     "2E16E505F1FC25", "4147940393C95803B1", "4E00115D0393C958385B8361", "52200803031640169849",
     "5A200800631640169849"},
    {"2031-03-04T23:41:52.681049700002", 1109979713U, 681049700002ULL, 0xae59000000000000ULL,
     "2E4228F241AE59", "4168650515C4A90031", "4E00322E0515C4A902F65CA2", "52203103042341526810",
     "5A203100632341526810"},
};

TEST(CcsdsVectors, EncodeGivesTheIndependentOctets) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.instant);
    std::uint8_t code[SEC1996_CCSDS_MAX_SIZE];
    std::size_t length = 0;
    ASSERT_EQ(cvtFromSec1996_cuc(v.count, v.cucFraction, &kCuc42, code, sizeof code, &length),
              SEC1996_PARSE_OK);
    EXPECT_EQ(hexOf(code, length), v.cuc);
    ASSERT_EQ(cvtFromSec1996_cds(v.count, v.picoseconds, &kCds1958, code, sizeof code, &length),
              SEC1996_PARSE_OK);
    EXPECT_EQ(hexOf(code, length), v.cds1958);
    ASSERT_EQ(cvtFromSec1996_cds(v.count, v.picoseconds, &kCds1996, code, sizeof code, &length),
              SEC1996_PARSE_OK);
    EXPECT_EQ(hexOf(code, length), v.cds1996);
    ASSERT_EQ(cvtFromSec1996_ccs(v.count, v.picoseconds, &kCcsMonth, code, sizeof code, &length),
              SEC1996_PARSE_OK);
    EXPECT_EQ(hexOf(code, length), v.ccsMonth);
    ASSERT_EQ(cvtFromSec1996_ccs(v.count, v.picoseconds, &kCcsYearDay, code, sizeof code, &length),
              SEC1996_PARSE_OK);
    EXPECT_EQ(hexOf(code, length), v.ccsYearDay);
  }
}

// Decodes hex with one of the functions, expecting the whole code to be
// used and the count and fraction given.
template <class Layout, class Decode>
void expectDecodes(Decode decode, const Layout& layout, const char* hex, Sec1996 count,
                   std::uint64_t fraction) {
  SCOPED_TRACE(hex);
  const std::vector<std::uint8_t> code = bytesOf(hex);
  Sec1996 decoded = 1;
  std::uint64_t decodedFraction = 1;
  std::size_t used = 0;
  ASSERT_EQ(decode(code.data(), code.size(), &layout, &decoded, &decodedFraction, &used),
            SEC1996_PARSE_OK);
  EXPECT_EQ(decoded, count);
  EXPECT_EQ(decodedFraction, fraction);
  EXPECT_EQ(used, code.size());
  // Every shorter prefix is refused as truncated: nothing past size is read.
  for (std::size_t size = 0; size < code.size(); ++size) {
    EXPECT_EQ(decode(code.data(), size, &layout, &decoded, &decodedFraction, &used),
              SEC1996_PARSE_TRUNCATED)
        << size;
  }
}

TEST(CcsdsVectors, DecodeGivesTheCountAndTheFractionTheCodeHolds) {
  constexpr std::uint64_t kPsPerUs = 1000000, kPsPer10000th = 100000000;
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.instant);
    expectDecodes(cvtToSec1996_cuc, kCuc42, v.cuc, v.count, v.cucFraction);
    expectDecodes(cvtToSec1996_cds, kCds1958, v.cds1958, v.count,
                  v.picoseconds / kPsPerUs * kPsPerUs);
    expectDecodes(cvtToSec1996_cds, kCds1996, v.cds1996, v.count, v.picoseconds);
    expectDecodes(cvtToSec1996_ccs, kCcsMonth, v.ccsMonth, v.count,
                  v.picoseconds / kPsPer10000th * kPsPer10000th);
    expectDecodes(cvtToSec1996_ccs, kCcsYearDay, v.ccsYearDay, v.count,
                  v.picoseconds / kPsPer10000th * kPsPer10000th);
  }
}

// Layouts beyond the vector table, each with a code and what it holds.
TEST(CcsdsVectors, OtherLayoutsReadAsWritten) {
  // The extended P-field: 4+8 (octet 2 adds 5 fine octets), 7+0 (3 coarse).
  expectDecodes(cvtToSec1996_cuc, kCuc42, "AF14 02D12480 0123456789ABCDEF", 47260800,
                0x0123456789ABCDEFULL);
  expectDecodes(cvtToSec1996_cuc, kCuc42, "AC60 00000002D12480", 47260800, 0);
  // Implicit layouts: the T-field alone.
  expectDecodes(cvtToSec1996_cuc, Sec1996CucLayout{0, 1, 1}, "FF80", 255, 1ULL << 63);
  expectDecodes(cvtToSec1996_cds, Sec1996CdsLayout{0, 2, 0, 0, 0, 0, 0}, "3859 05265C00", 47260800,
                0);
  expectDecodes(cvtToSec1996_ccs, Sec1996CcsLayout{0, 0, 6}, "1997 0630 235960 999999999999",
                47260800, 999999999999);
  // CDS level 2 from the P-field, the agency epoch from the layout.
  expectDecodes(cvtToSec1996_cds, Sec1996CdsLayout{1, 0, 0, 0, 2000, 1, 1}, "48 0000 00000000",
                cvtToSec1996({2000, 1, 1, 0, 0, 0}), 0);
}

struct Refusal {
  const char* code;
  Sec1996ParseStatus status;
};

// Every refusal of the decoders, given their P-fields (CDS with the agency
// epoch 1996-01-01 for the P-fields that ask for it).
constexpr Refusal kCucRefusals[] = {
    {"", SEC1996_PARSE_TRUNCATED},
    {"2E 02D124 8000", SEC1996_PARSE_TRUNCATED},
    {"AE", SEC1996_PARSE_TRUNCATED},                 // the second P-field octet is missing
    {"1E 02D12480 0000", SEC1996_PARSE_WRONG_CODE},  // level 1, TAI from 1958
    {"41 3859 05265C00 0000", SEC1996_PARSE_WRONG_CODE},
    {"52 1997 0630 235960 0000", SEC1996_PARSE_WRONG_CODE},
    {"6E 02D12480 0000", SEC1996_PARSE_WRONG_CODE},  // agency-defined
    {"0E 02D12480 0000", SEC1996_PARSE_RESERVED},
    {"3E 02D12480 0000", SEC1996_PARSE_RESERVED},
    {"7E 02D12480 0000", SEC1996_PARSE_RESERVED},
    {"AE 80 00 02D12480 0000", SEC1996_PARSE_RESERVED},               // a third P-field octet
    {"AF 18 02D12480 00000000000000000000", SEC1996_PARSE_RESERVED},  // 9 fine octets
    {"AC 60 01000000000000", SEC1996_PARSE_OUT_OF_SPAN},              // coarse 2^48
    {"AC 20 0100000000", SEC1996_PARSE_OUT_OF_SPAN},                  // coarse 2^32
};

constexpr Refusal kCdsRefusals[] = {
    {"", SEC1996_PARSE_TRUNCATED},
    {"41 3859 05265C00 00", SEC1996_PARSE_TRUNCATED},
    {"2E 3859 05265C00 0000", SEC1996_PARSE_WRONG_CODE},
    {"51 3859 05265C00 0000", SEC1996_PARSE_WRONG_CODE},
    {"01 3859 05265C00 0000", SEC1996_PARSE_RESERVED},
    {"C1 3859 05265C00 0000", SEC1996_PARSE_RESERVED},         // the extension flag
    {"43 3859 05265C00 00000000", SEC1996_PARSE_RESERVED},     // sub-millisecond 11
    {"41 3859 05265C00 03E8", SEC1996_PARSE_FIELD_RANGE},      // 1000 microseconds
    {"42 3859 05265C00 3B9ACA00", SEC1996_PARSE_FIELD_RANGE},  // 10^9 picoseconds
    {"40 3859 05265FE8", SEC1996_PARSE_FIELD_RANGE},           // millisecond 86401000 of the day
    {"40 3859 FFFFFFFF", SEC1996_PARSE_FIELD_RANGE},
    {"40 3636 05265BFF", SEC1996_PARSE_OUT_OF_SPAN},  // 1995-12-31 23:59:59.999
    {"40 0000 00000000", SEC1996_PARSE_OUT_OF_SPAN},  // 1958-01-01
    {"40 F865 01637418", SEC1996_PARSE_OUT_OF_SPAN},  // 2132-02-07 06:28:15
    {"40 FFFF 00000000", SEC1996_PARSE_OUT_OF_SPAN},
    {"44 FFFFFF 00000000", SEC1996_PARSE_OUT_OF_SPAN},
    {"4C FFFFFF 00000000", SEC1996_PARSE_OUT_OF_SPAN},    // 24-bit day from 1996
    {"40 3858 05265C00", SEC1996_PARSE_NOT_LEAP_SECOND},  // 1997-06-29
    {"40 385A 05265C00", SEC1996_PARSE_NOT_LEAP_SECOND},  // 1997-07-01
    {"40 3A7E 05265C00", SEC1996_PARSE_NOT_LEAP_SECOND},  // 1998-12-31, not on the scale
    {"48 0000 05265C00", SEC1996_PARSE_NOT_LEAP_SECOND},  // 1996-01-01 from 1996
};

constexpr Refusal kCcsRefusals[] = {
    {"", SEC1996_PARSE_TRUNCATED},
    {"52 1997 0630 235960 00", SEC1996_PARSE_TRUNCATED},
    {"58 1997 0181 2359", SEC1996_PARSE_TRUNCATED},
    {"2E 1997 0630 235960", SEC1996_PARSE_WRONG_CODE},
    {"40 1997 0630 235960", SEC1996_PARSE_WRONG_CODE},
    {"70 1997 0630 235960", SEC1996_PARSE_RESERVED},
    {"D0 1997 0630 235960", SEC1996_PARSE_RESERVED},                 // the extension flag
    {"57 1997 0630 235960 00000000000000", SEC1996_PARSE_RESERVED},  // resolution 111
    {"5F 1997 0181 235960 00000000000000", SEC1996_PARSE_RESERVED},
    {"50 199A 0630 235960", SEC1996_PARSE_BAD_DIGIT},
    {"50 1997 06F0 235960", SEC1996_PARSE_BAD_DIGIT},
    {"50 1997 0630 A35960", SEC1996_PARSE_BAD_DIGIT},
    {"51 1997 0630 235960 0A", SEC1996_PARSE_BAD_DIGIT},  // a sub-second digit
    {"56 1997 0630 235960 00000000000B", SEC1996_PARSE_BAD_DIGIT},
    {"50 0000 0101 000000", SEC1996_PARSE_FIELD_RANGE},  // year 0000
    {"50 1997 0001 000000", SEC1996_PARSE_FIELD_RANGE},
    {"50 1997 1301 000000", SEC1996_PARSE_FIELD_RANGE},
    {"50 1997 0100 000000", SEC1996_PARSE_FIELD_RANGE},
    {"50 1997 0132 000000", SEC1996_PARSE_FIELD_RANGE},
    {"50 1997 0630 240000", SEC1996_PARSE_FIELD_RANGE},  // 24:00:00 even on a leap day
    {"50 1997 0630 236000", SEC1996_PARSE_FIELD_RANGE},
    {"50 1997 0630 235961", SEC1996_PARSE_FIELD_RANGE},
    {"50 1997 0230 006000", SEC1996_PARSE_FIELD_RANGE},  // ranges before dates
    {"58 1997 0000 000000", SEC1996_PARSE_FIELD_RANGE},
    {"58 1996 0367 000000", SEC1996_PARSE_FIELD_RANGE},
    {"58 1997 1181 000000", SEC1996_PARSE_FIELD_RANGE},  // the unused top nibble
    {"50 1997 0229 000000", SEC1996_PARSE_NO_SUCH_DATE},
    {"50 1996 0431 000000", SEC1996_PARSE_NO_SUCH_DATE},
    {"58 1997 0366 000000", SEC1996_PARSE_NO_SUCH_DATE},
    {"50 1995 1231 235959", SEC1996_PARSE_OUT_OF_SPAN},
    {"50 2132 0207 062815", SEC1996_PARSE_OUT_OF_SPAN},
    {"50 9999 1231 235959", SEC1996_PARSE_OUT_OF_SPAN},
    {"50 1998 1231 235960", SEC1996_PARSE_NOT_LEAP_SECOND},  // not on the scale
    {"50 1997 0629 235960", SEC1996_PARSE_NOT_LEAP_SECOND},
    {"50 1997 0630 123060", SEC1996_PARSE_NOT_LEAP_SECOND},
    {"58 1997 0182 235960", SEC1996_PARSE_NOT_LEAP_SECOND},
};

template <class Layout, class Decode>
void expectRefusals(Decode decode, const Layout& layout, const Refusal* rows, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(rows[i].code);
    const std::vector<std::uint8_t> code = bytesOf(rows[i].code);
    Sec1996 count = 7;
    std::uint64_t fraction = 7;
    std::size_t used = 7;
    EXPECT_EQ(decode(code.data(), code.size(), &layout, &count, &fraction, &used), rows[i].status);
    EXPECT_EQ(count, 7U);
    EXPECT_EQ(fraction, 7U);
    EXPECT_EQ(used, 7U);
  }
}

TEST(CcsdsRefusals, DecodersRefuseWithTheReasonAndSetNothing) {
  expectRefusals(cvtToSec1996_cuc, kCuc42, kCucRefusals, std::size(kCucRefusals));
  expectRefusals(cvtToSec1996_cds, kCds1996, kCdsRefusals, std::size(kCdsRefusals));
  expectRefusals(cvtToSec1996_ccs, kCcsMonth, kCcsRefusals, std::size(kCcsRefusals));
}

// A fraction is never dropped: without a place for it, a code holding one
// is refused, and one without it accepted.
constexpr Refusal kFractionRefusals[] = {
    {"2E 02D12480 0001", SEC1996_PARSE_FRACTION},
    {"2E 02D12480 0000", SEC1996_PARSE_OK},
    {"41 3859 05265C01 0000", SEC1996_PARSE_FRACTION},
    {"41 3859 05265C00 0001", SEC1996_PARSE_FRACTION},
    {"41 3859 05265C00 0000", SEC1996_PARSE_OK},
    {"51 1997 0630 235960 01", SEC1996_PARSE_FRACTION},
    {"51 1997 0630 235960 00", SEC1996_PARSE_OK},
};

TEST(CcsdsRefusals, AFractionWithoutAPlaceIsRefused) {
  for (const Refusal& r : kFractionRefusals) {
    SCOPED_TRACE(r.code);
    const std::vector<std::uint8_t> code = bytesOf(r.code);
    Sec1996 count = 0;
    const auto* p = code.data();
    const std::size_t n = code.size();
    const Sec1996ParseStatus status =
        p[0] == 0x2E   ? cvtToSec1996_cuc(p, n, &kCuc42, &count, nullptr, nullptr)
        : p[0] == 0x41 ? cvtToSec1996_cds(p, n, &kCds1958, &count, nullptr, nullptr)
                       : cvtToSec1996_ccs(p, n, &kCcsMonth, &count, nullptr, nullptr);
    EXPECT_EQ(status, r.status);
    EXPECT_EQ(count, r.status == SEC1996_PARSE_OK ? 47260800U : 0U);
  }
}

// Implicit layouts outside their ranges, and a CDS P-field asking for an
// agency epoch that the layout does not give as a real date.
TEST(CcsdsRefusals, LayoutsOutsideTheirRangesAreReserved) {
  const std::uint8_t code[SEC1996_CCSDS_MAX_SIZE] = {0x48};
  const Sec1996CucLayout cucs[] = {{0, 0, 2}, {0, 8, 0}, {0, 4, 9}, {0, 4, -1}, {1, 0, 0}};
  const Sec1996CdsLayout cdss[] = {{0, 1, 0, 0, 0, 0, 0},     {0, 4, 0, 0, 0, 0, 0},
                                   {0, 2, 3, 0, 0, 0, 0},     {0, 2, -1, 0, 0, 0, 0},
                                   {0, 2, 0, 1, 1997, 2, 29}, {0, 2, 0, 1, 1996, 13, 1},
                                   {1, 2, 0, 0, 1996, 0, 1}};  // the P-field 48 above
  const Sec1996CcsLayout ccss[] = {{0, 0, 7}, {0, 1, -1}, {1, 0, 7}};
  Sec1996 count = 0;
  std::uint8_t out[SEC1996_CCSDS_MAX_SIZE];
  for (const Sec1996CucLayout& l : cucs) {
    EXPECT_EQ(codeLength1996_cuc(&l), 0U);
    EXPECT_EQ(cvtFromSec1996_cuc(0, 0, &l, out, sizeof out, nullptr), SEC1996_PARSE_RESERVED);
    if (l.pField == 0) {
      EXPECT_EQ(cvtToSec1996_cuc(code, sizeof code, &l, &count, nullptr, nullptr),
                SEC1996_PARSE_RESERVED);
    }
  }
  for (const Sec1996CdsLayout& l : cdss) {
    if (l.pField == 0) {
      EXPECT_EQ(cvtFromSec1996_cds(0, 0, &l, out, sizeof out, nullptr), SEC1996_PARSE_RESERVED);
    }
    EXPECT_EQ(cvtToSec1996_cds(code, sizeof code, &l, &count, nullptr, nullptr),
              SEC1996_PARSE_RESERVED);
  }
  for (const Sec1996CcsLayout& l : ccss) {
    EXPECT_EQ(codeLength1996_ccs(&l), 0U);
    EXPECT_EQ(cvtFromSec1996_ccs(0, 0, &l, out, sizeof out, nullptr), SEC1996_PARSE_RESERVED);
    if (l.pField == 0) {
      EXPECT_EQ(cvtToSec1996_ccs(code, sizeof code, &l, &count, nullptr, nullptr),
                SEC1996_PARSE_RESERVED);
    }
  }
}

struct EncodeRefusal {
  const char* what;
  Sec1996ParseStatus (*encode)(Sec1996 count, std::uint64_t fraction, std::size_t size);
  Sec1996ParseStatus status;
};

template <class Layout, class Encode>
Sec1996ParseStatus encodeWith(Encode encode, const Layout& layout, Sec1996 count,
                              std::uint64_t fraction, std::size_t size) {
  std::uint8_t code[SEC1996_CCSDS_MAX_SIZE] = {};
  std::size_t length = 99;
  const Sec1996ParseStatus status = encode(count, fraction, &layout, code, size, &length);
  if (status != SEC1996_PARSE_OK) {
    // Nothing written on a refusal.
    EXPECT_EQ(length, 99U);
    EXPECT_EQ(hexOf(code, sizeof code), std::string(2 * sizeof code, '0'));
  }
  return status;
}

TEST(CcsdsRefusals, EncodersRefuseWithTheReasonAndWriteNothing) {
  constexpr std::uint64_t kSecond = 1000000000000;
  const Sec1996 y2100 = cvtToSec1996({2100, 1, 1, 0, 0, 0});
  constexpr Sec1996CucLayout kCuc1 = {1, 1, 0};
  constexpr Sec1996CdsLayout kFrom2000 = {1, 2, 0, 1, 2000, 1, 1};
  constexpr Sec1996CdsLayout kFrom1900 = {1, 2, 0, 1, 1900, 1, 1};  // day 65535 is 2079-06-06
  const struct {
    const char* what;
    Sec1996ParseStatus status, expected;
  } rows[] = {
      {"CUC 1+0, count 255", encodeWith(cvtFromSec1996_cuc, kCuc1, 255, 0, 17), SEC1996_PARSE_OK},
      {"CUC 1+0, count 256", encodeWith(cvtFromSec1996_cuc, kCuc1, 256, 0, 17),
       SEC1996_PARSE_OUT_OF_SPAN},
      {"CUC 4+2 into 6 octets", encodeWith(cvtFromSec1996_cuc, kCuc42, 0, 0, 6),
       SEC1996_PARSE_BUFFER_TOO_SMALL},
      {"CDS into 8 octets", encodeWith(cvtFromSec1996_cds, kCds1958, 0, 0, 8),
       SEC1996_PARSE_BUFFER_TOO_SMALL},
      {"CDS one second of fraction", encodeWith(cvtFromSec1996_cds, kCds1958, 0, kSecond, 17),
       SEC1996_PARSE_FIELD_RANGE},
      {"CDS before the agency epoch", encodeWith(cvtFromSec1996_cds, kFrom2000, 0, 0, 17),
       SEC1996_PARSE_OUT_OF_SPAN},
      {"CDS 2079-06-06 from 1900",
       encodeWith(cvtFromSec1996_cds, kFrom1900, cvtToSec1996({2079, 6, 6, 23, 59, 59}), 0, 17),
       SEC1996_PARSE_OK},
      {"CDS 2079-06-07 from 1900",
       encodeWith(cvtFromSec1996_cds, kFrom1900, cvtToSec1996({2079, 6, 7, 0, 0, 0}), 0, 17),
       SEC1996_PARSE_OUT_OF_SPAN},
      {"CDS 2100 from 1900", encodeWith(cvtFromSec1996_cds, kFrom1900, y2100, 0, 17),
       SEC1996_PARSE_OUT_OF_SPAN},
      {"CCS into 9 octets", encodeWith(cvtFromSec1996_ccs, kCcsMonth, 0, 0, 9),
       SEC1996_PARSE_BUFFER_TOO_SMALL},
      {"CCS one second of fraction", encodeWith(cvtFromSec1996_ccs, kCcsMonth, 0, kSecond, 17),
       SEC1996_PARSE_FIELD_RANGE},
  };
  for (const auto& row : rows) EXPECT_EQ(row.status, row.expected) << row.what;
}

// ---- Round trips -------------------------------------------------------------

// Every layout over random counts and fractions: decode(encode(x)) is x
// with the fraction truncated to the layout, and the array forms give what
// the single-value forms give.
template <class Layout, class Encode, class Decode, class EncodeN, class DecodeN, class Truncate>
void roundTrip(const Layout& layout, std::size_t length, Encode encode, Decode decode,
               EncodeN encodeN, DecodeN decodeN, Truncate truncate, std::mt19937_64& random,
               Sec1996 first, Sec1996 last) {
  constexpr std::size_t kValues = 64;
  std::vector<Sec1996> counts(kValues);
  std::vector<std::uint64_t> fractions(kValues);
  std::vector<std::uint8_t> codes(kValues * length);
  std::uniform_int_distribution<Sec1996> anyCount(first, last);
  for (std::size_t i = 0; i < kValues; ++i) {
    counts[i] = i == 0 ? std::min<Sec1996>(47260800, last) : anyCount(random);
    fractions[i] = truncate(random());
    std::size_t written = 0;
    ASSERT_EQ(encode(counts[i], fractions[i], &layout, &codes[i * length], length, &written),
              SEC1996_PARSE_OK)
        << counts[i];
    ASSERT_EQ(written, length);
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    ASSERT_EQ(decode(&codes[i * length], length, &layout, &count, &fraction, nullptr),
              SEC1996_PARSE_OK)
        << hexOf(&codes[i * length], length);
    EXPECT_EQ(count, counts[i]);
    EXPECT_EQ(fraction, fractions[i]);
  }
  std::vector<std::uint8_t> arrayCodes(kValues * length);
  EXPECT_EQ(encodeN(counts.data(), fractions.data(), kValues, &layout, arrayCodes.data(), nullptr),
            0U);
  EXPECT_EQ(arrayCodes, codes);
  std::vector<Sec1996> arrayCounts(kValues);
  std::vector<std::uint64_t> arrayFractions(kValues);
  std::vector<Sec1996ParseStatus> status(kValues);
  EXPECT_EQ(decodeN(codes.data(), kValues, &layout, arrayCounts.data(), arrayFractions.data(),
                    status.data()),
            0U);
  EXPECT_EQ(arrayCounts, counts);
  EXPECT_EQ(arrayFractions, fractions);
}

TEST(CcsdsRoundTrip, EveryLayoutOverRandomCounts) {
  std::mt19937_64 random(19);
  for (int pField = 0; pField <= 1; ++pField) {
    for (int coarse = 1; coarse <= 7; ++coarse) {
      for (int fine = 0; fine <= 8; ++fine) {
        SCOPED_TRACE(testing::Message() << "CUC " << coarse << '+' << fine << " P " << pField);
        const Sec1996CucLayout layout = {pField, coarse, fine};
        const auto truncate = [fine](std::uint64_t f) {
          return fine == 0 ? 0 : fine == 8 ? f : f >> (64 - 8 * fine) << (64 - 8 * fine);
        };
        const Sec1996 last = coarse >= 4 ? UINT32_MAX : (Sec1996{1} << (8 * coarse)) - 1;
        roundTrip(layout, codeLength1996_cuc(&layout), cvtFromSec1996_cuc, cvtToSec1996_cuc,
                  cvtFromSec1996_cuc_n, cvtToSec1996_cuc_n, truncate, random, 0, last);
      }
    }
    for (int day = 2; day <= 3; ++day) {
      for (int sub = 0; sub <= 2; ++sub) {
        for (int agency = 0; agency <= 1; ++agency) {
          SCOPED_TRACE(testing::Message() << "CDS " << day << ' ' << sub << ' ' << agency);
          const Sec1996CdsLayout layout = {pField, day, sub, agency, 1996, 1, 1};
          const std::uint64_t unit = sub == 0 ? 1000000000 : sub == 1 ? 1000000 : 1;
          const auto truncate = [unit](std::uint64_t f) { return f % 1000000000000 / unit * unit; };
          roundTrip(layout, codeLength1996_cds(&layout), cvtFromSec1996_cds, cvtToSec1996_cds,
                    cvtFromSec1996_cds_n, cvtToSec1996_cds_n, truncate, random, 0, UINT32_MAX);
        }
      }
    }
    for (int dayOfYear = 0; dayOfYear <= 1; ++dayOfYear) {
      for (int octets = 0; octets <= 6; ++octets) {
        SCOPED_TRACE(testing::Message() << "CCS " << dayOfYear << ' ' << octets);
        const Sec1996CcsLayout layout = {pField, dayOfYear, octets};
        std::uint64_t unit = 1000000000000;
        for (int i = 0; i < octets; ++i) unit /= 100;
        const auto truncate = [unit](std::uint64_t f) { return f % 1000000000000 / unit * unit; };
        roundTrip(layout, codeLength1996_ccs(&layout), cvtFromSec1996_ccs, cvtToSec1996_ccs,
                  cvtFromSec1996_ccs_n, cvtToSec1996_ccs_n, truncate, random, 0, UINT32_MAX);
      }
    }
  }
}

// ---- CUC level 1: TAI seconds since 1958 ---------------------------------------

// The pinned leap-second list of tests/data (tzdata 2026f, expiring
// 2027-06-28), so that the expiry falls where the rows below expect it.
const Sec1996LeapList* pinnedList() {
  static const Sec1996LeapList* list = [] {
    Sec1996LeapList* loaded = nullptr;
    Sec1996LeapListError error{};
    const std::string path = std::string(CCSDS_LEAP_LIST_DIR) + "/leap-seconds.list";
    EXPECT_EQ(leapListFromFile1996(path.c_str(), &loaded, &error), SEC1996_PARSE_OK)
        << error.message;
    return loaded;  // kept for the process
  }();
  return list;
}

// CUC 4+2 (P-field 1E: id 001, 4 coarse, 2 fine) and 5+0 (9C 20: the
// extended P-field adds one coarse octet).
constexpr Sec1996CucLayout kCuc50 = {1, 5, 0};

struct TaiVector {
  const char* instant;  // UTC
  Sec1996 count;
  std::uint64_t fraction;
  const Sec1996CucLayout* layout;
  Sec1996ParseStatus status;  // of both directions
  const char* code;           // "" where the encoder refuses
};

// The coarse times by hand: days from 1958-01-01 to the UTC date times
// 86400, plus the seconds of the day (23:59:60 is the 86400th), plus
// TAI-UTC then as the list gives it (30 s in 1996, 31 from 1997-07-01, 32
// from 1999-01-01, 36 from 2015-07-01, 37 from 2017-01-01: ERFA's eraDat
// agrees).  Day 13879 is 1996-01-01, so count 0 is 13879 * 86400 + 30 =
// 1199145630 = 0x4779829E.  Counts after the list's expiry are written
// with the warning; 2094-02-06 06:27:39 is TAI 2^32, past 4 coarse octets.
const TaiVector kTaiVectors[] = {
    {"1996-01-01T00:00:00", 0, 0, &kCuc42, SEC1996_PARSE_OK, "1E 4779829E 0000"},
    {"1996-01-01T00:00:00.75", 0, 0xC000000000000000, &kCuc42, SEC1996_PARSE_OK,
     "1E 4779829E C000"},
    {"1997-06-30T23:59:59", 47260799, 0, &kCuc42, SEC1996_PARSE_OK, "1E 4A4AA71D 0000"},
    {"1997-06-30T23:59:60, the scale's", 47260800, 0x8000000000000000, &kCuc42, SEC1996_PARSE_OK,
     "1E 4A4AA71E 8000"},
    {"1997-07-01T00:00:00", 47260801, 0, &kCuc42, SEC1996_PARSE_OK, "1E 4A4AA71F 0000"},
    {"1998-12-31T23:59:59", 94694400, 0, &kCuc42, SEC1996_PARSE_OK, "1E 4D1E6E9E 0000"},
    {"1999-01-01T00:00:00, a leap second between", 94694401, 0, &kCuc42, SEC1996_PARSE_OK,
     "1E 4D1E6EA0 0000"},
    {"2016-12-31T23:59:59", 662774400, 0, &kCuc42, SEC1996_PARSE_OK, "1E 6EFAA523 0000"},
    {"2017-01-01T00:00:00", 662774401, 0, &kCuc42, SEC1996_PARSE_OK, "1E 6EFAA525 0000"},
    {"2094-02-06T06:27:38", 3095821659, 0, &kCuc42, SEC1996_PARSE_LIST_EXPIRED, "1E FFFFFFFF 0000"},
    {"2094-02-06T06:27:39 in 4 octets", 3095821660, 0, &kCuc42, SEC1996_PARSE_OUT_OF_SPAN, ""},
    {"2094-02-06T06:27:39 in 5 octets", 3095821660, 0, &kCuc50, SEC1996_PARSE_LIST_EXPIRED,
     "9C20 0100000000"},
    {"2132-02-07T06:28:14, the last count", 4294967295, 0, &kCuc50, SEC1996_PARSE_LIST_EXPIRED,
     "9C20 01477982A3"},
};

TEST(CcsdsLevel1, EncodeAndDecodeGiveTheHandDerivedCoarseTime) {
  for (const TaiVector& v : kTaiVectors) {
    SCOPED_TRACE(v.instant);
    const std::vector<std::uint8_t> expected = bytesOf(v.code);
    std::uint8_t code[SEC1996_CCSDS_MAX_SIZE] = {};
    std::size_t length = 0;
    EXPECT_EQ(cvtFromSec1996_cucTai(pinnedList(), v.count, v.fraction, v.layout, code, sizeof code,
                                    &length),
              v.status);
    if (expected.empty()) continue;
    EXPECT_EQ(hexOf(code, length), hexOf(expected.data(), expected.size()));
    Sec1996 count = 1;
    std::uint64_t fraction = 1;
    std::size_t used = 0;
    EXPECT_EQ(cvtToSec1996_cucTai(pinnedList(), expected.data(), expected.size(), v.layout, 0,
                                  &count, &fraction, &used),
              v.status);
    EXPECT_EQ(count, v.count);
    EXPECT_EQ(fraction, v.fraction);
    EXPECT_EQ(used, expected.size());
    // The level-2 decoder refuses what the level-1 encoder writes.
    EXPECT_EQ(
        cvtToSec1996_cuc(expected.data(), expected.size(), v.layout, &count, &fraction, nullptr),
        SEC1996_PARSE_WRONG_CODE);
  }
  // A null list is the default table: before 2027 every list agrees.
  std::uint8_t code[SEC1996_CCSDS_MAX_SIZE];
  std::size_t length = 0;
  EXPECT_EQ(cvtFromSec1996_cucTai(nullptr, 47260800, 0, &kCuc42, code, sizeof code, &length),
            SEC1996_PARSE_OK);
  EXPECT_EQ(hexOf(code, length), "1E4A4AA71E0000");
  Sec1996 count = 0;
  EXPECT_EQ(cvtToSec1996_cucTai(nullptr, code, length, &kCuc42, 0, &count, nullptr, nullptr),
            SEC1996_PARSE_OK);
  EXPECT_EQ(count, 47260800U);
}

// The level-1 decoder's own refusals, and the leap second it lacks.
TEST(CcsdsLevel1, DecoderRefusesWithTheReasonAndMapsOnlyWhenAsked) {
  const struct {
    const char* code;
    unsigned flags;
    Sec1996ParseStatus status;
    Sec1996 count;  // 7: nothing set
    std::uint64_t fraction;
  } rows[] = {
      {"2E 4779829E 0000", 0, SEC1996_PARSE_WRONG_CODE, 7, 7},  // level 2
      {"41 3859 05265C00 0000", 0, SEC1996_PARSE_WRONG_CODE, 7, 7},
      {"0E 4779829E 0000", 0, SEC1996_PARSE_RESERVED, 7, 7},
      {"1E 4779829D 0000", 0, SEC1996_PARSE_OUT_OF_SPAN, 7, 7},  // 1995-12-31T23:59:59
      {"1E 00000000 0000", 0, SEC1996_PARSE_OUT_OF_SPAN, 7, 7},  // 1958
      {"9C20 01477982A4", 0, SEC1996_PARSE_OUT_OF_SPAN, 7, 7},   // after the last count
      {"9C60 FFFFFFFFFFFFFF", 0, SEC1996_PARSE_OUT_OF_SPAN, 7, 7},
      // 2016-12-31T23:59:60: TAI 1861920036 has no count.
      {"1E 6EFAA524 8000", 0, SEC1996_PARSE_LEAP_NOT_ON_SCALE, 7, 7},
      {"1E 6EFAA524 8000", SEC1996_MAP_LEAP_TO_235959, SEC1996_PARSE_LEAP_NOT_ON_SCALE, 662774400,
       0x8000000000000000},
      {"1E 4D1E6E9F 0000", SEC1996_MAP_LEAP_TO_235959, SEC1996_PARSE_LEAP_NOT_ON_SCALE, 94694400,
       0},  // 1998-12-31T23:59:60
      // The scale's own leap second is a count whatever the flags.
      {"1E 4A4AA71E 0000", SEC1996_MAP_LEAP_TO_235959, SEC1996_PARSE_OK, 47260800, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.code);
    const std::vector<std::uint8_t> code = bytesOf(r.code);
    Sec1996 count = 7;
    std::uint64_t fraction = 7;
    EXPECT_EQ(cvtToSec1996_cucTai(pinnedList(), code.data(), code.size(), &kCuc42, r.flags, &count,
                                  &fraction, nullptr),
              r.status);
    EXPECT_EQ(count, r.count);
    EXPECT_EQ(fraction, r.fraction);
  }
  // Without a place for it, a fraction is refused, even on a mapped leap
  // second; an implicit layout reads the T-field alone as level 1.
  const std::vector<std::uint8_t> leap = bytesOf("1E 6EFAA524 8000");
  Sec1996 count = 7;
  EXPECT_EQ(cvtToSec1996_cucTai(pinnedList(), leap.data(), leap.size(), &kCuc42,
                                SEC1996_MAP_LEAP_TO_235959, &count, nullptr, nullptr),
            SEC1996_PARSE_FRACTION);
  EXPECT_EQ(count, 7U);
  const Sec1996CucLayout implicit = {0, 4, 2};
  EXPECT_EQ(
      cvtToSec1996_cucTai(pinnedList(), leap.data() + 1, 6, &implicit, 0, &count, nullptr, nullptr),
      SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  const Sec1996CucLayout outOfRange = {0, 8, 0};
  EXPECT_EQ(cvtFromSec1996_cucTai(pinnedList(), 0, 0, &outOfRange, nullptr, 0, nullptr),
            SEC1996_PARSE_RESERVED);
  std::uint8_t small[6];
  EXPECT_EQ(cvtFromSec1996_cucTai(pinnedList(), 0, 0, &kCuc42, small, sizeof small, nullptr),
            SEC1996_PARSE_BUFFER_TOO_SMALL);
}

// The array forms over the 4+2 rows: each element as the single-value
// function gives it, the refused one zero-filled, the warnings written and
// counted.
TEST(CcsdsLevel1, ArrayFormsAgreeWithTheSingleValue) {
  std::vector<Sec1996> counts;
  std::vector<std::uint64_t> fractions;
  std::string expectedHex;
  std::size_t flagged = 0;
  for (const TaiVector& v : kTaiVectors) {
    if (v.layout != &kCuc42) continue;
    counts.push_back(v.count);
    fractions.push_back(v.fraction);
    expectedHex += v.code[0] != '\0' ? hexOf(bytesOf(v.code).data(), 7) : "00000000000000";
    flagged += v.status != SEC1996_PARSE_OK;
  }
  const std::size_t n = counts.size();
  std::vector<std::uint8_t> codes(n * 7, 0xAA);
  std::vector<Sec1996ParseStatus> status(n);
  EXPECT_EQ(cvtFromSec1996_cucTai_n(pinnedList(), counts.data(), fractions.data(), n, &kCuc42,
                                    codes.data(), status.data()),
            flagged);
  EXPECT_EQ(hexOf(codes.data(), codes.size()), expectedHex);
  std::vector<Sec1996> back(n, 9);
  std::vector<std::uint64_t> backFractions(n, 9);
  EXPECT_EQ(cvtToSec1996_cucTai_n(pinnedList(), codes.data(), n, &kCuc42, 0, back.data(),
                                  backFractions.data(), status.data()),
            flagged);
  std::size_t i = 0;
  for (const TaiVector& v : kTaiVectors) {
    if (v.layout != &kCuc42) continue;
    SCOPED_TRACE(v.instant);
    const bool written = v.code[0] != '\0';
    // A zero-filled element reads as coarse time 0, 1958: off the scale.
    EXPECT_EQ(status[i], written ? v.status : SEC1996_PARSE_OTHER_LAYOUT);
    EXPECT_EQ(back[i], written ? v.count : 0U);
    EXPECT_EQ(backFractions[i], written ? v.fraction : 0U);
    ++i;
  }
  // The leap second the scale lacks, mapped, and a level-2 element.
  const std::vector<std::uint8_t> two = bytesOf("1E6EFAA5248000 2E6EFAA5248000");
  EXPECT_EQ(cvtToSec1996_cucTai_n(pinnedList(), two.data(), 2, &kCuc42, SEC1996_MAP_LEAP_TO_235959,
                                  back.data(), backFractions.data(), status.data()),
            2U);
  EXPECT_EQ(status[0], SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(back[0], 662774400U);
  EXPECT_EQ(backFractions[0], 0x8000000000000000U);
  EXPECT_EQ(status[1], SEC1996_PARSE_OTHER_LAYOUT);
  EXPECT_EQ(back[1], 0U);
}

// ---- The array forms' own behaviour --------------------------------------------

TEST(CcsdsArrays, RefusedElementsAreZeroAndCountedAndOtherLayoutsRefused) {
  // Element 1 is a CUC 4+1, element 2 holds a fraction: the decoder is
  // given no place for fractions.
  const std::vector<std::uint8_t> codes = bytesOf("2E02D124800000 2D02D124800000 2E02D1248000FF");
  Sec1996 counts[3] = {9, 9, 9};
  Sec1996ParseStatus status[3];
  EXPECT_EQ(cvtToSec1996_cuc_n(codes.data(), 3, &kCuc42, counts, nullptr, status), 2U);
  EXPECT_EQ(status[0], SEC1996_PARSE_OK);
  EXPECT_EQ(status[1], SEC1996_PARSE_OTHER_LAYOUT);
  EXPECT_EQ(status[2], SEC1996_PARSE_FRACTION);
  EXPECT_EQ(counts[0], 47260800U);
  EXPECT_EQ(counts[1], 0U);
  EXPECT_EQ(counts[2], 0U);

  // A CDS count past a 1900 epoch's 16-bit day is zero-filled.
  constexpr Sec1996CdsLayout kFrom1900 = {1, 2, 0, 1, 1900, 1, 1};
  const Sec1996 in[2] = {0, UINT32_MAX};
  std::uint8_t out[2 * 7];
  std::fill(std::begin(out), std::end(out), 0xAA);
  EXPECT_EQ(cvtFromSec1996_cds_n(in, nullptr, 2, &kFrom1900, out, status), 1U);
  EXPECT_EQ(status[1], SEC1996_PARSE_OUT_OF_SPAN);
  EXPECT_EQ(hexOf(out + 7, 7), "00000000000000");
  EXPECT_EQ(hexOf(out, 1), "48");
}

}  // namespace
