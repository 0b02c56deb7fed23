// scales.cpp - the true-time ufuncs of the sec1996 Python package: counts to
// TAI, TT, GPS time, GPS weeks, TAI-UTC and SI seconds, and back, from a
// leap-second list (timescale/sec1996_scales.h).
//
// How a list reaches a loop.  numpy runs the loops without the GIL, so a
// loop must never meet a list that another thread frees, nor trust a
// pointer that Python code made up.  The loaded lists therefore live in a
// registry of this module and are never freed: a ufunc takes a list's id,
// a small integer, as an ordinary int64 input (broadcast or one per
// element), and looks it up lock-free.  Id 0 is the library's default
// table; an id that names no loaded list is refused element by element
// with SEC1996_PARSE_LIST_NOT_FOUND, whatever its value.  Loading the same
// list twice (same source, origin and content) gives the same id, so a
// program that reloads a file in a loop does not grow the registry; a
// registry holds at most kMaxLists - 1 lists.
//
// The loops gather a block of kBlock elements, split it into runs of one
// list (and one mapping flag), and call the library's array forms on each
// run, straight into contiguous outputs where they can.
#include <atomic>
#include <mutex>
#include <new>

#include "timescale/sec1996_scales.h"
#include "ufuncs.h"

namespace {

using namespace sec1996_ext;

// ---- The registry of lists ---------------------------------------------------

constexpr std::int64_t kSlots = 256;  // ids per chunk
constexpr std::int64_t kChunks = 256;
constexpr std::int64_t kMaxLists = kSlots * kChunks;

// Chunk c holds ids c * kSlots to c * kSlots + kSlots - 1.  A slot is
// written, under gRegistering, before gCount is raised past its id with a
// release store; a loop reads gCount with an acquire load first, so it sees
// only slots that are complete, and no slot changes once written.
const Sec1996LeapList** gChunks[kChunks] = {};
std::atomic<std::int64_t> gCount{1};  // ids below it are valid; 0 is the default table
std::mutex gRegistering;

bool sameList(const Sec1996LeapList* a, const Sec1996LeapList* b) {
  Sec1996LeapListInfo x{}, y{};
  leapListInfo1996(a, &x);
  leapListInfo1996(b, &y);
  if (x.source != y.source || std::strcmp(x.origin, y.origin) != 0 ||
      x.entryCount != y.entryCount || x.updatedNtp != y.updatedNtp ||
      x.expiresNtp != y.expiresNtp || x.hashChecked != y.hashChecked) {
    return false;
  }
  for (std::size_t i = 0; i < x.entryCount; ++i) {
    if (x.entries[i].ntpSeconds != y.entries[i].ntpSeconds ||
        x.entries[i].taiMinusUtc != y.entries[i].taiMinusUtc) {
      return false;
    }
  }
  return true;
}

// Takes a list the caller loaded and gives its id: a new one, or that of
// the same list loaded before (the new copy is freed).  -1, the list freed
// and a Python error set, when the registry is full or out of memory.
std::int64_t registerList(Sec1996LeapList* list) {
  const std::lock_guard<std::mutex> lock(gRegistering);
  const std::int64_t count = gCount.load(std::memory_order_relaxed);
  for (std::int64_t id = 1; id < count; ++id) {
    if (sameList(gChunks[id / kSlots][id % kSlots], list)) {
      leapListFree1996(list);
      return id;
    }
  }
  if (count == kMaxLists) {
    leapListFree1996(list);
    PyErr_Format(PyExc_RuntimeError,
                 "sec1996: %lld different leap-second lists are loaded, the most a process "
                 "keeps",
                 static_cast<long long>(kMaxLists - 1));
    return -1;
  }
  const Sec1996LeapList**& chunk = gChunks[count / kSlots];
  if (chunk == nullptr) {
    chunk = new (std::nothrow) const Sec1996LeapList*[kSlots]();
    if (chunk == nullptr) {
      leapListFree1996(list);
      PyErr_NoMemory();
      return -1;
    }
  }
  chunk[count % kSlots] = list;
  gCount.store(count + 1, std::memory_order_release);
  return count;
}

// ---- Counts in ---------------------------------------------------------------

// The library's status array narrowed to the ufunc's int16 one.
void narrowStatus(const Sec1996ParseStatus* codes, npy_intp k, char* status, npy_intp step) {
  if (step == sizeof(Status)) {
    Status* out = reinterpret_cast<Status*>(status);
    for (npy_intp i = 0; i < k; ++i) out[i] = static_cast<Status>(codes[i]);
  } else {
    for (npy_intp i = 0; i < k; ++i) at<Status>(status, step, i) = static_cast<Status>(codes[i]);
  }
}

void clearStatus(npy_intp k, char* status, npy_intp step) {
  if (step == sizeof(Status)) {
    std::memset(status, 0, static_cast<std::size_t>(k) * sizeof(Status));  // OK is 0
  } else {
    for (npy_intp i = 0; i < k; ++i) at<Status>(status, step, i) = SEC1996_PARSE_OK;
  }
}

// The end of the run of equal int64 values (list ids) from a in [a, k).
npy_intp runEnd(const char* ids, npy_intp step, npy_intp a, npy_intp k) {
  if (step == 0) return k;
  const std::int64_t id = load<std::int64_t>(ids, step, a);
  npy_intp b = a + 1;
  while (b < k && load<std::int64_t>(ids, step, b) == id) ++b;
  return b;
}

// (count x Convert::counts, list id int64) -> (Convert::outputs values of
// type Convert::Out, status).  Convert::run is the library's array form.
template <class T, class Convert>
void countsInLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  using Out = typename Convert::Out;
  constexpr int kIn = Convert::counts;
  constexpr int kList = kIn;
  constexpr int kOut = kIn + 1;
  constexpr int kOutputs = Convert::outputs;
  constexpr int kStatus = kOut + kOutputs;
  const npy_intp n = dims[0];
  bool direct = true;  // every output contiguous: the library writes into it
  for (int o = 0; o < kOutputs; ++o) direct = direct && steps[kOut + o] == sizeof(Out);
  Sec1996 counts[kIn][kBlock];
  Status countCodes[kIn][kBlock];
  Sec1996ParseStatus codes[kBlock];
  Out scratch[kOutputs][kBlock];
  for (npy_intp start = 0; start < n; start += kBlock) {
    const npy_intp k = std::min(kBlock, n - start);
    bool allCounts[kIn];
    bool every = true;
    for (int c = 0; c < kIn; ++c) {
      allCounts[c] =
          gatherCounts<T>(args[c] + steps[c] * start, steps[c], k, counts[c], countCodes[c]);
      every = every && allCounts[c];
    }
    Out* outs[kOutputs];
    for (int o = 0; o < kOutputs; ++o) {
      outs[o] = direct ? reinterpret_cast<Out*>(args[kOut + o]) + start : scratch[o];
    }
    const char* ids = args[kList] + steps[kList] * start;
    bool anyRefused = false;
    for (npy_intp a = 0; a < k;) {
      const npy_intp b = runEnd(ids, steps[kList], a, k);
      const Sec1996LeapList* list = nullptr;
      if (leapListOf(load<std::int64_t>(ids, steps[kList], a), list)) {
        const Sec1996* in[kIn];
        for (int c = 0; c < kIn; ++c) in[c] = counts[c] + a;
        Out* runOuts[kOutputs];
        for (int o = 0; o < kOutputs; ++o) runOuts[o] = outs[o] + a;
        anyRefused |=
            Convert::run(list, in, static_cast<std::size_t>(b - a), runOuts, codes + a) != 0;
      } else {
        for (npy_intp i = a; i < b; ++i) {
          codes[i] = SEC1996_PARSE_LIST_NOT_FOUND;
          for (int o = 0; o < kOutputs; ++o) outs[o][i] = 0;
        }
        anyRefused = true;
      }
      a = b;
    }
    if (!every) {  // a count refused: its own reason first, and a blank value
      for (npy_intp i = 0; i < k; ++i) {
        for (int c = 0; c < kIn; ++c) {
          if (!allCounts[c] && countCodes[c][i] != SEC1996_PARSE_OK) {
            codes[i] = static_cast<Sec1996ParseStatus>(countCodes[c][i]);
            for (int o = 0; o < kOutputs; ++o) outs[o][i] = 0;
            anyRefused = true;
            break;
          }
        }
      }
    }
    if (!direct) {
      for (int o = 0; o < kOutputs; ++o) {
        for (npy_intp i = 0; i < k; ++i)
          at<Out>(args[kOut + o], steps[kOut + o], start + i) = outs[o][i];
      }
    }
    char* status = args[kStatus] + steps[kStatus] * start;
    if (anyRefused) {
      narrowStatus(codes, k, status, steps[kStatus]);
    } else {
      clearStatus(k, status, steps[kStatus]);
    }
  }
}

