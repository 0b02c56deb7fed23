// sec1996_ext.cpp - the numpy kernels behind the sec1996 Python package.
//
// Each kernel takes flat, C-contiguous, native-order arrays that the Python
// layer has prepared, checks every element, and converts the whole column
// through the library's array functions (or its single-value functions in a
// C++ loop), with the GIL released.  The Python layer owns the shapes, the
// dtypes and the wording of errors; a kernel reports the first element it
// refuses as (flat index, reason) and otherwise returns None.
//
// Errors are handled in one of two modes, chosen by the valid argument:
//   None          - stop at the first refused element and report it;
//   a bool array  - convert everything, write a sentinel where an element is
//                   refused, set valid[i] to whether element i was accepted,
//                   and still report the first refusal.
//
// Only the library's public header is used: what this file needs beyond the
// public functions (the span of a record or day of the year before the
// library wraps it) it works out itself from the civil calendar.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "timescale/sec1996.h"
#include "timescale/sec1996.hpp"

#ifndef SEC1996_VERSION
#error "SEC1996_VERSION must be defined by the build (setup.py reads it from CMakeLists.txt)"
#endif

namespace py = pybind11;

namespace {

// Elements per block: small enough that a block's scratch stays in L1/L2,
// large enough that the library's array loops run at full speed.
constexpr std::size_t kBlock = 4096;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kNaT = std::numeric_limits<std::int64_t>::min();
// The count written where an element is refused in coerce mode (valid says
// which); the texts and records get zeros, the times NaT.
constexpr std::uint32_t kCountSentinel = 0;

// The scale's first and last second as POSIX seconds, from the library
// itself rather than restated here.
const std::int64_t kFirstPosix = cvtFromSec1996_posix(0);
const std::int64_t kLastPosix = cvtFromSec1996_posix(UINT32_MAX);

// The library's own words for a time off the scale, with its two ends.
const char* outOfSpan() { return parseStatusText1996(SEC1996_PARSE_OUT_OF_SPAN); }

struct Refusal {
  std::size_t index;
  std::string reason;
};
using Outcome = std::optional<Refusal>;

py::object toPython(const Outcome& outcome) {
  if (!outcome) return py::none();
  return py::make_tuple(outcome->index, outcome->reason);
}

// ---- Buffers ---------------------------------------------------------------

std::size_t sizeOf(const py::array& a) { return static_cast<std::size_t>(a.size()); }

void requireContiguous(const py::array& a, const char* what) {
  if (!(a.flags() & py::array::c_style)) {
    throw py::value_error(std::string(what) + " must be C-contiguous");
  }
}

// The writable bytes of an output array of n elements of itemSize bytes.
char* outputBytes(py::array& out, std::size_t n, std::size_t itemSize, const char* what) {
  requireContiguous(out, what);
  if (sizeOf(out) != n || static_cast<std::size_t>(out.itemsize()) != itemSize) {
    throw py::value_error(std::string(what) + " has the wrong size or item size");
  }
  return static_cast<char*>(out.mutable_data());
}

// valid: None in raise mode, else a bool array of n elements.
std::uint8_t* validBytes(const py::object& valid, std::size_t n) {
  if (valid.is_none()) return nullptr;
  auto array = valid.cast<py::array>();
  if (!py::isinstance<py::array_t<bool>>(array)) throw py::value_error("valid must be bool");
  return reinterpret_cast<std::uint8_t*>(outputBytes(array, n, 1, "valid"));
}

// Calls f with a const T* to the data of an integer array of any width and
// signedness (native order, C-contiguous, as the Python layer prepares it).
template <class F>
decltype(auto) withIntegers(const py::array& a, F&& f) {
  requireContiguous(a, "an integer input");
#define SEC1996_TRY(T)                                          \
  if (py::isinstance<py::array_t<T>>(a)) {                      \
    return std::forward<F>(f)(static_cast<const T*>(a.data())); \
  }
  SEC1996_TRY(std::uint32_t)
  SEC1996_TRY(std::int64_t)
  SEC1996_TRY(std::int32_t)
  SEC1996_TRY(std::uint64_t)
  SEC1996_TRY(std::int16_t)
  SEC1996_TRY(std::uint16_t)
  SEC1996_TRY(std::int8_t)
  SEC1996_TRY(std::uint8_t)
  SEC1996_TRY(long long)
  SEC1996_TRY(unsigned long long)
#undef SEC1996_TRY
  throw py::type_error("expected a native-order integer array, got dtype " +
                       py::str(a.dtype()).cast<std::string>());
}

// ---- Counts in ---------------------------------------------------------------

template <class T>
constexpr bool isCount(T value) {
  if constexpr (std::is_signed_v<T>) {
    if (value < 0) return false;
  }
  return static_cast<std::uint64_t>(value) <= UINT32_MAX;
}

template <class T>
std::string countReason(T value) {
  if constexpr (std::is_signed_v<T>) {
    if (value < 0) return "negative; counts are 0 to 4294967295";
  }
  return "above 4294967295, the last count of the scale";
}

// Runs convert(counts, k, start) over the counts of in[0, n) in blocks; a
// refused count is converted as kCountSentinel and then blanked by
// blank(index).  uint32 input is converted in place, in one call.
template <class T, class Convert, class Blank>
Outcome overCounts(const T* in, std::size_t n, std::uint8_t* valid, Convert& convert,
                   Blank& blank) {
  if constexpr (std::is_same_v<T, std::uint32_t>) {
    convert(in, n, std::size_t{0});
    if (valid != nullptr) std::memset(valid, 1, n);
    return std::nullopt;
  } else {
    Outcome first;
    std::uint32_t block[kBlock];
    for (std::size_t start = 0; start < n; start += kBlock) {
      const std::size_t k = std::min(kBlock, n - start);
      const T* values = in + start;
      bool allCounts = true;
      for (std::size_t i = 0; i < k; ++i) {
        allCounts &= isCount(values[i]);
        block[i] = static_cast<std::uint32_t>(values[i]);
      }
      if (!allCounts) {
        for (std::size_t i = 0; i < k; ++i) {
          if (isCount(values[i])) continue;
          if (!first) first = Refusal{start + i, countReason(values[i])};
          if (valid == nullptr) return first;
          block[i] = kCountSentinel;
        }
      }
      convert(static_cast<const std::uint32_t*>(block), k, start);
      if (valid == nullptr) continue;
      for (std::size_t i = 0; i < k; ++i) {
        valid[start + i] = isCount(values[i]);
        if (!valid[start + i]) blank(start + i);
      }
    }
    return first;
  }
}

template <class Convert, class Blank>
Outcome withCounts(const py::array& counts, std::uint8_t* valid, Convert convert, Blank blank) {
  const std::size_t n = sizeOf(counts);
  return withIntegers(counts, [&](const auto* in) {
    py::gil_scoped_release release;
    return overCounts(in, n, valid, convert, blank);
  });
}

// counts -> POSIX seconds (the int64 behind datetime64[s]); NaT if refused.
py::object toPosix(const py::array& counts, py::array out, const py::object& valid) {
  const std::size_t n = sizeOf(counts);
  auto* seconds = reinterpret_cast<std::int64_t*>(outputBytes(out, n, 8, "out"));
  return toPython(withCounts(
      counts, validBytes(valid, n),
      [=](const std::uint32_t* in, std::size_t k, std::size_t start) {
        cvtFromSec1996_posix_n(in, k, seconds + start);
      },
      [=](std::size_t i) { seconds[i] = kNaT; }));
}

// counts -> 20-byte ISO 8601 texts back to back (numpy S20); empty if refused.
py::object toIso(const py::array& counts, py::array out, const py::object& valid) {
  const std::size_t n = sizeOf(counts);
  char* texts = outputBytes(out, n, SEC1996_ISO_LENGTH, "out");
  return toPython(withCounts(
      counts, validBytes(valid, n),
      [=](const std::uint32_t* in, std::size_t k, std::size_t start) {
        stringDate1996_iso_n(in, k, texts + start * SEC1996_ISO_LENGTH);
      },
      [=](std::size_t i) { std::memset(texts + i * SEC1996_ISO_LENGTH, 0, SEC1996_ISO_LENGTH); }));
}

// counts -> the library's 20-character text (S20); empty if refused.
py::object toText(const py::array& counts, py::array out, const py::object& valid) {
  constexpr std::size_t kLength = SEC1996_TEXT_SIZE - 1;  // without the zero
  const std::size_t n = sizeOf(counts);
  char* texts = outputBytes(out, n, kLength, "out");
  return toPython(withCounts(
      counts, validBytes(valid, n),
      [=](const std::uint32_t* in, std::size_t k, std::size_t start) {
        char text[SEC1996_TEXT_SIZE];
        for (std::size_t i = 0; i < k; ++i) {
          std::memcpy(texts + (start + i) * kLength, stringDate1996_r(in[i], text), kLength);
        }
      },
      [=](std::size_t i) { std::memset(texts + i * kLength, 0, kLength); }));
}

// counts -> Date1996 records, 23:59:60 on a leap second; zeros if refused.
py::object toFields(const py::array& counts, py::array out, const py::object& valid) {
  const std::size_t n = sizeOf(counts);
  auto* records = reinterpret_cast<Date1996*>(outputBytes(out, n, sizeof(Date1996), "out"));
  return toPython(withCounts(
      counts, validBytes(valid, n),
      [=](const std::uint32_t* in, std::size_t k, std::size_t start) {
        cvtFromSec1996_lossless_n(in, k, records + start);
      },
      [=](std::size_t i) { records[i] = Date1996{}; }));
}

// counts -> year and fractional day of the year; year 0 and NaN if refused.
py::object toYearDay(const py::array& counts, py::array years, py::array days,
                     const py::object& valid) {
  const std::size_t n = sizeOf(counts);
  auto* year = reinterpret_cast<std::int32_t*>(outputBytes(years, n, 4, "years"));
  auto* day = reinterpret_cast<double*>(outputBytes(days, n, 8, "days"));
  return toPython(withCounts(
      counts, validBytes(valid, n),
      [=](const std::uint32_t* in, std::size_t k, std::size_t start) {
        for (std::size_t i = 0; i < k; ++i) {
          const YearDay1996 yd = cvtFromSec1996_yd(in[i]);
          year[start + i] = yd.year;
          day[start + i] = yd.dayOfYear;
        }
      },
      [=](std::size_t i) {
        year[i] = 0;
        day[i] = std::numeric_limits<double>::quiet_NaN();
      }));
}

// counts -> whether each is a leap second; false if refused.
py::object leapMask(const py::array& counts, py::array out, const py::object& valid) {
  const std::size_t n = sizeOf(counts);
  auto* leap = reinterpret_cast<std::uint8_t*>(outputBytes(out, n, 1, "out"));
  return toPython(withCounts(
      counts, validBytes(valid, n),
      [=](const std::uint32_t* in, std::size_t k, std::size_t start) {
        for (std::size_t i = 0; i < k; ++i) {
          leap[start + i] = static_cast<std::uint8_t>(isLeapSecond1996(in[i]) != 0);
        }
      },
      [=](std::size_t i) { leap[i] = 0; }));
}

// ---- Times in ----------------------------------------------------------------

// floor(a / b) for b > 0.
template <class T>
constexpr T floorDiv(T a, T b) {
  const T q = a / b;
  return q - ((a % b != 0) && (a < 0) ? 1 : 0);
}

// The value of a datetime64 in POSIX seconds, or why it is refused.  A
// datetime64 value v of the array's unit is v * ratio.num / ratio.den
// seconds, num and den coprime: so it is a whole second exactly when den
// divides v, and then it is (v / den) * num.
struct SecondsRatio {
  std::int64_t num;
  std::int64_t den;
};

std::optional<const char*> posixOf(std::int64_t value, SecondsRatio ratio, std::int64_t& seconds) {
  if (value == kNaT) return "NaT";
  const std::int64_t units = floorDiv(value, ratio.den);
  if (units * ratio.den != value) return "not a whole second";
  std::int64_t whole = 0;
  if (__builtin_mul_overflow(units, ratio.num, &whole) || whole < kFirstPosix ||
      whole > kLastPosix) {
    return outOfSpan();
  }
  seconds = whole;
  return std::nullopt;
}

Outcome fromPosixLoop(const std::int64_t* in, std::size_t n, SecondsRatio ratio,
                      const std::uint8_t* leap, std::uint32_t* counts, std::uint8_t* valid) {
  Outcome first;
  std::int64_t block[kBlock];
  std::uint8_t accepted[kBlock];
  const auto refuse = [&](std::size_t index, const char* reason) {
    if (!first) first = Refusal{index, reason};
    return valid == nullptr;  // stop now in raise mode
  };
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t k = std::min(kBlock, n - start);
    bool allAccepted = true;
    for (std::size_t i = 0; i < k; ++i) {
      const auto reason = posixOf(in[start + i], ratio, block[i]);
      accepted[i] = !reason;
      if (!reason) continue;
      allAccepted = false;
      if (refuse(start + i, *reason)) return first;
      block[i] = kFirstPosix;
    }
    cvtToSec1996_posix_n(block, k, counts + start);
    for (std::size_t i = 0; leap != nullptr && i < k; ++i) {
      if (!leap[start + i] || !accepted[i]) continue;
      const Sec1996 next = counts[start + i] + 1;
      if (isLeapSecond1996(next)) {
        counts[start + i] = next;
        continue;
      }
      allAccepted = false;
      accepted[i] = 0;
      if (refuse(start + i, "marked as a leap second, but it is not the 23:59:59 before one")) {
        return first;
      }
    }
    if (valid == nullptr) continue;
    std::memcpy(valid + start, accepted, k);
    for (std::size_t i = 0; !allAccepted && i < k; ++i) {
      if (!accepted[i]) counts[start + i] = kCountSentinel;
    }
  }
  return first;
}

