// Times every public conversion of the library against its peers, in one
// binary on the same precomputed inputs:
//   ours     the library as shipped;
//   limit    an inlined count-to-fields (or fields-to-count) loop on the
//            fastest published calendar algorithm, with no leap table: the
//            floor that no library of this kind can beat;
//   call     an out-of-line function of the same signature doing no
//            calendar work: what the call itself costs;
//   classic  two mktime() epoch look-ups and a gmtime() per conversion
//            (classic.h); it reads the process zone, so run with TZ=UTC;
//   glibc    gmtime_r() / timegm() with the leap correction around them;
//   hinnant  Howard Hinnant's date library, utc_clock;
//   erfa     ERFA's eraD2dtf / eraDtf2d with scale "UTC" through TAI.
// Benchmark names read "<conversion>/<peer>", and "/threads:2" for the runs
// on two threads.  scripts/bench.sh turns the output into the README table.
//
// The inputs are counts spread uniformly over the whole 32-bit scale, and
// the records, day-of-year values and tm records built from them; each
// iteration converts the next one, so that neither the branch predictor nor
// a single cached value hides the cost.  The peers that know more leap
// seconds than the library's table (tzdata and ERFA list every one since
// 1972) give other counts after 1998; they do the same work, and the setup
// checks that they agree with the library before that.
#include <benchmark/benchmark.h>
#include <date/date.h>
#include <date/tz.h>
#include <erfa.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "classic.h"
#include "peers.h"
#include "scale.h"
#include "timescale/sec1996.h"

namespace {

using sec1996::detail::kEpochDaysFrom1970;
namespace erfa = sec1996::peers::erfa;
namespace glibc = sec1996::peers::glibc;
namespace hinnant = sec1996::peers::hinnant;

// A power of two, so that the index wraps with a mask; 16384 counts and
// their records (about half a megabyte) stay in the second-level cache.
constexpr std::size_t kInputs = std::size_t{1} << 14;
constexpr std::size_t kMask = kInputs - 1;

struct Inputs {
  std::vector<Sec1996> counts;
  std::vector<Date1996> records;
  std::vector<YearDay1996> yearDays;
  std::vector<struct tm> tms;
};

const Inputs& inputs() {
  static const Inputs in = [] {
    Inputs built;
    std::mt19937 random(1996);  // fixed seed: every run converts the same counts
    for (std::size_t i = 0; i < kInputs; ++i) {
      const Sec1996 count = static_cast<Sec1996>(random());
      built.counts.push_back(count);
      built.records.push_back(cvtFromSec1996(count));
      built.yearDays.push_back(cvtFromSec1996_yd(count));
      built.tms.push_back(*getDateFromSecondsSince1996(count));
    }
    return built;
  }();
  return in;
}

// ---- The limit: Neri-Schneider with no leap table --------------------------

// The calendar arithmetic alone, inlined into the loop: no leap table, no
// range test, no call.  Both directions are C. Neri and L. Schneider's
// 32-bit algorithms ("Euclidean affine functions and their application to
// calendar algorithms", Software: Practice and Experience 53(4), 2023):
// to_date as libstdc++'s year_month_day implements it, to_rata_die as the
// library's core writes it (tested there against <chrono> on every date).
inline Date1996 limitFromCount(Sec1996 count) {
  const std::uint32_t days = count / 86400;
  const std::uint32_t secondOfDay = count % 86400;
  const std::chrono::year_month_day date{
      std::chrono::sys_days{std::chrono::days{days + kEpochDaysFrom1970}}};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<std::int32_t>(secondOfDay / 3600),
          static_cast<std::int32_t>(secondOfDay / 60 % 60),
          static_cast<std::int32_t>(secondOfDay % 60)};
}

inline Sec1996 limitToCount(const Date1996& r) {
  const std::int32_t days = sec1996::detail::daysFromCivilFast(r.year, r.mon) + r.day - 1;
  return static_cast<Sec1996>(days) * 86400U + static_cast<Sec1996>(r.hour) * 3600U +
         static_cast<Sec1996>(r.min) * 60U + static_cast<Sec1996>(r.sec);
}