struct ToTai {
  static constexpr int counts = 1, outputs = 1;
  using Out = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const Sec1996* const* in, std::size_t n,
                         Out* const* out, Sec1996ParseStatus* status) {
    return cvtFromSec1996_tai_n(list, in[0], n, out[0], status);
  }
};

struct ToTt {
  static constexpr int counts = 1, outputs = 1;
  using Out = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const Sec1996* const* in, std::size_t n,
                         Out* const* out, Sec1996ParseStatus* status) {
    return cvtFromSec1996_tt_n(list, in[0], n, out[0], status);
  }
};

struct ToGps {
  static constexpr int counts = 1, outputs = 1;
  using Out = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const Sec1996* const* in, std::size_t n,
                         Out* const* out, Sec1996ParseStatus* status) {
    return cvtFromSec1996_gps_n(list, in[0], n, out[0], status);
  }
};

struct ToGpsWeek {
  static constexpr int counts = 1, outputs = 2;
  using Out = std::int32_t;
  static std::size_t run(const Sec1996LeapList* list, const Sec1996* const* in, std::size_t n,
                         Out* const* out, Sec1996ParseStatus* status) {
    return cvtFromSec1996_gpsWeek_n(list, in[0], n, out[0], out[1], status);
  }
};

struct TaiMinusUtc {
  static constexpr int counts = 1, outputs = 1;
  using Out = std::int32_t;
  static std::size_t run(const Sec1996LeapList* list, const Sec1996* const* in, std::size_t n,
                         Out* const* out, Sec1996ParseStatus* status) {
    return taiMinusUtc1996_n(list, in[0], n, out[0], status);
  }
};

