// True time (sec1996_scales.h): TAI, TT, GPS, SI seconds and the leap-second
// list they come from.
//
// tests/data holds a pinned copy of tzdata 2026f's leap-seconds.list and
// three broken ones made from it: -expired (expiry 2020-06-28, hash made to
// match), -malformed (TAI-UTC "3x" on line 113), -badhash (the 2017 entry
// moved a day, the hash left as it was).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sha1.h"
#include "timescale/sec1996_scales.h"
#include "timescale/sec1996_scales.hpp"
#include "vector_units.h"

namespace {

const std::string kData = TRUE_TIME_DATA_DIR;

// Counts of the UTC instants the tests name.
constexpr Sec1996 kScaleLeap = 47260800;      // 1997-06-30 23:59:60, counted
constexpr Sec1996 kLast1998 = 94694400;       // 1998-12-31 23:59:59
constexpr Sec1996 kLast2016 = 662774400;      // 2016-12-31 23:59:59
constexpr Sec1996 kDecember2026 = 976320001;  // 2026-12-09 00:00:00
constexpr Sec1996 kLastCount = 4294967295u;

struct ListDeleter {
  void operator()(Sec1996LeapList* list) const { leapListFree1996(list); }
};
using ListPtr = std::unique_ptr<Sec1996LeapList, ListDeleter>;

ListPtr loadFile(const std::string& name) {
  Sec1996LeapList* list = nullptr;
  Sec1996LeapListError error{};
  const Sec1996ParseStatus status =
      leapListFromFile1996((kData + "/" + name).c_str(), &list, &error);
  EXPECT_EQ(status, SEC1996_PARSE_OK) << error.message;
  return ListPtr(list);
}

ListPtr loadText(const std::string& text) {
  Sec1996LeapList* list = nullptr;
  Sec1996LeapListError error{};
  const Sec1996ParseStatus status =
      leapListFromBuffer1996(text.data(), text.size(), "test", &list, &error);
  EXPECT_EQ(status, SEC1996_PARSE_OK) << error.message;
  return ListPtr(list);
}

const Sec1996LeapList* pinned() {
  static const ListPtr list = loadFile("leap-seconds.list");
  return list.get();
}

// ---- Fixed points ----------------------------------------------------------

struct FixedPoint {
  const char* what;
  Sec1996 count;
  std::int64_t tai;
  std::int32_t taiMinusUtc;
  std::int32_t week, secondOfWeek;
};

// The GPS week of 2026-12-09 is astropy 5.2.1's:
//   Time('2026-12-09T00:00:00', scale='utc').gps == 1480809618.0
//   -> week 1480809618 // 604800 = 2448, second 259218.
// The other weeks follow from the TAI column.
constexpr FixedPoint kFixedPoints[] = {
    {"epoch", 0, 1199145630, 30, 834, 86411},
    {"before the scale's leap second", kScaleLeap - 1, 1246406429, 30, 912, 172810},
    {"the scale's leap second", kScaleLeap, 1246406430, 30, 912, 172811},
    {"after the scale's leap second", kScaleLeap + 1, 1246406431, 31, 912, 172812},
    {"1998-12-31 23:59:59", kLast1998, 1293840030, 31, 990, 432011},
    {"1999-01-01 00:00:00, a real leap second between", kLast1998 + 1, 1293840032, 32, 990, 432013},
    {"2016-12-31 23:59:59", kLast2016, 1861920035, 36, 1930, 16},
    {"2017-01-01 00:00:00", kLast2016 + 1, 1861920037, 37, 1930, 18},
    {"2026-12-09 00:00:00 (astropy)", kDecember2026, 2175465637, 37, 2448, 259218},
};

TEST(TrueTime, FixedPointsOfEachScale) {
  for (const FixedPoint& p : kFixedPoints) {
    SCOPED_TRACE(p.what);
    std::int64_t tai = 0, tt = 0, gps = 0;
    std::int32_t dtai = 0, week = 0, second = 0;
    EXPECT_EQ(cvtFromSec1996_tai(pinned(), p.count, &tai), SEC1996_PARSE_OK);
    EXPECT_EQ(tai, p.tai);
    EXPECT_EQ(cvtFromSec1996_tt(pinned(), p.count, &tt), SEC1996_PARSE_OK);
    EXPECT_EQ(tt, p.tai * 1000 + 32184);
    EXPECT_EQ(cvtFromSec1996_gps(pinned(), p.count, &gps), SEC1996_PARSE_OK);
    EXPECT_EQ(gps, p.tai - 694656019);
    EXPECT_EQ(cvtFromSec1996_gpsWeek(pinned(), p.count, &week, &second), SEC1996_PARSE_OK);
    EXPECT_EQ(week, p.week);
    EXPECT_EQ(second, p.secondOfWeek);
    EXPECT_EQ(taiMinusUtc1996(pinned(), p.count, &dtai), SEC1996_PARSE_OK);
    EXPECT_EQ(dtai, p.taiMinusUtc);

    Sec1996 back = 1;
    EXPECT_EQ(cvtToSec1996_tai(pinned(), p.tai, 0, &back), SEC1996_PARSE_OK);
    EXPECT_EQ(back, p.count);
    back = 1;
    EXPECT_EQ(cvtToSec1996_tt(pinned(), tt, 0, &back), SEC1996_PARSE_OK);
    EXPECT_EQ(back, p.count);
    back = 1;
    EXPECT_EQ(cvtToSec1996_gps(pinned(), gps, 0, &back), SEC1996_PARSE_OK);
    EXPECT_EQ(back, p.count);
    back = 1;
    EXPECT_EQ(cvtToSec1996_gpsWeek(pinned(), week, second, 0, &back), SEC1996_PARSE_OK);
    EXPECT_EQ(back, p.count);
  }
}

TEST(TrueTime, WholeScaleSpansSixMoreSiSecondsThanCounts) {
  std::int64_t seconds = 0;
  EXPECT_EQ(siSecondsBetween1996(pinned(), 0, kLastCount, &seconds), SEC1996_PARSE_LIST_EXPIRED);
  EXPECT_EQ(seconds, 4294967301);
  EXPECT_EQ(siSecondsBetween1996(pinned(), kLastCount, 0, &seconds), SEC1996_PARSE_LIST_EXPIRED);
  EXPECT_EQ(seconds, -4294967301);
  EXPECT_EQ(siSecondsBetween1996(pinned(), kLast2016, kLast2016 + 1, &seconds), SEC1996_PARSE_OK);
  EXPECT_EQ(seconds, 2);
  EXPECT_EQ(siSecondsBetween1996(pinned(), kScaleLeap - 1, kScaleLeap + 1, &seconds),
            SEC1996_PARSE_OK);
  EXPECT_EQ(seconds, 2);
}

// ---- Leap seconds the scale lacks -----------------------------------------

TEST(TrueTime, LeapSecondOffTheScaleIsRefusedUnlessMapped) {
  const std::int64_t tai = 1861920036;  // 2016-12-31 23:59:60
  Sec1996 count = 7;
  EXPECT_EQ(cvtToSec1996_tai(pinned(), tai, 0, &count), SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(cvtToSec1996_tai(pinned(), tai, SEC1996_MAP_LEAP_TO_235959, &count),
            SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(count, kLast2016);

  count = 7;
  EXPECT_EQ(cvtToSec1996_tt(pinned(), tai * 1000 + 32184, 0, &count),
            SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(cvtToSec1996_gps(pinned(), tai - 694656019, 0, &count),
            SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(cvtToSec1996_gpsWeek(pinned(), 1930, 17, 0, &count), SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(cvtToSec1996_gpsWeek(pinned(), 1930, 17, SEC1996_MAP_LEAP_TO_235959, &count),
            SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_EQ(count, kLast2016);
}

struct Refusal {
  const char* what;
  int scale;  // 0 TAI, 1 TT, 2 GPS
  std::int64_t value;
  Sec1996ParseStatus status;
};

constexpr Refusal kRefusals[] = {
    {"TAI before count 0", 0, 1199145629, SEC1996_PARSE_OUT_OF_SPAN},
    {"TAI after count 4294967295", 0, 4294967295LL + 1199145600 + 37 + 1,
     SEC1996_PARSE_OUT_OF_SPAN},
    {"TAI at the extreme", 0, INT64_MIN, SEC1996_PARSE_OUT_OF_SPAN},
    {"TT at the extreme", 1, INT64_MAX, SEC1996_PARSE_FRACTION},
    {"TT not on a whole TAI second", 1, 1199145662185, SEC1996_PARSE_FRACTION},
    {"TT a second before count 0", 1, 1199145661184, SEC1996_PARSE_OUT_OF_SPAN},
    {"GPS at the extreme", 2, INT64_MAX, SEC1996_PARSE_OUT_OF_SPAN},
    {"GPS at the other extreme", 2, INT64_MIN, SEC1996_PARSE_OUT_OF_SPAN},
    {"GPS before count 0", 2, 504489610, SEC1996_PARSE_OUT_OF_SPAN},
};

TEST(TrueTime, ToCountRefusalsLeaveTheCountAlone) {
  for (const Refusal& r : kRefusals) {
    SCOPED_TRACE(r.what);
    Sec1996 count = 7;
    Sec1996ParseStatus status = SEC1996_PARSE_OK;
    if (r.scale == 0)
      status = cvtToSec1996_tai(pinned(), r.value, SEC1996_MAP_LEAP_TO_235959, &count);
    if (r.scale == 1)
      status = cvtToSec1996_tt(pinned(), r.value, SEC1996_MAP_LEAP_TO_235959, &count);
    if (r.scale == 2)
      status = cvtToSec1996_gps(pinned(), r.value, SEC1996_MAP_LEAP_TO_235959, &count);
    EXPECT_EQ(status, r.status);
    EXPECT_EQ(count, 7u);
  }
  Sec1996 count = 7;
  EXPECT_EQ(cvtToSec1996_gpsWeek(pinned(), 834, 604800, 0, &count), SEC1996_PARSE_FIELD_RANGE);
  EXPECT_EQ(cvtToSec1996_gpsWeek(pinned(), 834, -1, 0, &count), SEC1996_PARSE_FIELD_RANGE);
  EXPECT_EQ(cvtToSec1996_gpsWeek(pinned(), INT32_MIN, 0, 0, &count), SEC1996_PARSE_OUT_OF_SPAN);
  EXPECT_EQ(count, 7u);
}

// Every count near a step of the list and near the ends comes back from each
// scale, and TAI never stands still.
TEST(TrueTime, EveryCountNearTheStepsComesBack) {
  std::vector<Sec1996> counts;
  for (const Sec1996 centre : {Sec1996{0}, kScaleLeap, kLast1998, kLast2016, kLastCount}) {
    for (std::int64_t d = -90; d <= 90; ++d) {
      const std::int64_t c = std::int64_t{centre} + d;
      if (c >= 0 && c <= kLastCount) counts.push_back(static_cast<Sec1996>(c));
    }
  }
  std::int64_t previousCount = -2, previousTai = 0;
  for (const Sec1996 c : counts) {
    SCOPED_TRACE(c);
    std::int64_t tai = 0, tt = 0;
    std::int32_t week = 0, second = 0;
    ASSERT_NE(cvtFromSec1996_tai(pinned(), c, &tai), SEC1996_PARSE_OUT_OF_SPAN);
    if (c == previousCount + 1) {
      EXPECT_GE(tai - previousTai, 1);
      EXPECT_LE(tai - previousTai, 2);
    }
    Sec1996 back = 0;
    EXPECT_NE(cvtToSec1996_tai(pinned(), tai, 0, &back), SEC1996_PARSE_LEAP_NOT_ON_SCALE);
    EXPECT_EQ(back, c);
    cvtFromSec1996_tt(pinned(), c, &tt);
    back = 0;
    cvtToSec1996_tt(pinned(), tt, 0, &back);
    EXPECT_EQ(back, c);
    cvtFromSec1996_gpsWeek(pinned(), c, &week, &second);
    back = 0;
    cvtToSec1996_gpsWeek(pinned(), week, second, 0, &back);
    EXPECT_EQ(back, c);
    previousCount = c;
    previousTai = tai;
  }
}

// ---- Expiry ----------------------------------------------------------------

TEST(TrueTime, PastTheExpiryResultsComeWithAWarning) {
  const ListPtr expired = loadFile("leap-seconds-expired.list");
  ASSERT_NE(expired, nullptr);
  constexpr Sec1996 kJune2020 = 772848001;  // 2020-06-28 00:00:00, the expiry
  std::int64_t tai = 0;
  EXPECT_EQ(cvtFromSec1996_tai(expired.get(), kJune2020 - 1, &tai), SEC1996_PARSE_OK);
  EXPECT_EQ(cvtFromSec1996_tai(expired.get(), kJune2020, &tai), SEC1996_PARSE_LIST_EXPIRED);
  EXPECT_EQ(tai, std::int64_t{kJune2020} + 1199145600 + 37 - 1);
  Sec1996 back = 0;
  EXPECT_EQ(cvtToSec1996_tai(expired.get(), tai, 0, &back), SEC1996_PARSE_LIST_EXPIRED);
  EXPECT_EQ(back, kJune2020);
  // The pinned list expires on 2027-06-28.
  EXPECT_EQ(cvtFromSec1996_tai(pinned(), kDecember2026, &tai), SEC1996_PARSE_OK);
  EXPECT_EQ(cvtFromSec1996_tai(pinned(), kDecember2026 + 86400 * 201, &tai),
            SEC1996_PARSE_LIST_EXPIRED);
}

// ---- Bad lists -----------------------------------------------------------------

std::string readData(const std::string& name) {
  std::string text;
  std::FILE* f = std::fopen((kData + "/" + name).c_str(), "rb");
  if (f == nullptr) return text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
  std::fclose(f);
  return text;
}

// A small list without a hash: 1996 to 2017, as published.
const std::string kShort =
    "#@\t4023129600\n"
    "3029443200\t30\t# 1 Jan 1996\n"
    "3076704000\t31\n"
    "3124137600\t32\n"
    "3345062400\t33\n"
    "3439756800\t34\n"
    "3550089600\t35\n"
    "3644697600\t36\n"
    "3692217600\t37\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

struct BadList {
  const char* what;
  std::string text;  // or a file of tests/data, when file is set
  const char* file;
  Sec1996ParseStatus status;
  std::size_t line;
  const char* message;  // a part of the message
};

TEST(LeapList, BadListsAreRefusedWithFileLineAndReason) {
  const BadList rows[] = {
      {"malformed file", "", "leap-seconds-malformed.list", SEC1996_PARSE_LIST_SYNTAX, 113,
       "leap-seconds-malformed.list:113: '3x' is not TAI-UTC seconds"},
      {"hash mismatch", "", "leap-seconds-badhash.list", SEC1996_PARSE_LIST_HASH, 0,
       "hash does not match"},
      {"missing file", "", "no-such.list", SEC1996_PARSE_LIST_NOT_FOUND, 0,
       "no-such.list: cannot open: No such file"},
      {"dates that do not increase", replaced(kShort, "3345062400", "3124137600"), nullptr,
       SEC1996_PARSE_LIST_ORDER, 5, "test:5: 1999-01-01 does not follow 1999-01-01"},
      {"a step of 2", replaced(kShort, "3692217600\t37", "3692217600\t38"), nullptr,
       SEC1996_PARSE_LIST_STEP, 9, "test:9: TAI-UTC steps from 36 to 38"},
      {"a step of 0", replaced(kShort, "3692217600\t37", "3692217600\t36"), nullptr,
       SEC1996_PARSE_LIST_STEP, 9, "steps from 36 to 36"},
      {"no step where the scale counts one", "#@ 4023129600\n3029443200 30\n3124137600 31\n",
       nullptr, SEC1996_PARSE_LIST_STEP, 0, "no +1 step of TAI-UTC at 1997-07-01"},
      {"no expiry", replaced(kShort, "#@\t4023129600\n", ""), nullptr, SEC1996_PARSE_LIST_SYNTAX, 0,
       "no #@ expiry line"},
      {"two expiries", "#@ 4023129600\n" + kShort, nullptr, SEC1996_PARSE_LIST_SYNTAX, 2,
       "a second #@ line"},
      {"no data", "#@\t4023129600\n# nothing\n\n", nullptr, SEC1996_PARSE_LIST_SYNTAX, 0,
       "no leap-second data lines"},
      {"not a midnight", replaced(kShort, "3692217600", "3692217601"), nullptr,
       SEC1996_PARSE_LIST_SYNTAX, 9, "is not 00:00:00 UTC"},
      {"a third field", replaced(kShort, "3692217600\t37", "3692217600\t37 1"), nullptr,
       SEC1996_PARSE_LIST_SYNTAX, 9, "more than NTP seconds"},
      {"no TAI-UTC", replaced(kShort, "3692217600\t37", "3692217600"), nullptr,
       SEC1996_PARSE_LIST_SYNTAX, 9, "no TAI-UTC"},
      {"a zero byte",
       replaced(kShort, "\t37",
                std::string("\t3\0"
                            "7",
                            4)),
       nullptr, SEC1996_PARSE_LIST_SYNTAX, 9, "zero byte"},
      {"a short #h line", kShort + "#h 1 2 3 4\n", nullptr, SEC1996_PARSE_LIST_SYNTAX, 10,
       "five hexadecimal words"},
      {"a wrong #h", kShort + "#h 1 2 3 4 5\n", nullptr, SEC1996_PARSE_LIST_HASH, 0,
       "hash does not match"},
      {"an expiry that is not a number", replaced(kShort, "4023129600", "soon"), nullptr,
       SEC1996_PARSE_LIST_SYNTAX, 1, "#@ line holds no NTP seconds"},
      {"a number of 13 digits", replaced(kShort, "3692217600", "3692217600000"), nullptr,
       SEC1996_PARSE_LIST_SYNTAX, 9, "is not NTP seconds"},
  };
  for (const BadList& row : rows) {
    SCOPED_TRACE(row.what);
    Sec1996LeapList* list = const_cast<Sec1996LeapList*>(pinned());  // must be reset
    Sec1996LeapListError error{};
    Sec1996ParseStatus status;
    if (row.file != nullptr) {
      status = leapListFromFile1996((kData + "/" + row.file).c_str(), &list, &error);
    } else {
      status = leapListFromBuffer1996(row.text.data(), row.text.size(), "test", &list, &error);
    }
    EXPECT_EQ(status, row.status);
    EXPECT_EQ(error.status, row.status);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(error.line, row.line);
    EXPECT_NE(std::strstr(error.message, row.message), nullptr) << error.message;
  }
}

TEST(LeapList, AcceptedVariantsReadAsPublished) {
  const std::string pinnedText = readData("leap-seconds.list");
  ASSERT_FALSE(pinnedText.empty());
  struct Variant {
    const char* what;
    std::string text;
    int hashChecked;
  };
  std::string crlf;
  for (const char c : pinnedText) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const Variant variants[] = {
      {"the pinned file", pinnedText, 1},
      {"CRLF line ends", crlf, 1},
      {"hash words without leading zeros, upper case",
       replaced(pinnedText, "a9bad145 84c31c70 758402aa", "A9BAD145 84C31C70 758402AA"), 1},
      {"no hash and no update line", kShort, 0},
      {"no final line end", kShort.substr(0, kShort.size() - 1), 0},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.what);
    const ListPtr list = loadText(v.text);
    ASSERT_NE(list, nullptr);
    Sec1996LeapListInfo info{};
    leapListInfo1996(list.get(), &info);
    EXPECT_EQ(info.source, SEC1996_LIST_BUFFER);
    EXPECT_STREQ(info.origin, "test");
    EXPECT_EQ(info.hashChecked, v.hashChecked);
    EXPECT_EQ(info.expiresNtp, 4023129600);
    EXPECT_EQ(info.expires.year, 2027);
    EXPECT_EQ(info.expires.mon, 6);
    EXPECT_EQ(info.expires.day, 28);
    ASSERT_GE(info.entryCount, 8u);
    EXPECT_EQ(info.entries[info.entryCount - 1].taiMinusUtc, 37);
    EXPECT_EQ(info.entries[info.entryCount - 1].date.year, 2017);
    std::int64_t seconds = 0;
    siSecondsBetween1996(list.get(), 0, kLastCount, &seconds);
    EXPECT_EQ(seconds, 4294967301);
  }
}

// A list that starts late has no TAI-UTC before its first date; a negative
// leap second makes 23:59:59 and the next midnight one TAI second.
TEST(LeapList, ListsUnlikeThePublishedOne) {
  const ListPtr late = loadText("#@ 4023129600\n3124137600 32\n3692217600 33\n");
  ASSERT_NE(late, nullptr);
  std::int64_t tai = 0;
  EXPECT_EQ(cvtFromSec1996_tai(late.get(), kLast1998, &tai), SEC1996_PARSE_OUT_OF_SPAN);
  EXPECT_EQ(cvtFromSec1996_tai(late.get(), kLast1998 + 1, &tai), SEC1996_PARSE_OK);
  EXPECT_EQ(tai, std::int64_t{kLast1998} + 1 + 1199145600 - 1 + 32);
  Sec1996 count = 7;
  EXPECT_EQ(cvtToSec1996_tai(late.get(), tai - 1, 0, &count), SEC1996_PARSE_OUT_OF_SPAN);
  EXPECT_EQ(count, 7u);

  // 2030-01-01 00:00:00 is NTP 4102444800, count 1073001601.
  const ListPtr negative = loadText(kShort + "4102444800\t36\n");
  ASSERT_NE(negative, nullptr);
  constexpr Sec1996 kMidnight2030 = 1073001601;
  std::int64_t before = 0, at = 0;
  cvtFromSec1996_tai(negative.get(), kMidnight2030 - 1, &before);
  cvtFromSec1996_tai(negative.get(), kMidnight2030, &at);
  EXPECT_EQ(before, at);
  EXPECT_EQ(cvtToSec1996_tai(negative.get(), at, 0, &count), SEC1996_PARSE_LIST_EXPIRED);
  EXPECT_EQ(count, kMidnight2030);
  std::int64_t seconds = 0;
  siSecondsBetween1996(negative.get(), 0, kLastCount, &seconds);
  EXPECT_EQ(seconds, 4294967295 + 6 - 1);
}

TEST(LeapList, BuiltInCopyIsThePinnedList) {
  Sec1996LeapListInfo builtin{}, file{};
  // The default table of this process: the tests run with
  // SEC1996_LEAP_SECONDS unset or pointing at a missing file (see
  // CMakeLists.txt), so it is the file or the built-in copy.
  Sec1996LeapListError fallback{};
  const Sec1996LeapList* table = leapListDefault1996(&fallback);
  ASSERT_NE(table, nullptr);
  leapListInfo1996(nullptr, &builtin);
  leapListInfo1996(pinned(), &file);
  const char* expected = std::getenv("SEC1996_EXPECT_SOURCE");
  if (expected != nullptr && std::strcmp(expected, "builtin") == 0) {
    EXPECT_EQ(builtin.source, SEC1996_LIST_BUILTIN);
    EXPECT_STREQ(builtin.origin, "built-in");
    EXPECT_EQ(fallback.status, SEC1996_PARSE_LIST_NOT_FOUND);
    EXPECT_NE(std::strstr(fallback.message, "(the built-in list is used)"), nullptr)
        << fallback.message;
    ASSERT_EQ(builtin.entryCount, file.entryCount);
    for (std::size_t i = 0; i < file.entryCount; ++i) {
      EXPECT_EQ(builtin.entries[i].ntpSeconds, file.entries[i].ntpSeconds);
      EXPECT_EQ(builtin.entries[i].taiMinusUtc, file.entries[i].taiMinusUtc);
    }
    EXPECT_EQ(builtin.expiresNtp, file.expiresNtp);
    EXPECT_EQ(builtin.updatedNtp, file.updatedNtp);
  } else if (std::getenv("SEC1996_LEAP_SECONDS") != nullptr) {
    EXPECT_EQ(builtin.source, SEC1996_LIST_ENV_FILE);
    EXPECT_EQ(fallback.status, SEC1996_PARSE_OK);
    EXPECT_STREQ(builtin.origin, std::getenv("SEC1996_LEAP_SECONDS"));
  } else {
    GTEST_SKIP() << "run by ctest, which sets SEC1996_LEAP_SECONDS";
  }
  leapListFree1996(const_cast<Sec1996LeapList*>(table));  // never frees the default
  EXPECT_EQ(leapListDefault1996(nullptr), table);
}

// ---- Array forms ---------------------------------------------------------------

// On every vector unit the processor has: each builds its own loops.
TEST(TrueTime, ArrayFormsGiveWhatTheSingleValuesGive) {
  const ListPtr late = loadText("#@ 3802291200\n3124137600 32\n3692217600 33\n");
  std::vector<Sec1996> counts = {0,
                                 1,
                                 kScaleLeap - 1,
                                 kScaleLeap,
                                 kScaleLeap + 1,
                                 kLast1998,
                                 kLast1998 + 1,
                                 kLast2016,
                                 kLast2016 + 1,
                                 kDecember2026,
                                 kLastCount - 1,
                                 kLastCount};
  for (Sec1996 c = 12345; counts.size() < 700; c += 6151711) counts.push_back(c);
  const std::size_t n = counts.size();
  onEveryVectorUnit([&] {
    for (const Sec1996LeapList* list :
         {pinned(), static_cast<const Sec1996LeapList*>(late.get())}) {
      std::vector<std::int64_t> tai(n), tt(n), gps(n), si(n);
      std::vector<std::int32_t> dtai(n), week(n), second(n);
      std::vector<Sec1996ParseStatus> s1(n), s2(n), s3(n), s4(n), s5(n), s6(n);
      std::vector<Sec1996> shifted(counts.rbegin(), counts.rend());
      const std::size_t flagged =
          cvtFromSec1996_tai_n(list, counts.data(), n, tai.data(), s1.data());
      cvtFromSec1996_tt_n(list, counts.data(), n, tt.data(), s2.data());
      cvtFromSec1996_gps_n(list, counts.data(), n, gps.data(), s3.data());
      cvtFromSec1996_gpsWeek_n(list, counts.data(), n, week.data(), second.data(), s4.data());
      taiMinusUtc1996_n(list, counts.data(), n, dtai.data(), s5.data());
      siSecondsBetween1996_n(list, counts.data(), shifted.data(), n, si.data(), s6.data());
      std::size_t expectedFlagged = 0;
      for (std::size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(counts[i]);
        std::int64_t v = 0;
        std::int32_t w = 0, sw = 0;
        const Sec1996ParseStatus st = cvtFromSec1996_tai(list, counts[i], &v);
        expectedFlagged += st != SEC1996_PARSE_OK;
        const bool has = st == SEC1996_PARSE_OK || st == SEC1996_PARSE_LIST_EXPIRED;
        EXPECT_EQ(s1[i], st);
        EXPECT_EQ(tai[i], has ? v : 0);
        EXPECT_EQ(s2[i], cvtFromSec1996_tt(list, counts[i], &v));
        EXPECT_EQ(tt[i], has ? v : 0);
        EXPECT_EQ(s3[i], cvtFromSec1996_gps(list, counts[i], &v));
        EXPECT_EQ(gps[i], has ? v : 0);
        EXPECT_EQ(s4[i], cvtFromSec1996_gpsWeek(list, counts[i], &w, &sw));
        EXPECT_EQ(week[i], has ? w : 0);
        EXPECT_EQ(second[i], has ? sw : 0);
        EXPECT_EQ(s5[i], taiMinusUtc1996(list, counts[i], &w));
        EXPECT_EQ(dtai[i], has ? w : 0);
        const Sec1996ParseStatus between = siSecondsBetween1996(list, counts[i], shifted[i], &v);
        EXPECT_EQ(s6[i], between);
        EXPECT_EQ(si[i], between == SEC1996_PARSE_OUT_OF_SPAN ? 0 : v);
      }
      EXPECT_EQ(flagged, expectedFlagged);

      // Back, with the leap seconds the scale lacks and values off the scale.
      std::vector<std::int64_t> taiIn = tai;
      taiIn.insert(taiIn.end(), {1861920036, 1293840031, 0, INT64_MIN, INT64_MAX});
      const std::size_t m = taiIn.size();
      std::vector<std::int64_t> ttIn(m), gpsIn(m);
      std::vector<std::int32_t> weekIn(m), secondIn(m);
      for (std::size_t i = 0; i < m; ++i) {
        const bool far = taiIn[i] < 0 || taiIn[i] > (std::int64_t{1} << 40);
        ttIn[i] = far ? taiIn[i] : taiIn[i] * 1000 + 32184 + (i % 5 == 0 ? 1 : 0);
        gpsIn[i] = far ? taiIn[i] : taiIn[i] - 694656019;
        weekIn[i] = far ? -5 : static_cast<std::int32_t>(gpsIn[i] / 604800);
        secondIn[i] = far ? 0 : static_cast<std::int32_t>(gpsIn[i] % 604800);
        if (i % 7 == 3) secondIn[i] += 604800;
      }
      for (const unsigned flags : {0u, unsigned{SEC1996_MAP_LEAP_TO_235959}}) {
        std::vector<Sec1996> c1(m), c2(m), c3(m), c4(m);
        std::vector<Sec1996ParseStatus> r1(m), r2(m), r3(m), r4(m);
        cvtToSec1996_tai_n(list, taiIn.data(), m, flags, c1.data(), r1.data());
        cvtToSec1996_tt_n(list, ttIn.data(), m, flags, c2.data(), r2.data());
        cvtToSec1996_gps_n(list, gpsIn.data(), m, flags, c3.data(), r3.data());
        const std::size_t refused = cvtToSec1996_gpsWeek_n(list, weekIn.data(), secondIn.data(), m,
                                                           flags, c4.data(), r4.data());
        std::size_t expectedRefused = 0;
        for (std::size_t i = 0; i < m; ++i) {
          SCOPED_TRACE(taiIn[i]);
          auto expect = [&](Sec1996 got, Sec1996ParseStatus gotStatus, Sec1996ParseStatus status,
                            Sec1996 single) {
            EXPECT_EQ(gotStatus, status);
            EXPECT_EQ(got, single);
          };
          Sec1996 single = 0;
          Sec1996ParseStatus st = cvtToSec1996_tai(list, taiIn[i], flags, &single);
          expect(c1[i], r1[i], st, single);
          single = 0;
          st = cvtToSec1996_tt(list, ttIn[i], flags, &single);
          expect(c2[i], r2[i], st, single);
          single = 0;
          st = cvtToSec1996_gps(list, gpsIn[i], flags, &single);
          expect(c3[i], r3[i], st, single);
          single = 0;
          st = cvtToSec1996_gpsWeek(list, weekIn[i], secondIn[i], flags, &single);
          expect(c4[i], r4[i], st, single);
          expectedRefused += st != SEC1996_PARSE_OK;
        }
        EXPECT_EQ(refused, expectedRefused);
      }
    }
  });
  EXPECT_EQ(cvtFromSec1996_tai_n(nullptr, nullptr, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(cvtToSec1996_gpsWeek_n(nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr), 0u);
}

// ---- SHA-1 -------------------------------------------------------------------

TEST(Sha1, FipsExamples) {
  struct Example {
    std::string message;
    sec1996::detail::Sha1Digest digest;
  };
  const Example examples[] = {
      {"", {0xda39a3ee, 0x5e6b4b0d, 0x3255bfef, 0x95601890, 0xafd80709}},
      {"abc", {0xa9993e36, 0x4706816a, 0xba3e2571, 0x7850c26c, 0x9cd0d89d}},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       {0x84983e44, 0x1c3bd26e, 0xbaae4aa1, 0xf95129e5, 0xe54670f1}},
      {std::string(1000000, 'a'), {0x34aa973c, 0xd4c4daa4, 0xf61eeb2b, 0xdbad2731, 0x6534016f}},
  };
  for (const Example& e : examples) {
    sec1996::detail::Sha1 sha;
    // In two pieces, so that a block is filled across calls.
    const std::size_t half =
        e.message.size() / 2 + 1 > e.message.size() ? 0 : e.message.size() / 2 + 1;
    sha.add(e.message.data(), half);
    sha.add(e.message.data() + half, e.message.size() - half);
    EXPECT_EQ(sha.finish(), e.digest) << e.message.substr(0, 60);
  }
}

}  // namespace

// ---- C++ (sec1996_scales.hpp) ------------------------------------------------

namespace {

using namespace std::chrono_literals;

TEST(TrueTimeChrono, ClockCastGoesBothWaysWithFractions) {
  const sec1996::time_point leap{std::chrono::seconds{kScaleLeap}};
  const auto tai = sec1996::clock_cast<sec1996::tai_clock>(leap + 250ms);
  EXPECT_EQ(tai.time_since_epoch(), std::chrono::milliseconds{1246406430250});
  EXPECT_EQ(sec1996::clock_cast<sec1996::clock>(tai), leap + 250ms);
  const auto gps = sec1996::clock_cast<sec1996::gps_clock>(leap);
  EXPECT_EQ(gps.time_since_epoch(), std::chrono::seconds{1246406430 - 694656019});
  EXPECT_EQ(sec1996::clock_cast<sec1996::clock>(gps), leap);
  // utc_clock counts the leap seconds since 1970-01-01: 20 by mid-1997.
  const auto utc = sec1996::clock_cast<sec1996::utc_clock>(leap);
  EXPECT_EQ(utc.time_since_epoch(), std::chrono::seconds{867715199 + 1 + 20});
  EXPECT_EQ(sec1996::clock_cast<sec1996::clock>(utc), leap);
}

TEST(TrueTimeChrono, LeapSecondOffTheScaleMapsOrIsRefused) {
  const sec1996::tai_seconds leap2016{std::chrono::seconds{1861920036}};
  EXPECT_EQ(sec1996::clock_cast<sec1996::clock>(leap2016 + 500ms).time_since_epoch(),
            std::chrono::milliseconds{std::int64_t{kLast2016} * 1000 + 500});
  EXPECT_EQ(sec1996::from_tai(leap2016, 0, pinned()).status, SEC1996_PARSE_LEAP_NOT_ON_SCALE);
  EXPECT_THROW(sec1996::clock_cast<sec1996::clock>(sec1996::tai_seconds{}), std::range_error);
}

TEST(TrueTimeChrono, SiDurationsAndTt) {
  const sec1996::time_point first{};
  const sec1996::time_point last{std::chrono::seconds{kLastCount}};
  const auto si = sec1996::si_between(first, last, pinned());
  EXPECT_EQ(si.value, std::chrono::seconds{4294967301});
  EXPECT_EQ(si.status, SEC1996_PARSE_LIST_EXPIRED);
  EXPECT_TRUE(si.ok());
  const auto tt = sec1996::to_tt(first, pinned());
  EXPECT_EQ(tt.value, std::chrono::milliseconds{1199145662184});
  EXPECT_EQ(sec1996::from_tt(tt.value, 0, pinned()).value, first);
  EXPECT_EQ(sec1996::from_tt(tt.value + 1ms, 0, pinned()).status, SEC1996_PARSE_FRACTION);
  EXPECT_EQ(sec1996::tai_minus_utc(first, pinned()).value, 30s);
}

}  // namespace
