// Patterns against glibc on the benchmark's 16384 counts: formatDate1996
// against strftime_l in the "C" locale (given the tm the library fills, so
// glibc pays for the writing only), and parseDate1996 against strptime +
// timegm + cvtToSec1996_posix on the same texts, for "%Y-%m-%d %H:%M:%S";
// "%Y.%j" is timed too (strptime reads %j into tm_yday, which timegm
// ignores, so glibc has no parse to compare there).  Then the ISO 8601
// reader: parseDate1996_iso one text at a time, its array form, and memcpy
// of the same bytes.
//
// Every benchmark converts the whole array once per iteration; 1e9 /
// items_per_second is the cost of one value in ns.  At the end the ratios
// of each pair measured in this run are printed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <locale.h>

#include "inputs.h"
#include "timescale/sec1996.h"

namespace {

using sec1996::bench::inputs;
using sec1996::bench::kInputs;

constexpr const char* kCommon = "%Y-%m-%d %H:%M:%S";
constexpr const char* kYearDay = "%Y.%j";
constexpr std::size_t kWidth = 32;  // one text's slot

const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));

struct Texts {
  std::vector<char> bytes = std::vector<char>(kInputs * kWidth);
  std::vector<std::size_t> lengths = std::vector<std::size_t>(kInputs);
};

Texts textsOf(const char* pattern) {
  Texts texts;
  for (std::size_t i = 0; i < kInputs; ++i) {
    formatDate1996(inputs().counts[i], pattern, &texts.bytes[i * kWidth], kWidth,
                   &texts.lengths[i]);
  }
  return texts;
}

const Texts common = textsOf(kCommon);
const Texts yearDay = textsOf(kYearDay);

// The ISO texts back to back, 20 bytes each, as the array form reads them.
const std::vector<char> isoTexts = [] {
  std::vector<char> bytes(kInputs * SEC1996_ISO_LENGTH);
  stringDate1996_iso_n(inputs().counts.data(), kInputs, bytes.data());
  return bytes;
}();

std::vector<char> written(kInputs* kWidth);
std::vector<Sec1996> counts(kInputs);
std::vector<Sec1996ParseStatus> statuses(kInputs);

void formatOurs(const char* pattern) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    formatDate1996(inputs().counts[i], pattern, &written[i * kWidth], kWidth, nullptr);
  }
}

void formatGlibc(const char* pattern) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    strftime_l(&written[i * kWidth], kWidth, pattern, &inputs().tms[i], cLocale);
  }
}

void parseOurs(const Texts& texts, const char* pattern) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    parseDate1996(&texts.bytes[i * kWidth], texts.lengths[i], pattern, &counts[i], nullptr);
  }
}

void parseGlibc(const Texts& texts, const char* pattern) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    std::tm tm{};
    strptime(&texts.bytes[i * kWidth], pattern, &tm);
    counts[i] = cvtToSec1996_posix(timegm(&tm));
  }
}

void parseIsoEach() {
  for (std::size_t i = 0; i < kInputs; ++i) {
    parseDate1996_iso(&isoTexts[i * SEC1996_ISO_LENGTH], SEC1996_ISO_LENGTH, &counts[i], nullptr);
  }
}

const struct {
  const char* name;
  std::function<void()> body;
} kBenchmarks[] = {
    {"format/common/ours", [] { formatOurs(kCommon); }},
    {"format/common/strftime_l", [] { formatGlibc(kCommon); }},
    {"format/yearDay/ours", [] { formatOurs(kYearDay); }},
    {"format/yearDay/strftime_l", [] { formatGlibc(kYearDay); }},
    {"parse/common/ours", [] { parseOurs(common, kCommon); }},
    {"parse/common/strptime+timegm", [] { parseGlibc(common, kCommon); }},
    {"parse/yearDay/ours", [] { parseOurs(yearDay, kYearDay); }},
    {"parseIso/single", parseIsoEach},
    {"parseIso/array",
     [] {
       parseDate1996_iso_n(isoTexts.data(), kInputs, SEC1996_ISO_LENGTH, counts.data(),
                           statuses.data());
     }},
    {"parseIso/memcpy",
     [] { std::memcpy(written.data(), isoTexts.data(), kInputs * SEC1996_ISO_LENGTH); }},
};

// The console's lines, then the ratio of each pair of this run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
      nsPerValue_[run.run_name.function_name] =
          run.GetAdjustedCPUTime() / static_cast<double>(kInputs);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ratio = [this](const char* what, const char* ours, const char* theirs) {
      if (nsPerValue_.count(ours) == 0 || nsPerValue_.count(theirs) == 0) return;
      std::printf("%-44s %7.1f ns against %7.1f ns: %.2fx\n", what, nsPerValue_[ours],
                  nsPerValue_[theirs], nsPerValue_[theirs] / nsPerValue_[ours]);
    };
    std::printf("\nper value, and how many times faster than glibc (or memcpy slower):\n");
    ratio("format %Y-%m-%d %H:%M:%S vs strftime_l", "format/common/ours",
          "format/common/strftime_l");
    ratio("format %Y.%j vs strftime_l", "format/yearDay/ours", "format/yearDay/strftime_l");
    ratio("parse %Y-%m-%d %H:%M:%S vs strptime+timegm", "parse/common/ours",
          "parse/common/strptime+timegm");
    if (nsPerValue_.count("parse/yearDay/ours") != 0) {
      std::printf("%-44s %7.1f ns\n", "parse %Y.%j", nsPerValue_["parse/yearDay/ours"]);
    }
    ratio("parseDate1996_iso_n vs parseDate1996_iso", "parseIso/array", "parseIso/single");
    ratio("memcpy vs parseDate1996_iso_n", "parseIso/memcpy", "parseIso/array");
  }

 private:
  std::map<std::string, double> nsPerValue_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const auto& [name, body] : kBenchmarks) {
    benchmark::RegisterBenchmark(name, [&body = body](benchmark::State& state) {
      for (auto _ : state) {
        body();
        benchmark::ClobberMemory();
      }
      state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
    });
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