struct SiSeconds {
  static constexpr int counts = 2, outputs = 1;
  using Out = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const Sec1996* const* in, std::size_t n,
                         Out* const* out, Sec1996ParseStatus* status) {
    return siSecondsBetween1996_n(list, in[0], in[1], n, out[0], status);
  }
};

template <class Convert>
struct ListLoops {
  static inline PyUFuncGenericFunction functions[4] = {
      &countsInLoop<npy_uint32, Convert>, &countsInLoop<npy_int64, Convert>,
      &countsInLoop<npy_uint64, Convert>, &countsInLoop<double, Convert>};
};

// ---- True time in ------------------------------------------------------------

// (value int64 x Convert::values, list id int64, map bool) -> (count, status).
// Convert::In is the library's input type; int64 values beyond it are
// refused by Convert::narrow.
template <class Convert>
void timesInLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  using In = typename Convert::In;
  constexpr int kValues = Convert::values;
  constexpr int kList = kValues;
  constexpr int kMap = kValues + 1;
  constexpr int kCount = kValues + 2;
  constexpr int kStatus = kValues + 3;
  const npy_intp n = dims[0];
  const bool direct = steps[kCount] == sizeof(Sec1996);
  In values[kValues][kBlock];
  Sec1996 scratch[kBlock];
  Sec1996ParseStatus codes[kBlock];
  for (npy_intp start = 0; start < n; start += kBlock) {
    const npy_intp k = std::min(kBlock, n - start);
    const In* in[kValues];
    if constexpr (std::is_same_v<In, std::int64_t> && kValues == 1) {
      if (steps[0] == sizeof(In)) {  // contiguous: read in place
        in[0] = reinterpret_cast<const In*>(args[0]) + start;
      } else {
        for (npy_intp i = 0; i < k; ++i) values[0][i] = load<In>(args[0], steps[0], start + i);
        in[0] = values[0];
      }
    } else {
      for (npy_intp i = 0; i < k; ++i) {
        std::int64_t raw[kValues];
        for (int v = 0; v < kValues; ++v) raw[v] = load<std::int64_t>(args[v], steps[v], start + i);
        Convert::narrow(raw, values, i);
      }
      for (int v = 0; v < kValues; ++v) in[v] = values[v];
    }
    Sec1996* out = direct ? reinterpret_cast<Sec1996*>(args[kCount]) + start : scratch;
    const char* ids = args[kList] + steps[kList] * start;
    const char* maps = args[kMap] + steps[kMap] * start;
    bool anyRefused = false;
    for (npy_intp a = 0; a < k;) {
      npy_intp b = runEnd(ids, steps[kList], a, k);
      const bool map = load<npy_bool>(maps, steps[kMap], a) != 0;
      if (steps[kMap] != 0) {  // and one flag
        npy_intp e = a + 1;
        while (e < b && (load<npy_bool>(maps, steps[kMap], e) != 0) == map) ++e;
        b = e;
      }
      const Sec1996LeapList* list = nullptr;
      if (leapListOf(load<std::int64_t>(ids, steps[kList], a), list)) {
        const In* runIn[kValues];
        for (int v = 0; v < kValues; ++v) runIn[v] = in[v] + a;
        anyRefused |= Convert::run(list, runIn, static_cast<std::size_t>(b - a),
                                   map ? SEC1996_MAP_LEAP_TO_235959 : 0u, out + a, codes + a) != 0;
      } else {
        for (npy_intp i = a; i < b; ++i) {
          codes[i] = SEC1996_PARSE_LIST_NOT_FOUND;
          out[i] = 0;
        }
        anyRefused = true;
      }
      a = b;
    }
    if (!direct) {
      for (npy_intp i = 0; i < k; ++i) at<Sec1996>(args[kCount], steps[kCount], start + i) = out[i];
    }
    char* status = args[kStatus] + steps[kStatus] * start;
    if (anyRefused) {
      narrowStatus(codes, k, status, steps[kStatus]);
    } else {
      clearStatus(k, status, steps[kStatus]);
    }
  }
}

