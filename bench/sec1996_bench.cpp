// Times every public conversion of the library against its peers, in one
// binary on the same precomputed inputs (inputs.h):
//   ours     the library as shipped;
//   hpp      the same conversion through sec1996.hpp, inlined;
//   limit    an inlined count-to-fields (or fields-to-count) loop on the
//            fastest published calendar algorithm, with no leap table: the
//            floor that no library of this kind can beat (baselines.h);
//   call     an out-of-line function of the same signature doing no
//            calendar work: what the call itself costs (baselines.h);
//   classic  two mktime() epoch look-ups and a gmtime() per conversion
//            (classic.h); it reads the process zone, so run with TZ=UTC;
//   glibc    gmtime_r() / timegm() with the leap correction around them;
//   hinnant  Howard Hinnant's date library, utc_clock;
//   erfa     ERFA's eraD2dtf / eraDtf2d with scale "UTC" through TAI
//            (the last three in peers.h).
// Benchmark names read "<conversion>/<peer>", and "/threads:2" for the runs
// on two threads.  scripts/bench.sh turns the output into the table of docs/performance.md.
//
// The peers that know more leap seconds than the library's table (tzdata
// and ERFA list every one since 1972) give other counts after 1998; they do
// the same work, and the setup checks that they agree with the library
// before that (peers_agree.h).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "baselines.h"
#include "classic.h"
#include "inputs.h"
#include "loops.h"
#include "peers.h"
#include "peers_agree.h"
#include "timescale/sec1996.h"
#include "timescale/sec1996.hpp"

namespace {

using namespace sec1996::bench;
namespace erfa = sec1996::peers::erfa;
namespace glibc = sec1996::peers::glibc;
namespace hinnant = sec1996::peers::hinnant;

// The loop over each kind of input.
template <auto convert>
constexpr auto fromCount = convertEach<&Inputs::counts, convert>;
template <auto convert>
constexpr auto fromRecord = convertEach<&Inputs::records, convert>;
template <auto convert>
constexpr auto fromYearDay = convertEach<&Inputs::yearDays, convert>;
template <auto convert>
constexpr auto fromTm = convertEach<&Inputs::tms, convert>;

void registerAll() {
  constexpr bool kTwoThreads = true;
  // Count to the six-field record.
  add("from_record/ours", fromCount<cvtFromSec1996>, kTwoThreads);
  add("from_record/hpp",
      fromCount<[](Sec1996 c) { return sec1996::to_record(sec1996::from_count(c)); }>);
  add("from_record/limit", fromCount<limitFromCount>, kTwoThreads);
  add("from_record/call", fromCount<callOnlyFromCount>);
  add("from_record/classic", fromCount<classic::cvtFromSec1996>);
  add("from_record/glibc", fromCount<glibc::fromCount>, kTwoThreads);
  add("from_record/hinnant", fromCount<hinnant::fromCount>);
  add("from_record/erfa", fromCount<erfa::fromCount>);
  // The six-field record to a count.
  add("to_record/ours", fromRecord<cvtToSec1996>, kTwoThreads);
  add("to_record/hpp",
      fromRecord<[](const Date1996& r) { return sec1996::to_count(sec1996::from_record(r)); }>);
  add("to_record/limit", fromRecord<limitToCount>, kTwoThreads);
  add("to_record/call", fromRecord<callOnlyToCount>);
  add("to_record/classic", fromRecord<classic::cvtToSec1996>);
  add("to_record/glibc", fromRecord<glibc::toCount>, kTwoThreads);
  add("to_record/hinnant", fromRecord<hinnant::toCount>);
  add("to_record/erfa", fromRecord<erfa::toCount>);
  // Count to the day-of-year form and back.
  add("from_yd/ours", fromCount<cvtFromSec1996_yd>, kTwoThreads);
  add("from_yd/classic", fromCount<classic::cvtFromSec1996_yd>);
  add("from_yd/hinnant", fromCount<hinnant::yearDayFromCount>);
  add("to_yd/ours",
      fromYearDay<[](const YearDay1996& yd) { return cvtToSec1996_yd(yd.dayOfYear, yd.year); }>,
      kTwoThreads);
  add("to_yd/classic", fromYearDay<[](const YearDay1996& yd) {
        return classic::cvtToSec1996_yd(yd.dayOfYear, yd.year);
      }>);
  add("to_yd/hinnant", fromYearDay<hinnant::yearDayToCount>);
  // Count to text.  The library's and the classic text live in static
  // storage; they are copied out as a caller would.
  add("text/ours", writeEach<[](Sec1996 c, char* out, std::size_t) {
        std::memcpy(out, stringDate1996(c), 21);
        return std::size_t{20};
      }>);
  add("text/classic", writeEach<[](Sec1996 c, char* out, std::size_t) {
        std::memcpy(out, classic::stringDate1996(c), 21);
        return std::size_t{20};
      }>);
  add("text/glibc", writeEach<glibc::text>);
  add("text/hinnant", writeEach<hinnant::text>);
  add("text/erfa", writeEach<erfa::text>);
  // The tm pair.
  add("from_tm/ours", fromCount<[](Sec1996 c) { return *getDateFromSecondsSince1996(c); }>);
  add("from_tm/classic",
      fromCount<[](Sec1996 c) { return *classic::getDateFromSecondsSince1996(c); }>);
  add("from_tm/glibc", fromCount<glibc::tmFromCount>);
  add("to_tm/ours", fromTm<[](const struct tm& t) { return getSecondsSince1996FromDate(&t); }>,
      kTwoThreads);
  add("to_tm/classic", fromTm<[](const struct tm& t) {
        struct tm scratch = t;
        return classic::getSecondsSince1996FromDate(&scratch);
      }>);
  add("to_tm/glibc", fromTm<glibc::tmToCount>);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!peersAgree()) {
    std::fprintf(stderr, "sec1996_bench: a peer disagrees with the library before 1999\n");
    return 1;
  }
  inputs();
  registerAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