// ---- The cost of the call itself ----------------------------------------

// Out-of-line functions with the library's signatures that do no calendar
// work: what any call across the library's C interface costs, records passed
// and returned by value (noipa keeps the compiler from looking inside).
[[gnu::noipa]] Date1996 callOnlyFromCount(Sec1996 count) {
  const auto c = static_cast<std::int32_t>(count);
  return {c, c, c, c, c, c};
}

[[gnu::noipa]] Sec1996 callOnlyToCount(Date1996 r) {
  return static_cast<Sec1996>(r.year) + static_cast<Sec1996>(r.mon) + static_cast<Sec1996>(r.day) +
         static_cast<Sec1996>(r.hour) + static_cast<Sec1996>(r.min) + static_cast<Sec1996>(r.sec);
}

// ---- The benchmark loops -------------------------------------------------

// Each thread starts at its own place in the inputs.
std::size_t firstIndex(const benchmark::State& state) {
  return static_cast<std::size_t>(state.thread_index()) * (kInputs / 2);
}

template <class Convert>
void fromCount(benchmark::State& state, Convert convert) {
  const std::vector<Sec1996>& counts = inputs().counts;
  std::size_t i = firstIndex(state);
  for (auto _ : state) {
    auto result = convert(counts[i & kMask]);
    benchmark::DoNotOptimize(result);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

template <class Convert>
void toCount(benchmark::State& state, Convert convert) {
  const std::vector<Date1996>& records = inputs().records;
  std::size_t i = firstIndex(state);
  for (auto _ : state) {
    Sec1996 result = convert(records[i & kMask]);
    benchmark::DoNotOptimize(result);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

template <class Convert>
void yearDayToCount(benchmark::State& state, Convert convert) {
  const std::vector<YearDay1996>& yearDays = inputs().yearDays;
  std::size_t i = firstIndex(state);
  for (auto _ : state) {
    Sec1996 result = convert(yearDays[i & kMask]);
    benchmark::DoNotOptimize(result);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

template <class Convert>
void tmToCount(benchmark::State& state, Convert convert) {
  const std::vector<struct tm>& tms = inputs().tms;
  std::size_t i = firstIndex(state);
  for (auto _ : state) {
    Sec1996 result = convert(tms[i & kMask]);
    benchmark::DoNotOptimize(result);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

template <class Write>
void text(benchmark::State& state, Write write) {
  const std::vector<Sec1996>& counts = inputs().counts;
  std::size_t i = firstIndex(state);
  char out[64];
  for (auto _ : state) {
    const std::size_t length = write(counts[i & kMask], out, sizeof out);
    benchmark::DoNotOptimize(length);
    benchmark::DoNotOptimize(out);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

// Registers a benchmark run on one thread, and on two when the conversion
// may be called from several threads at once.
template <class Body>
void add(const char* name, Body body, bool twoThreads = false) {
  benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(name, body);
  b->UseRealTime()->Threads(1);
  if (twoThreads) b->Threads(2);
}

void registerAll() {
  constexpr bool kTwoThreads = true;
  // Count to the six-field record.
  add(
      "from_record/ours", [](benchmark::State& s) { fromCount(s, cvtFromSec1996); }, kTwoThreads);
  add(
      "from_record/limit", [](benchmark::State& s) { fromCount(s, limitFromCount); }, kTwoThreads);
  add("from_record/call", [](benchmark::State& s) { fromCount(s, callOnlyFromCount); });
  add("from_record/classic", [](benchmark::State& s) { fromCount(s, classic::cvtFromSec1996); });
  add(
      "from_record/glibc", [](benchmark::State& s) { fromCount(s, glibc::fromCount); },
      kTwoThreads);
  add("from_record/hinnant", [](benchmark::State& s) { fromCount(s, hinnant::fromCount); });
  add("from_record/erfa", [](benchmark::State& s) { fromCount(s, erfa::fromCount); });
  // The six-field record to a count.
  add(
      "to_record/ours", [](benchmark::State& s) { toCount(s, cvtToSec1996); }, kTwoThreads);
  add(
      "to_record/limit", [](benchmark::State& s) { toCount(s, limitToCount); }, kTwoThreads);
  add("to_record/call", [](benchmark::State& s) { toCount(s, callOnlyToCount); });
  add("to_record/classic", [](benchmark::State& s) { toCount(s, classic::cvtToSec1996); });
  add(
      "to_record/glibc", [](benchmark::State& s) { toCount(s, glibc::toCount); }, kTwoThreads);
  add("to_record/hinnant", [](benchmark::State& s) { toCount(s, hinnant::toCount); });
  add("to_record/erfa", [](benchmark::State& s) { toCount(s, erfa::toCount); });
  // Count to the day-of-year form and back.
  add(
      "from_yd/ours", [](benchmark::State& s) { fromCount(s, cvtFromSec1996_yd); }, kTwoThreads);
  add("from_yd/classic", [](benchmark::State& s) { fromCount(s, classic::cvtFromSec1996_yd); });
  add("from_yd/hinnant", [](benchmark::State& s) { fromCount(s, hinnant::yearDayFromCount); });
  add(
      "to_yd/ours",
      [](benchmark::State& s) {
        yearDayToCount(
            s, [](const YearDay1996& yd) { return cvtToSec1996_yd(yd.dayOfYear, yd.year); });
      },
      kTwoThreads);
  add("to_yd/classic", [](benchmark::State& s) {
    yearDayToCount(
        s, [](const YearDay1996& yd) { return classic::cvtToSec1996_yd(yd.dayOfYear, yd.year); });
  });
  add("to_yd/hinnant", [](benchmark::State& s) { yearDayToCount(s, hinnant::yearDayToCount); });
  // Count to text.  The library's and the classic text live in static
  // storage; they are copied out as a caller would.
  add("text/ours", [](benchmark::State& s) {
    text(s, [](Sec1996 c, char* out, std::size_t) {
      std::memcpy(out, stringDate1996(c), 21);
      return std::size_t{20};
    });
  });
  add("text/classic", [](benchmark::State& s) {
    text(s, [](Sec1996 c, char* out, std::size_t) {
      std::memcpy(out, classic::stringDate1996(c), 21);
      return std::size_t{20};
    });
  });
  add("text/glibc", [](benchmark::State& s) { text(s, glibc::text); });
  add("text/hinnant", [](benchmark::State& s) { text(s, hinnant::text); });
  add("text/erfa", [](benchmark::State& s) { text(s, erfa::text); });
  // The tm pair.
  add("from_tm/ours", [](benchmark::State& s) {
    fromCount(s, [](Sec1996 c) { return *getDateFromSecondsSince1996(c); });
  });
  add("from_tm/classic", [](benchmark::State& s) {
    fromCount(s, [](Sec1996 c) { return *classic::getDateFromSecondsSince1996(c); });
  });
  add("from_tm/glibc", [](benchmark::State& s) { fromCount(s, glibc::tmFromCount); });
  add(
      "to_tm/ours",
      [](benchmark::State& s) {
        tmToCount(s, [](const struct tm& t) { return getSecondsSince1996FromDate(&t); });
      },
      kTwoThreads);
  add("to_tm/classic", [](benchmark::State& s) {
    tmToCount(s, [](const struct tm& t) {
      struct tm scratch = t;
      return classic::getSecondsSince1996FromDate(&scratch);
    });
  });
  add("to_tm/glibc", [](benchmark::State& s) { tmToCount(s, glibc::tmToCount); });
}

// The peers must convert correctly before their times mean anything: up to
// the end of 1998 every one of them knows the same single leap second.
bool peersAgree() {
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