struct FromTai {
  static constexpr int values = 1;
  using In = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const In* const* in, std::size_t n,
                         unsigned flags, Sec1996* out, Sec1996ParseStatus* status) {
    return cvtToSec1996_tai_n(list, in[0], n, flags, out, status);
  }
};

struct FromTt {
  static constexpr int values = 1;
  using In = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const In* const* in, std::size_t n,
                         unsigned flags, Sec1996* out, Sec1996ParseStatus* status) {
    return cvtToSec1996_tt_n(list, in[0], n, flags, out, status);
  }
};

struct FromGps {
  static constexpr int values = 1;
  using In = std::int64_t;
  static std::size_t run(const Sec1996LeapList* list, const In* const* in, std::size_t n,
                         unsigned flags, Sec1996* out, Sec1996ParseStatus* status) {
    return cvtToSec1996_gps_n(list, in[0], n, flags, out, status);
  }
};

struct FromGpsWeek {
  static constexpr int values = 2;
  using In = std::int32_t;
  // A week or second beyond int32 is refused as the library refuses a
  // second of the week out of its range: SEC1996_PARSE_FIELD_RANGE.
  static void narrow(const std::int64_t* raw, In (*values)[kBlock], npy_intp i) {
    const bool fits = fitsInt32(raw[0]) && fitsInt32(raw[1]);
    values[0][i] = fits ? static_cast<In>(raw[0]) : 0;
    values[1][i] = fits ? static_cast<In>(raw[1]) : -1;
  }
  static constexpr bool fitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<In>::min() && value <= std::numeric_limits<In>::max();
  }
  static std::size_t run(const Sec1996LeapList* list, const In* const* in, std::size_t n,
                         unsigned flags, Sec1996* out, Sec1996ParseStatus* status) {
    return cvtToSec1996_gpsWeek_n(list, in[0], in[1], n, flags, out, status);
  }
};

// ---- The ufuncs --------------------------------------------------------------

char kToInt64Types[] = {NPY_UINT32, NPY_INT64, NPY_INT64,  NPY_INT16, NPY_INT64, NPY_INT64,
                        NPY_INT64,  NPY_INT16, NPY_UINT64, NPY_INT64, NPY_INT64, NPY_INT16,
                        NPY_DOUBLE, NPY_INT64, NPY_INT64,  NPY_INT16};