// datetime64 values (as int64 of any linear unit) -> counts.  Where leap[i]
// is set, element i must be the 23:59:59 just before a leap second and
// becomes that leap second.
py::object fromPosix(const py::array& times, std::int64_t ratioNum, std::int64_t ratioDen,
                     const py::object& leapMask, py::array out, const py::object& validMask) {
  if (ratioNum <= 0 || ratioDen <= 0) throw py::value_error("the unit ratio must be positive");
  if (!py::isinstance<py::array_t<std::int64_t, py::array::c_style>>(times)) {
    throw py::type_error("times must be C-contiguous int64");
  }
  const std::size_t n = sizeOf(times);
  auto* counts = reinterpret_cast<std::uint32_t*>(outputBytes(out, n, 4, "out"));
  std::uint8_t* valid = validBytes(validMask, n);
  const std::uint8_t* leap = nullptr;
  if (!leapMask.is_none()) {
    const auto leapArray = leapMask.cast<py::array>();
    if (!py::isinstance<py::array_t<bool, py::array::c_style>>(leapArray) ||
        sizeOf(leapArray) != n) {
      throw py::value_error("leap must be a C-contiguous bool array of the same size");
    }
    leap = static_cast<const std::uint8_t*>(leapArray.data());  // kept alive by leapMask
  }
  const auto* in = static_cast<const std::int64_t*>(times.data());
  Outcome outcome;
  {
    py::gil_scoped_release release;
    outcome = fromPosixLoop(in, n, SecondsRatio{ratioNum, ratioDen}, leap, counts, valid);
  }
  return toPython(outcome);
}

