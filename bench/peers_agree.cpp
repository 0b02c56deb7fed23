#include "peers_agree.h"

#include <cstring>

#include "baselines.h"
#include "classic.h"
#include "peers.h"
#include "timescale/sec1996.h"

namespace sec1996::bench {

bool peersAgree() {
  namespace erfa = peers::erfa;
  namespace glibc = peers::glibc;
  namespace hinnant = peers::hinnant;
  constexpr Sec1996 kCheckedSpan = 94694400;  // 1999-01-01 less the 1998 leap second
  constexpr Sec1996 kLeapSecond = 47260800;   // ERFA reads it as 23:59:60
  bool ok = true;
  auto same = [](const Date1996& a, const Date1996& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  };
  for (Sec1996 c = 0; c < kCheckedSpan; c += 86400 + 3607) {
    for (const Sec1996 count : {c, kLeapSecond - 1, kLeapSecond + 1}) {
      const Date1996 r = cvtFromSec1996(count);
      ok &= same(limitFromCount(count), r) || count >= kLeapSecond;
      ok &= same(classic::cvtFromSec1996(count), r);
      ok &= same(glibc::fromCount(count), r);
      ok &= same(hinnant::fromCount(count), r);
      ok &= same(erfa::fromCount(count), r);
      ok &= classic::cvtToSec1996(r) == count && glibc::toCount(r) == count;
      ok &= hinnant::toCount(r) == count && erfa::toCount(r) == count;
      ok &= limitToCount(r) == count || count >= kLeapSecond;
      const YearDay1996 yd = cvtFromSec1996_yd(count);
      const YearDay1996 hinnantYd = hinnant::yearDayFromCount(count);
      ok &= hinnantYd.dayOfYear == yd.dayOfYear && hinnantYd.year == yd.year;
      ok &= hinnant::yearDayToCount(yd) == cvtToSec1996_yd(yd.dayOfYear, yd.year);
      char peerText[64];
      for (auto write : {glibc::text, hinnant::text, erfa::text}) {
        write(count, peerText, sizeof peerText);
        ok &= std::strcmp(peerText, stringDate1996(count)) == 0;
      }
    }
  }
  return ok;
}

}  // namespace sec1996::bench