char kToInt32Types[] = {NPY_UINT32, NPY_INT64, NPY_INT32,  NPY_INT16, NPY_INT64, NPY_INT64,
                        NPY_INT32,  NPY_INT16, NPY_UINT64, NPY_INT64, NPY_INT32, NPY_INT16,
                        NPY_DOUBLE, NPY_INT64, NPY_INT32,  NPY_INT16};
char kToWeekTypes[] = {NPY_UINT32, NPY_INT64, NPY_INT32, NPY_INT32, NPY_INT16,
                       NPY_INT64,  NPY_INT64, NPY_INT32, NPY_INT32, NPY_INT16,
                       NPY_UINT64, NPY_INT64, NPY_INT32, NPY_INT32, NPY_INT16,
                       NPY_DOUBLE, NPY_INT64, NPY_INT32, NPY_INT32, NPY_INT16};
char kBetweenTypes[] = {NPY_UINT32, NPY_UINT32, NPY_INT64, NPY_INT64, NPY_INT16,
                        NPY_INT64,  NPY_INT64,  NPY_INT64, NPY_INT64, NPY_INT16,
                        NPY_UINT64, NPY_UINT64, NPY_INT64, NPY_INT64, NPY_INT16,
                        NPY_DOUBLE, NPY_DOUBLE, NPY_INT64, NPY_INT64, NPY_INT16};
char kFromTypes[] = {NPY_INT64, NPY_INT64, NPY_BOOL, NPY_UINT32, NPY_INT16};
char kFromWeekTypes[] = {NPY_INT64, NPY_INT64, NPY_INT64, NPY_BOOL, NPY_UINT32, NPY_INT16};

PyUFuncGenericFunction kFromTaiFunctions[] = {&timesInLoop<FromTai>};
PyUFuncGenericFunction kFromTtFunctions[] = {&timesInLoop<FromTt>};
PyUFuncGenericFunction kFromGpsFunctions[] = {&timesInLoop<FromGps>};
PyUFuncGenericFunction kFromGpsWeekFunctions[] = {&timesInLoop<FromGpsWeek>};