// ---- Records and days of the year in ------------------------------------------

// An integer column of any dtype read as int32, the dtype resolved once
// with the GIL held so that the blocks can be read without it.
struct IntColumn {
  const void* data;
  bool (*load)(const void* data, std::size_t start, std::size_t k, std::int32_t* out);
  bool (*fitsAt)(const void* data, std::size_t index);
};

template <class T>
constexpr bool fitsInt32(T value) {
  if constexpr (std::is_signed_v<T>) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
  } else {
    return value <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  }
}

template <class T>
struct IntColumnOf {
  // Every value as int32 into out; whether all of them fit.
  static bool load(const void* data, std::size_t start, std::size_t k, std::int32_t* out) {
    const T* in = static_cast<const T*>(data) + start;
    bool allFit = true;
    for (std::size_t i = 0; i < k; ++i) {
      allFit &= fitsInt32(in[i]);
      out[i] = static_cast<std::int32_t>(in[i]);
    }
    return allFit;
  }
  static bool fitsAt(const void* data, std::size_t index) {
    return fitsInt32(static_cast<const T*>(data)[index]);
  }
};

IntColumn intColumn(const py::array& a) {
  return withIntegers(a, [](const auto* data) {
    using T = std::remove_cv_t<std::remove_pointer_t<decltype(data)>>;
    return IntColumn{data, &IntColumnOf<T>::load, &IntColumnOf<T>::fitsAt};
  });
}