const UfuncEntry kUfuncs[] = {
    {"to_tai", ListLoops<ToTai>::functions, kToInt64Types, 4, 2, 2, nullptr,
     "to_tai(count, list) -> (tai, status)\n\n" SEC1996_COUNT_IN SEC1996_LIST_IN
     "tai: int64 TAI seconds since 1958-01-01T00:00:00 TAI (cvtFromSec1996_tai); 0 where "
     "refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.to_tai([0, 47260800], 0)\n"
     "(array([1199145630, 1246406430]), array([0, 0], dtype=int16))\n"},
    {"to_tt", ListLoops<ToTt>::functions, kToInt64Types, 4, 2, 2, nullptr,
     "to_tt(count, list) -> (tt, status)\n\n" SEC1996_COUNT_IN SEC1996_LIST_IN
     "tt: int64 TT milliseconds since 1958-01-01T00:00:00 TT (cvtFromSec1996_tt); 0 where "
     "refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.to_tt(0, 0)\n(1199145662184, 0)\n"},
    {"to_gps", ListLoops<ToGps>::functions, kToInt64Types, 4, 2, 2, nullptr,
     "to_gps(count, list) -> (gps, status)\n\n" SEC1996_COUNT_IN SEC1996_LIST_IN
     "gps: int64 GPS seconds since 1980-01-06T00:00:00 UTC (cvtFromSec1996_gps); 0 where "
     "refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.to_gps(0, 0)\n(504489611, 0)\n"},
    {"to_gps_week", ListLoops<ToGpsWeek>::functions, kToWeekTypes, 4, 2, 3, nullptr,
     "to_gps_week(count, list) -> (week, second, status)\n\n" SEC1996_COUNT_IN SEC1996_LIST_IN
     "week: int32 GPS weeks since 1980-01-06 (not modulo 1024); second: int32 second of the "
     "week, 0 to 604799 (cvtFromSec1996_gpsWeek); 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.to_gps_week(0, 0)\n(834, 86411, 0)\n"},
    {"tai_minus_utc", ListLoops<TaiMinusUtc>::functions, kToInt32Types, 4, 2, 2, nullptr,
     "tai_minus_utc(count, list) -> (seconds, status)\n\n" SEC1996_COUNT_IN SEC1996_LIST_IN
     "seconds: int32 TAI-UTC in force at the count, the value before a leap second during it "
     "(taiMinusUtc1996); 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.tai_minus_utc([0, 47260800, 47260801], 0)\n"
     "(array([30, 30, 31], dtype=int32), array([0, 0, 0], dtype=int16))\n"},
    {"si_seconds_between", ListLoops<SiSeconds>::functions, kBetweenTypes, 4, 3, 2, nullptr,
     "si_seconds_between(start, end, list) -> (seconds, status)\n\n"
     "start, end: counts, as count is for to_tai.\n" SEC1996_LIST_IN
     "seconds: int64 SI seconds from start to end, TAI(end) - TAI(start) "
     "(siSecondsBetween1996); 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.si_seconds_between(47260799, 47260801, 0)\n(2, 0)\n"},
    {"from_tai", kFromTaiFunctions, kFromTypes, 1, 3, 2, nullptr,
     "from_tai(tai, list, map) -> (count, status)\n\n"
     "tai: int64 TAI seconds since 1958-01-01T00:00:00 TAI.\n" SEC1996_LIST_IN SEC1996_MAP_IN
     "count: uint32 (cvtToSec1996_tai), 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.from_tai([1199145630, 1861920036], 0, [False, True])\n"
     "(array([        0, 662774400], dtype=uint32), array([ 0, 15], dtype=int16))\n"},
    {"from_tt", kFromTtFunctions, kFromTypes, 1, 3, 2, nullptr,
     "from_tt(tt, list, map) -> (count, status)\n\n"
     "tt: int64 TT milliseconds since 1958-01-01T00:00:00 TT; a value that is no whole TAI "
     "second (not ending in 184 ms) gives status 7.\n" SEC1996_LIST_IN SEC1996_MAP_IN
     "count: uint32 (cvtToSec1996_tt), 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.from_tt([1199145662184, 1199145662185], 0, False)\n"
     "(array([0, 0], dtype=uint32), array([0, 7], dtype=int16))\n"},
    {"from_gps", kFromGpsFunctions, kFromTypes, 1, 3, 2, nullptr,
     "from_gps(gps, list, map) -> (count, status)\n\n"
     "gps: int64 GPS seconds since 1980-01-06T00:00:00 UTC.\n" SEC1996_LIST_IN SEC1996_MAP_IN
     "count: uint32 (cvtToSec1996_gps), 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.from_gps(504489611, 0, False)\n(0, 0)\n"},
    {"from_gps_week", kFromGpsWeekFunctions, kFromWeekTypes, 1, 4, 2, nullptr,
     "from_gps_week(week, second, list, map) -> (count, status)\n\n"
     "week: integer GPS weeks since 1980-01-06 (not modulo 1024); second: integer second of "
     "the week, 0 to 604799, else status 2 (as is a week or second beyond int32).\n" SEC1996_LIST_IN
         SEC1996_MAP_IN
     "count: uint32 (cvtToSec1996_gpsWeek), 0 where refused.\n" SEC1996_SCALE_STATUS "\n"
     ">>> sec1996.ufunc.from_gps_week(834, [86411, 604800], 0, False)\n"
     "(array([0, 0], dtype=uint32), array([0, 2], dtype=int16))\n"},
};

// ---- Loading lists -------------------------------------------------------------

// (id, status, line, message) of a load: id -1 and the library's reason
// when it refused the list.
PyObject* loaded(Sec1996ParseStatus status, Sec1996LeapList* list,
                 const Sec1996LeapListError& error) {
  std::int64_t id = -1;
  if (status == SEC1996_PARSE_OK) {
    id = registerList(list);
    if (id < 0) return nullptr;
  }
  return Py_BuildValue("(Linz)", static_cast<long long>(id), static_cast<int>(status),
                       static_cast<Py_ssize_t>(error.line),
                       status == SEC1996_PARSE_OK ? nullptr : error.message);
}

PyObject* pyListFromFile(PyObject*, PyObject* args) {
  PyObject* path = nullptr;
  if (!PyArg_ParseTuple(args, "O&", PyUnicode_FSConverter, &path)) return nullptr;
  Sec1996LeapList* list = nullptr;
  Sec1996LeapListError error{};
  const Sec1996ParseStatus status = leapListFromFile1996(PyBytes_AS_STRING(path), &list, &error);
  Py_DECREF(path);
  return loaded(status, list, error);
}