// The library wraps a result off the scale modulo 2^32.  Given the wrapped
// count and an estimate of the exact count that is right to within the
// scale's leap seconds (far less than 2^31), this is the exact count: the
// value congruent to the wrapped count nearest the estimate.
constexpr std::int64_t exactCount(std::uint32_t wrapped, std::int64_t estimate) {
  const auto difference =
      static_cast<std::uint32_t>(wrapped - static_cast<std::uint32_t>(estimate));
  return estimate + static_cast<std::int32_t>(difference);
}
static_assert(exactCount(UINT32_MAX, -1) == -1);
static_assert(exactCount(0, std::int64_t{1} << 32) == std::int64_t{1} << 32);
static_assert(exactCount(5, 4) == 5);

constexpr bool onScale(std::int64_t exact) { return exact >= 0 && exact <= UINT32_MAX; }

constexpr const char* kFieldNames[6] = {"year", "mon", "day", "hour", "min", "sec"};
constexpr std::int32_t Date1996::*kFieldMembers[6] = {&Date1996::year, &Date1996::mon,
                                                      &Date1996::day,  &Date1996::hour,
                                                      &Date1996::min,  &Date1996::sec};

Outcome fromFieldsLoop(const IntColumn (&columns)[6], std::size_t n, std::uint32_t* counts,
                       std::uint8_t* valid) {
  Outcome first;
  Date1996 records[kBlock];
  std::int32_t column[kBlock];
  std::uint8_t fits[kBlock];
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t k = std::min(kBlock, n - start);
    std::memset(fits, 1, k);
    for (int f = 0; f < 6; ++f) {
      if (!columns[f].load(columns[f].data, start, k, column)) {
        for (std::size_t i = 0; i < k; ++i)
          fits[i] &= columns[f].fitsAt(columns[f].data, start + i);
      }
      for (std::size_t i = 0; i < k; ++i) records[i].*kFieldMembers[f] = column[i];
    }
    cvtToSec1996_n(records, k, counts + start);
    for (std::size_t i = 0; i < k; ++i) {
      std::string reason;
      if (!fits[i]) {
        int f = 0;
        while (columns[f].fitsAt(columns[f].data, start + i)) ++f;
        reason = std::string(kFieldNames[f]) + " does not fit in int32, the library's field type";
      } else if (!onScale(sec1996::exact_count(records[i]))) {
        reason = outOfSpan();
      } else {
        continue;
      }
      if (!first) first = Refusal{start + i, reason};
      if (valid == nullptr) return first;
      valid[start + i] = 0;
      counts[start + i] = kCountSentinel;
    }
  }
  return first;
}

// Six integer columns of one size -> counts, with cvtToSec1996's rules, and
// every record whose exact count lies off the scale refused.
py::object fromFields(const py::tuple& fields, py::array out, const py::object& validMask) {
  if (fields.size() != 6) throw py::value_error("expected six field arrays");
  const std::size_t n = sizeOf(out);
  IntColumn columns[6];
  for (int f = 0; f < 6; ++f) {
    const auto a = fields[f].cast<py::array>();
    if (sizeOf(a) != n) throw py::value_error("the field arrays differ in size");
    columns[f] = intColumn(a);
  }
  auto* counts = reinterpret_cast<std::uint32_t*>(outputBytes(out, n, 4, "out"));
  std::uint8_t* valid = validBytes(validMask, n);
  if (valid != nullptr) std::memset(valid, 1, n);
  Outcome outcome;
  {
    py::gil_scoped_release release;
    outcome = fromFieldsLoop(columns, n, counts, valid);
  }
  return toPython(outcome);
}

// Beyond this many days cvtToSec1996_yd clamps its argument.
constexpr double kDayLimit = 2147483648.0;

const char* dayRefusal(double day) {
  if (std::isnan(day)) return "the day of the year is NaN";
  if (std::isinf(day)) return "the day of the year is infinite";
  if (day < -kDayLimit || day > kDayLimit) return "the day of the year is beyond +-2^31";
  return nullptr;
}