PyObject* pyListFromBuffer(PyObject*, PyObject* args) {
  Py_buffer data{};
  const char* name = nullptr;
  if (!PyArg_ParseTuple(args, "y*z", &data, &name)) return nullptr;
  Sec1996LeapList* list = nullptr;
  Sec1996LeapListError error{};
  const Sec1996ParseStatus status = leapListFromBuffer1996(
      static_cast<const char*>(data.buf), static_cast<std::size_t>(data.len), name, &list, &error);
  PyBuffer_Release(&data);
  return loaded(status, list, error);
}

PyObject* pyListDefault(PyObject*, PyObject*) {
  Sec1996LeapListError fallback{};
  leapListDefault1996(&fallback);
  return Py_BuildValue("(iz)", static_cast<int>(fallback.status),
                       fallback.status == SEC1996_PARSE_OK ? nullptr : fallback.message);
}

PyObject* pyListInfo(PyObject*, PyObject* args) {
  long long id = 0;
  if (!PyArg_ParseTuple(args, "L", &id)) return nullptr;
  const Sec1996LeapList* list = nullptr;
  if (!leapListOf(id, list)) {
    PyErr_Format(PyExc_ValueError, "sec1996: no leap-second list has the id %lld", id);
    return nullptr;
  }
  Sec1996LeapListInfo info{};
  leapListInfo1996(list, &info);
  PyObject* entries = PyTuple_New(static_cast<Py_ssize_t>(info.entryCount));
  if (entries == nullptr) return nullptr;
  for (std::size_t i = 0; i < info.entryCount; ++i) {
    const Sec1996LeapEntry& e = info.entries[i];
    PyObject* entry =
        Py_BuildValue("(Li(iii))", static_cast<long long>(e.ntpSeconds),
                      static_cast<int>(e.taiMinusUtc), e.date.year, e.date.mon, e.date.day);
    if (entry == nullptr) {
      Py_DECREF(entries);
      return nullptr;
    }
    PyTuple_SET_ITEM(entries, static_cast<Py_ssize_t>(i), entry);
  }
  // The origin as the file system names it: a path need not be UTF-8.
  PyObject* origin = PyUnicode_DecodeFSDefault(info.origin);
  if (origin == nullptr) {
    Py_DECREF(entries);
    return nullptr;
  }
  return Py_BuildValue("(iNNLLO)", static_cast<int>(info.source), origin, entries,
                       static_cast<long long>(info.updatedNtp),
                       static_cast<long long>(info.expiresNtp),
                       info.hashChecked != 0 ? Py_True : Py_False);
}

PyMethodDef kMethods[] = {
    {"leap_list_from_file", pyListFromFile, METH_VARARGS,
     "leap_list_from_file(path) -> (id, status, line, message): leapListFromFile1996, the "
     "list registered (id -1 and the reason when refused)."},
    {"leap_list_from_buffer", pyListFromBuffer, METH_VARARGS,
     "leap_list_from_buffer(data, name) -> (id, status, line, message): "
     "leapListFromBuffer1996, the list registered."},
    {"leap_list_default", pyListDefault, METH_NOARGS,
     "leap_list_default() -> (status, message): why the default table (id 0) is not from a "
     "file, or (0, None)."},
    {"leap_list_info", pyListInfo, METH_VARARGS,
     "leap_list_info(id) -> (source, origin, ((ntp, tai_utc, (y, m, d)), ...), updated_ntp, "
     "expires_ntp, hash_checked): leapListInfo1996."},
    {nullptr, nullptr, 0, nullptr}};

}  // namespace

bool sec1996_ext::leapListOf(std::int64_t id, const Sec1996LeapList*& list) {
  if (id == 0) {
    list = nullptr;
    return true;
  }
  if (id < 0 || id >= gCount.load(std::memory_order_acquire)) return false;
  list = gChunks[id / kSlots][id % kSlots];
  return true;
}

bool sec1996_ext::addScalesUfuncs(PyObject* module) {
  if (PyModule_AddIntConstant(module, "MAX_LEAP_LISTS", kMaxLists - 1) < 0) return false;
  return PyModule_AddFunctions(module, kMethods) == 0 &&
         addUfuncs(module, kUfuncs, std::size(kUfuncs));
}