Outcome fromYearDayLoop(const IntColumn& years, const double* days, std::size_t n,
                        std::uint32_t* counts, std::uint8_t* valid) {
  Outcome first;
  std::int32_t year[kBlock];
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t k = std::min(kBlock, n - start);
    const bool yearsFit = years.load(years.data, start, k, year);
    for (std::size_t i = 0; i < k; ++i) {
      const double day = days[start + i];
      const char* reason = nullptr;
      if (!yearsFit && !years.fitsAt(years.data, start + i)) {
        reason = "year does not fit in int32, the library's field type";
      } else if ((reason = dayRefusal(day)) == nullptr) {
        const Sec1996 count = cvtToSec1996_yd(day, year[i]);
        // 1 January of the year plus the day's offset in seconds: right to a
        // second or two, which is all exactCount needs.
        const std::int64_t januaryFirst = sec1996::exact_count({year[i], 1, 1, 0, 0, 0});
        const auto estimate = static_cast<std::int64_t>(std::floor(
            static_cast<double>(januaryFirst) + (day - 1.0) * static_cast<double>(kSecondsPerDay)));
        if (onScale(exactCount(count, estimate))) {
          counts[start + i] = count;
          continue;
        }
        reason = outOfSpan();
      }
      if (!first) first = Refusal{start + i, reason};
      if (valid == nullptr) return first;
      valid[start + i] = 0;
      counts[start + i] = kCountSentinel;
    }
  }
  return first;
}

// Years (any integer dtype) and float64 days of the year -> counts, with
// cvtToSec1996_yd's rounding, refusing what it would clamp or wrap.
py::object fromYearDay(const py::array& years, const py::array& days, py::array out,
                       const py::object& validMask) {
  const std::size_t n = sizeOf(out);
  if (!py::isinstance<py::array_t<double, py::array::c_style>>(days) || sizeOf(days) != n ||
      sizeOf(years) != n) {
    throw py::value_error("days must be C-contiguous float64, years and days of one size");
  }
  const IntColumn yearColumn = intColumn(years);
  const auto* day = static_cast<const double*>(days.data());
  auto* counts = reinterpret_cast<std::uint32_t*>(outputBytes(out, n, 4, "out"));
  std::uint8_t* valid = validBytes(validMask, n);
  if (valid != nullptr) std::memset(valid, 1, n);
  Outcome outcome;
  {
    py::gil_scoped_release release;
    outcome = fromYearDayLoop(yearColumn, day, n, counts, valid);
  }
  return toPython(outcome);
}

// ---- ISO 8601 texts in -----------------------------------------------------

// The reason parseDate1996_iso gives, with the offset of the refused part in
// characters (the parser's offset is in bytes of the UTF-8 text).
std::string parseReason(Sec1996ParseStatus status, const char* text, std::size_t byteOffset) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < byteOffset; ++i) {
    characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;  // not a continuation
  }
  return std::string(parseStatusText1996(status)) + " (at offset " + std::to_string(characters) +
         ")";
}

// Parses one text into counts[index]; the reason if it is refused.
std::optional<std::string> parseOne(const char* text, std::size_t length, Sec1996& count) {
  std::size_t offset = 0;
  const Sec1996ParseStatus status = parseDate1996_iso(text, length, &count, &offset);
  if (status == SEC1996_PARSE_OK) return std::nullopt;
  return parseReason(status, text, offset);
}

// The length of a numpy fixed-width string: numpy pads with zeros at the end
// and strips them when it reads the element back.
template <class Unit>
std::size_t paddedLength(const Unit* element, std::size_t width) {
  while (width > 0 && element[width - 1] == 0) --width;
  return width;
}

// UTF-8 of a numpy unicode element (UCS-4), as Python would encode the str
// (a lone surrogate gets the three bytes of its code point).
void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

template <class Text>
Outcome fromTextsLoop(std::size_t n, std::uint32_t* counts, std::uint8_t* valid, Text textOf) {
  Outcome first;
  for (std::size_t i = 0; i < n; ++i) {
    Sec1996 count = 0;
    const auto [text, length, refusal] = textOf(i);
    std::optional<std::string> reason = refusal;
    if (!reason) reason = parseOne(text, length, count);
    if (!reason) {
      counts[i] = count;
      continue;
    }
    if (!first) first = Refusal{i, *reason};
    if (valid == nullptr) return first;
    valid[i] = 0;
    counts[i] = kCountSentinel;
  }
  return first;
}

struct TextView {
  const char* text;
  std::size_t length;
  std::optional<std::string> refusal;
};

// ISO 8601 texts (numpy bytes S, unicode U, or objects that are str or
// bytes) -> counts, strictly as parseDate1996_iso reads them.
py::object fromIso(const py::array& texts, py::array out, const py::object& validMask) {
  requireContiguous(texts, "texts");
  const std::size_t n = sizeOf(texts);
  auto* counts = reinterpret_cast<std::uint32_t*>(outputBytes(out, n, 4, "out"));
  std::uint8_t* valid = validBytes(validMask, n);
  if (valid != nullptr) std::memset(valid, 1, n);
  const char kind = texts.dtype().kind();
  const auto width = static_cast<std::size_t>(texts.itemsize());
  Outcome outcome;
  if (kind == 'S') {
    const auto* data = static_cast<const char*>(texts.data());
    py::gil_scoped_release release;
    outcome = fromTextsLoop(n, counts, valid, [&](std::size_t i) {
      const char* element = data + i * width;
      return TextView{element, paddedLength(element, width), std::nullopt};
    });
  } else if (kind == 'U') {
    const auto* data = static_cast<const std::uint32_t*>(texts.data());
    const std::size_t units = width / 4;
    std::string utf8;
    py::gil_scoped_release release;
    outcome = fromTextsLoop(n, counts, valid, [&](std::size_t i) {
      const std::uint32_t* element = data + i * units;
      utf8.clear();
      for (std::size_t u = 0, length = paddedLength(element, units); u < length; ++u) {
        appendUtf8(utf8, element[u]);
      }
      return TextView{utf8.data(), utf8.size(), std::nullopt};
    });
  } else if (kind == 'O') {
    const auto* objects = static_cast<PyObject* const*>(texts.data());
    outcome = fromTextsLoop(n, counts, valid, [&](std::size_t i) {
      PyObject* object = objects[i];
      if (PyBytes_Check(object)) {
        return TextView{PyBytes_AS_STRING(object),
                        static_cast<std::size_t>(PyBytes_GET_SIZE(object)), std::nullopt};
      }
      if (PyUnicode_Check(object)) {
        Py_ssize_t length = 0;
        const char* text = PyUnicode_AsUTF8AndSize(object, &length);
        if (text != nullptr) return TextView{text, static_cast<std::size_t>(length), std::nullopt};
        PyErr_Clear();  // a lone surrogate: no UTF-8, and no valid text either
        return TextView{nullptr, 0, std::string(parseStatusText1996(SEC1996_PARSE_SYNTAX))};
      }
      return TextView{nullptr, 0,
                      std::string("not a str or bytes but ") + Py_TYPE(object)->tp_name};
    });
  } else {
    throw py::type_error("texts must be a numpy bytes, str or object array");
  }
  return toPython(outcome);
}

// ---- The single-value functions, for the tests -----------------------------

py::tuple tupleOf(const Date1996& d) {
  return py::make_tuple(d.year, d.mon, d.day, d.hour, d.min, d.sec);
}

void defineSingleValueFunctions(py::module_& c) {
  c.def("cvtFromSec1996", [](Sec1996 count) { return tupleOf(cvtFromSec1996(count)); });
  c.def("cvtFromSec1996_lossless",
        [](Sec1996 count) { return tupleOf(cvtFromSec1996_lossless(count)); });
  c.def("cvtToSec1996", [](std::int32_t year, std::int32_t mon, std::int32_t day, std::int32_t hour,
                           std::int32_t min, std::int32_t sec) {
    return cvtToSec1996(Date1996{year, mon, day, hour, min, sec});
  });
  c.def("cvtFromSec1996_yd", [](Sec1996 count) {
    const YearDay1996 yd = cvtFromSec1996_yd(count);
    return py::make_tuple(yd.year, yd.dayOfYear);
  });
  c.def("cvtToSec1996_yd", &cvtToSec1996_yd, py::arg("dayOfYear"), py::arg("year"));
  c.def("stringDate1996_r", [](Sec1996 count) {
    char text[SEC1996_TEXT_SIZE];
    return py::bytes(stringDate1996_r(count, text));
  });
  c.def("stringDate1996_iso", [](Sec1996 count) {
    char text[SEC1996_ISO_SIZE];
    return py::bytes(stringDate1996_iso(count, text));
  });
  c.def("parseDate1996_iso", [](const py::bytes& text) {
    const std::string bytes = text;
    Sec1996 count = 0;
    std::size_t offset = 0;
    const Sec1996ParseStatus status =
        parseDate1996_iso(bytes.data(), bytes.size(), &count, &offset);
    return py::make_tuple(static_cast<int>(status), count, offset);
  });
  c.def("parseStatusText1996",
        [](int status) { return parseStatusText1996(static_cast<Sec1996ParseStatus>(status)); });
  c.def("cvtFromSec1996_posix", &cvtFromSec1996_posix);
  c.def("cvtToSec1996_posix", &cvtToSec1996_posix);
  c.def("isLeapSecond1996", [](Sec1996 count) { return isLeapSecond1996(count) != 0; });
}

}  // namespace

PYBIND11_MODULE(_ext, m) {
  m.doc() =
      "Array kernels of the sec1996 package over the Sec1996 C library; use the sec1996 "
      "module, which prepares their arguments.";
  m.attr("__version__") = SEC1996_VERSION;
  m.attr("COUNT_SENTINEL") = kCountSentinel;
  m.attr("FIRST_POSIX") = kFirstPosix;
  m.attr("LAST_POSIX") = kLastPosix;
  m.def("to_posix", &toPosix);
  m.def("to_iso", &toIso);
  m.def("to_text", &toText);
  m.def("to_fields", &toFields);
  m.def("to_year_day", &toYearDay);
  m.def("leap_mask", &leapMask);
  m.def("from_posix", &fromPosix);
  m.def("from_fields", &fromFields);
  m.def("from_year_day", &fromYearDay);
  m.def("from_iso", &fromIso);
  py::module_ c = m.def_submodule(
      "c", "The library's single-value functions, as the tests compare the kernels with them.");
  defineSingleValueFunctions(c);
}
