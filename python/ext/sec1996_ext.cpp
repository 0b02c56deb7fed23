// sec1996_ext.cpp - the numpy ufuncs of the sec1996 Python package.
//
// Every element-wise conversion is a numpy ufunc made with numpy's C API.
// Its strided inner loops call the library's public C functions, or its
// array forms a block of elements at a time.  Each ufunc has a last output
// of per-element Sec1996ParseStatus codes (int16): SEC1996_PARSE_OK where
// the element was converted, else the library's reason, and then a fixed
// value in the other outputs (NaT, zero bytes, zero fields, year 0 and a NaN
// day, count 0).  numpy supplies broadcasting, out=, where=, any strides and
// the choice of loop by dtype; it releases the GIL around every loop here
// but the one over Python objects.
//
// Texts are gufuncs with a core dimension of code units (uint8 for numpy's
// S dtype, uint32 for U), which the Python layer views as S20/U20 or as the
// caller's strings without a copy.
//
// The module also holds a few of the library's single-value functions, for
// the package's error messages and its tests.  Only the public headers are
// used, as any user of the library would use them.
#define SEC1996_EXT_INIT_UNIT
#include "ufuncs.h"

#include "timescale/sec1996.hpp"

#ifndef SEC1996_VERSION
#error "SEC1996_VERSION must be defined by the build (setup.py reads it from CMakeLists.txt)"
#endif

namespace {

using namespace sec1996_ext;

struct ToPosix : NoWhole {
  static constexpr int outputs = 1;
  static bool whole(const Sec1996* in, npy_intp n, char** args, const npy_intp*,
                    const npy_intp* steps) {
    if (steps[1] != sizeof(std::int64_t)) return false;
    cvtFromSec1996_posix_n(in, static_cast<std::size_t>(n),
                           reinterpret_cast<std::int64_t*>(args[1]));
    return true;
  }
  static void convert(const Sec1996* counts, npy_intp k, npy_intp start, char** args,
                      const npy_intp*, const npy_intp* steps) {
    if (steps[1] == sizeof(std::int64_t)) {  // straight into a contiguous output
      cvtFromSec1996_posix_n(counts, static_cast<std::size_t>(k),
                             reinterpret_cast<std::int64_t*>(args[1]) + start);
      return;
    }
    std::int64_t seconds[kBlock];
    cvtFromSec1996_posix_n(counts, static_cast<std::size_t>(k), seconds);
    for (npy_intp i = 0; i < k; ++i) at<std::int64_t>(args[1], steps[1], start + i) = seconds[i];
  }
  static void blank(npy_intp i, char** args, const npy_intp*, const npy_intp* steps) {
    at<std::int64_t>(args[1], steps[1], i) = kNaT;
  }
};

struct LeapMask : NoWhole {
  static constexpr int outputs = 1;
  static void convert(const Sec1996* counts, npy_intp k, npy_intp start, char** args,
                      const npy_intp*, const npy_intp* steps) {
    for (npy_intp i = 0; i < k; ++i) {
      at<npy_bool>(args[1], steps[1], start + i) = isLeapSecond1996(counts[i]) != 0;
    }
  }
  static void blank(npy_intp i, char** args, const npy_intp*, const npy_intp* steps) {
    at<npy_bool>(args[1], steps[1], i) = 0;
  }
};

// Texts of kLength code units of type Unit; the core stride is steps[3]
// (after the outer strides of count, text and status).
template <class Unit, std::size_t kLength>
void scatterText(const char* text, npy_intp i, char** args, const npy_intp* steps) {
  char* element = args[1] + steps[1] * i;
  for (std::size_t c = 0; c < kLength; ++c) {
    at<Unit>(element, steps[3], static_cast<npy_intp>(c)) =
        static_cast<Unit>(static_cast<unsigned char>(text[c]));
  }
}

template <class Unit, std::size_t kLength>
void blankText(npy_intp i, char** args, const npy_intp*, const npy_intp* steps) {
  char* element = args[1] + steps[1] * i;
  for (std::size_t c = 0; c < kLength; ++c) at<Unit>(element, steps[3], c) = 0;
}

template <class Unit>
struct ToIso {
  static constexpr int outputs = 1;
  static bool whole(const Sec1996* in, npy_intp n, char** args, const npy_intp*,
                    const npy_intp* steps) {
    if (!std::is_same_v<Unit, npy_uint8> || steps[1] != npy_intp{kIsoLength} || steps[3] != 1) {
      return false;
    }
    stringDate1996_iso_n(in, static_cast<std::size_t>(n), args[1]);
    return true;
  }
  static void convert(const Sec1996* counts, npy_intp k, npy_intp start, char** args,
                      const npy_intp*, const npy_intp* steps) {
    if (std::is_same_v<Unit, npy_uint8> && steps[1] == npy_intp{kIsoLength} && steps[3] == 1) {
      stringDate1996_iso_n(counts, static_cast<std::size_t>(k), args[1] + start * kIsoLength);
      return;
    }
    char texts[kBlock * kIsoLength];
    stringDate1996_iso_n(counts, static_cast<std::size_t>(k), texts);
    for (npy_intp i = 0; i < k; ++i) {
      scatterText<Unit, kIsoLength>(texts + i * kIsoLength, start + i, args, steps);
    }
  }
  static constexpr auto blank = blankText<Unit, kIsoLength>;
};

template <class Unit>
struct ToText : NoWhole {
  static constexpr int outputs = 1;
  static void convert(const Sec1996* counts, npy_intp k, npy_intp start, char** args,
                      const npy_intp*, const npy_intp* steps) {
    char text[SEC1996_TEXT_SIZE];
    for (npy_intp i = 0; i < k; ++i) {
      scatterText<Unit, kTextLength>(stringDate1996_r(counts[i], text), start + i, args, steps);
    }
  }
  static constexpr auto blank = blankText<Unit, kTextLength>;
};

constexpr std::int32_t Date1996::*kFields[6] = {&Date1996::year, &Date1996::mon, &Date1996::day,
                                                &Date1996::hour, &Date1996::min, &Date1996::sec};

struct ToFields {
  static constexpr int outputs = 6;
  // Whether the six outputs are the fields of one array of Date1996 records
  // (a contiguous FIELDS_DTYPE array), written then by the array form itself.
  static bool records(char** args, const npy_intp* steps) {
    for (int f = 0; f < 6; ++f) {
      if (steps[1 + f] != npy_intp{sizeof(Date1996)} ||
          args[1 + f] != args[1] + static_cast<std::ptrdiff_t>(f * sizeof(std::int32_t))) {
        return false;
      }
    }
    return alignof(Date1996) == alignof(std::int32_t) && sizeof(Date1996) == 6 * 4;
  }
  static bool whole(const Sec1996* in, npy_intp n, char** args, const npy_intp*,
                    const npy_intp* steps) {
    if (!records(args, steps)) return false;
    cvtFromSec1996_lossless_n(in, static_cast<std::size_t>(n),
                              reinterpret_cast<Date1996*>(args[1]));
    return true;
  }
  static void convert(const Sec1996* counts, npy_intp k, npy_intp start, char** args,
                      const npy_intp*, const npy_intp* steps) {
    if (records(args, steps)) {
      cvtFromSec1996_lossless_n(counts, static_cast<std::size_t>(k),
                                reinterpret_cast<Date1996*>(args[1]) + start);
      return;
    }
    Date1996 records[kBlock];
    cvtFromSec1996_lossless_n(counts, static_cast<std::size_t>(k), records);
    for (int f = 0; f < 6; ++f) {
      for (npy_intp i = 0; i < k; ++i) {
        at<std::int32_t>(args[1 + f], steps[1 + f], start + i) = records[i].*kFields[f];
      }
    }
  }
  static void blank(npy_intp i, char** args, const npy_intp*, const npy_intp* steps) {
    for (int f = 0; f < 6; ++f) at<std::int32_t>(args[1 + f], steps[1 + f], i) = 0;
  }
};

struct ToYearDay : NoWhole {
  static constexpr int outputs = 2;
  static void convert(const Sec1996* counts, npy_intp k, npy_intp start, char** args,
                      const npy_intp*, const npy_intp* steps) {
    for (npy_intp i = 0; i < k; ++i) {
      const YearDay1996 yd = cvtFromSec1996_yd(counts[i]);
      at<std::int32_t>(args[1], steps[1], start + i) = yd.year;
      at<double>(args[2], steps[2], start + i) = yd.dayOfYear;
    }
  }
  static void blank(npy_intp i, char** args, const npy_intp*, const npy_intp* steps) {
    at<std::int32_t>(args[1], steps[1], i) = 0;
    at<double>(args[2], steps[2], i) = std::numeric_limits<double>::quiet_NaN();
  }
};

// ---- Times in ----------------------------------------------------------------

// floor(a / b) for b > 0.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && (a < 0) ? 1 : 0);
}
static_assert(floorDiv(-1, 1000) == -1 && floorDiv(-1000, 1000) == -1 && floorDiv(999, 1000) == 0);

// A datetime64 value v of a unit of num/den seconds (num, den > 0 and
// coprime) as a count.  v is a whole second exactly when den divides it;
// otherwise it is refused, or floored when floor is set.  Where leap is set,
// v must be the 23:59:59 just before a leap second, and gives that leap
// second.
Sec1996ParseStatus fromTime(std::int64_t value, std::int64_t num, std::int64_t den, bool leap,
                            bool floor, Sec1996& count) {
  if (value == kNaT) return SEC1996_PARSE_NOT_A_NUMBER;
  if (num <= 0 || den <= 0) return SEC1996_PARSE_FIELD_RANGE;
  const std::int64_t units = floorDiv(value, den);
  if (units * den != value && !floor) return SEC1996_PARSE_FRACTION;
  std::int64_t seconds = 0;
  if (__builtin_mul_overflow(units, num, &seconds)) return SEC1996_PARSE_OUT_OF_SPAN;
  Sec1996 result = 0;
  const Sec1996ParseStatus status = cvtToSec1996_posix_checked(seconds, &result);
  if (status != SEC1996_PARSE_OK) return status;
  if (leap) {
    if (result == UINT32_MAX || !isLeapSecond1996(result + 1)) {
      return SEC1996_PARSE_NOT_LEAP_SECOND;
    }
    ++result;
  }
  count = result;
  return SEC1996_PARSE_OK;
}

// (value int64, num int64, den int64, leap bool, floor bool) -> (count, status)
void fromTimeLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  for (npy_intp i = 0; i < dims[0]; ++i) {
    Sec1996 count = 0;
    const Sec1996ParseStatus status =
        fromTime(load<std::int64_t>(args[0], steps[0], i), load<std::int64_t>(args[1], steps[1], i),
                 load<std::int64_t>(args[2], steps[2], i), load<npy_bool>(args[3], steps[3], i),
                 load<npy_bool>(args[4], steps[4], i), count);
    at<Sec1996>(args[5], steps[5], i) = count;
    at<Status>(args[6], steps[6], i) = static_cast<Status>(status);
  }
}

// ---- ISO 8601 texts in -----------------------------------------------------

// A text of length bytes as a count by parseDate1996_iso, with a fraction
// of a second (".d..." before the optional Z) refused as such, or dropped
// when floor is set.  *offset gets the parser's offset of a refusal.
Sec1996ParseStatus parseText(char* text, std::size_t length, bool floor, Sec1996& count,
                             std::size_t& offset) {
  constexpr std::size_t kSeconds = 19;  // "YYYY-MM-DDTHH:MM:SS"
  if (length > kSeconds + 1 && text[kSeconds] == '.') {
    std::size_t end = kSeconds + 1;
    while (end < length && text[end] >= '0' && text[end] <= '9') ++end;
    const bool fraction =
        end > kSeconds + 1 && (end == length || (end + 1 == length && text[end] == 'Z'));
    if (fraction) {
      std::size_t shortened = kSeconds;
      if (end < length) text[shortened++] = 'Z';
      Sec1996 whole = 0;
      const Sec1996ParseStatus status = parseDate1996_iso(text, shortened, &whole, &offset);
      if (status != SEC1996_PARSE_OK) return status;
      if (!floor) {
        offset = kSeconds;
        return SEC1996_PARSE_FRACTION;
      }
      count = whole;
      return SEC1996_PARSE_OK;
    }
  }
  return parseDate1996_iso(text, length, &count, &offset);
}

// Element i of a from_iso loop, one text at a time.  A character beyond
// ASCII (in a U text), never part of a valid text, reaches the parser as the
// byte 0xFF.
template <class Unit>
void fromIsoElement(char** args, const npy_intp* dims, const npy_intp* steps, npy_intp i) {
  const npy_intp width = dims[1];
  const npy_intp unitStep = steps[4];
  const char* element = args[0] + steps[0] * i;
  const npy_intp length = paddedLength<Unit>(element, width, unitStep);
  Sec1996 count = 0;
  Sec1996ParseStatus status = SEC1996_PARSE_SYNTAX;
  if (length <= kMaxText) {
    char text[kMaxText];
    for (npy_intp c = 0; c < length; ++c) {
      const Unit unit = load<Unit>(element, unitStep, c);
      text[c] = static_cast<char>(unit < 0x80 ? unit : 0xFF);
    }
    std::size_t offset = 0;
    status = parseText(text, static_cast<std::size_t>(length), load<npy_bool>(args[1], steps[1], i),
                       count, offset);
  }
  at<Sec1996>(args[2], steps[2], i) = status == SEC1996_PARSE_OK ? count : 0;
  at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
}

// (code units [n], floor bool) -> (count, status).  Unit: uint8 for S texts,
// uint32 (UCS-4) for U texts.  A block at a time, the texts go to the array
// form parseDate1996_iso_n: straight from a contiguous S array, through a
// block of bytes from any other layout.  What it accepts is final, as long
// as nothing but padding follows the text (it reads a text up to its first
// zero byte; the per-element path reads an embedded zero and refuses it);
// everything else, a fraction of a second among it, is read again one text
// at a time, so every element gets exactly the per-element answer.
template <class Unit>
void fromIsoLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  const npy_intp n = dims[0];
  const npy_intp width = dims[1];
  const npy_intp unitStep = steps[4];
  const bool direct = std::is_same_v<Unit, npy_uint8> && unitStep == 1 && steps[0] == width;
  if (width == 0 || (!direct && width > kMaxText)) {
    for (npy_intp i = 0; i < n; ++i) fromIsoElement<Unit>(args, dims, steps, i);
    return;
  }
  const auto w = static_cast<std::size_t>(width);
  char gathered[kBlock * kMaxText];
  Sec1996 counts[kBlock];
  Sec1996ParseStatus codes[kBlock];
  for (npy_intp start = 0; start < n; start += kBlock) {
    const npy_intp k = std::min(kBlock, n - start);
    const char* texts = args[0] + steps[0] * start;
    if (!direct) {
      for (npy_intp i = 0; i < k; ++i) {
        const char* element = texts + steps[0] * i;
        char* to = gathered + static_cast<std::size_t>(i) * w;
        for (npy_intp c = 0; c < width; ++c) {
          const Unit unit = load<Unit>(element, unitStep, c);
          to[c] = static_cast<char>(unit < 0x80 ? unit : 0xFF);
        }
      }
      texts = gathered;
    }
    const std::size_t refused =
        parseDate1996_iso_n(texts, static_cast<std::size_t>(k), w, counts, codes);
    const bool tails = w > kIsoLength;  // room for bytes after an accepted text
    if (refused == 0 && !tails && steps[2] == sizeof(Sec1996) && steps[3] == sizeof(Status)) {
      std::memcpy(args[2] + steps[2] * start, counts,
                  static_cast<std::size_t>(k) * sizeof counts[0]);
      std::memset(args[3] + steps[3] * start, 0, static_cast<std::size_t>(k) * sizeof(Status));
      continue;
    }
    for (npy_intp i = 0; i < k; ++i) {
      bool final = codes[i] == SEC1996_PARSE_OK;
      if (final && tails) {  // an accepted text ends by byte 20: the rest must be padding
        const char* text = texts + static_cast<std::size_t>(i) * w;
        for (std::size_t c = kIsoLength; c < w && final; ++c) final = text[c] == 0;
      }
      if (!final) {
        fromIsoElement<Unit>(args, dims, steps, start + i);
        continue;
      }
      at<Sec1996>(args[2], steps[2], start + i) = counts[i];
      at<Status>(args[3], steps[3], start + i) = SEC1996_PARSE_OK;
    }
  }
}

// (object, floor bool) -> (count, status): str or bytes; None, NaN and
// pandas' NA (anything that is not text and equals nothing) give
// SEC1996_PARSE_NOT_A_NUMBER, any other object SEC1996_PARSE_SYNTAX.  Runs
// with the GIL held, as numpy holds it for object loops.
void fromIsoObjectLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  char text[kMaxText];
  for (npy_intp i = 0; i < dims[0]; ++i) {
    const char* bytes = nullptr;
    Py_ssize_t length = 0;
    Sec1996ParseStatus status =
        objectText(load<PyObject*>(args[0], steps[0], i), SEC1996_PARSE_SYNTAX, bytes, length);
    if (status == SEC1996_PARSE_OK) status = SEC1996_PARSE_SYNTAX;  // unless read below
    Sec1996 count = 0;
    if (bytes != nullptr && length <= kMaxText) {
      std::memcpy(text, bytes, static_cast<std::size_t>(length));
      std::size_t offset = 0;
      status = parseText(text, static_cast<std::size_t>(length),
                         load<npy_bool>(args[1], steps[1], i), count, offset);
    }
    at<Sec1996>(args[2], steps[2], i) = status == SEC1996_PARSE_OK ? count : 0;
    at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
  }
}

// ---- Records and days of the year in ----------------------------------------

template <class T>
constexpr bool fitsInt32(T value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

constexpr bool onScale(std::int64_t exact) {
  return exact >= 0 && exact <= std::int64_t{UINT32_MAX};
}

// (year, mon, day, hour, min, sec of type T, strict bool) -> (count, status).
// strict: cvtToSec1996_checked's rules, a record must name a real second.
// Otherwise cvtToSec1996's normalisation (month 13, 23:59:60 of any day,
// ...), with every record whose exact count lies off the scale refused
// rather than wrapped.  A value beyond int32 is SEC1996_PARSE_FIELD_RANGE.
template <class T>
void fromFieldsLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  const npy_intp n = dims[0];
  Date1996 records[kBlock];
  Sec1996 counts[kBlock];
  Sec1996ParseStatus codes[kBlock];
  bool fits[kBlock];
  for (npy_intp start = 0; start < n; start += kBlock) {
    const npy_intp k = std::min(kBlock, n - start);
    bool allFit = true;
    bool anyStrict = false;
    bool allStrict = true;
    for (npy_intp i = 0; i < k; ++i) {
      fits[i] = true;
      for (int f = 0; f < 6; ++f) {
        const T value = load<T>(args[f], steps[f], start + i);
        fits[i] = fits[i] && fitsInt32(value);
        records[i].*kFields[f] = static_cast<std::int32_t>(value);
      }
      allFit = allFit && fits[i];
      const bool strict = load<npy_bool>(args[6], steps[6], start + i);
      anyStrict = anyStrict || strict;
      allStrict = allStrict && strict;
    }
    if (allStrict) {
      cvtToSec1996_checked_n(records, static_cast<std::size_t>(k), counts, codes);
    } else {
      cvtToSec1996_n(records, static_cast<std::size_t>(k), counts);
      for (npy_intp i = 0; i < k; ++i) {
        if (anyStrict && load<npy_bool>(args[6], steps[6], start + i)) {
          codes[i] = cvtToSec1996_checked(records[i], &counts[i]);
        } else {
          codes[i] = onScale(sec1996::exact_count(records[i])) ? SEC1996_PARSE_OK
                                                               : SEC1996_PARSE_OUT_OF_SPAN;
        }
      }
    }
    for (npy_intp i = 0; i < k; ++i) {
      if (!allFit && !fits[i]) codes[i] = SEC1996_PARSE_FIELD_RANGE;
      at<Sec1996>(args[7], steps[7], start + i) = codes[i] == SEC1996_PARSE_OK ? counts[i] : 0;
      at<Status>(args[8], steps[8], start + i) = static_cast<Status>(codes[i]);
    }
  }
}

// Beyond this many days cvtToSec1996_yd clamps its argument.
constexpr double kDayLimit = 2147483648.0;

// The day of the year of cvtToSec1996_yd, refusing what it would read as
// 1.0 (NaN), clamp (beyond +-2^31 days) or wrap (off the scale).
Sec1996ParseStatus fromYearDay(std::int32_t year, double day, Sec1996& count) {
  if (!std::isfinite(day)) return SEC1996_PARSE_NOT_A_NUMBER;
  if (day < -kDayLimit || day > kDayLimit) return SEC1996_PARSE_FIELD_RANGE;
  const Sec1996 wrapped = cvtToSec1996_yd(day, year);
  // 1 January of the year plus the day's offset in seconds: right to a
  // second or two, far closer than the 2^31 that tells the exact count from
  // the wrapped one.
  const std::int64_t januaryFirst = sec1996::exact_count({year, 1, 1, 0, 0, 0});
  const auto estimate = static_cast<std::int64_t>(
      std::floor(static_cast<double>(januaryFirst) + (day - 1.0) * 86400.0));
  const auto difference =
      static_cast<std::uint32_t>(wrapped - static_cast<std::uint32_t>(estimate));
  if (!onScale(estimate + static_cast<std::int32_t>(difference))) return SEC1996_PARSE_OUT_OF_SPAN;
  count = wrapped;
  return SEC1996_PARSE_OK;
}

// (year of type T, day float64, strict bool) -> (count, status).  strict:
// cvtToSec1996_yd_checked, the day must lie within its year.
template <class T>
void fromYearDayLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  for (npy_intp i = 0; i < dims[0]; ++i) {
    const T year = load<T>(args[0], steps[0], i);
    const double day = load<double>(args[1], steps[1], i);
    Sec1996 count = 0;
    Sec1996ParseStatus status = SEC1996_PARSE_FIELD_RANGE;
    if (fitsInt32(year)) {
      status = load<npy_bool>(args[2], steps[2], i)
                   ? cvtToSec1996_yd_checked(day, static_cast<std::int32_t>(year), &count)
                   : fromYearDay(static_cast<std::int32_t>(year), day, count);
    }
    at<Sec1996>(args[3], steps[3], i) = status == SEC1996_PARSE_OK ? count : 0;
    at<Status>(args[4], steps[4], i) = static_cast<Status>(status);
  }
}

// ---- The ufuncs --------------------------------------------------------------

char kToPosixTypes[] = {SEC1996_COUNT_TYPES(NPY_INT64)};
char kLeapTypes[] = {SEC1996_COUNT_TYPES(NPY_BOOL)};
char kTextTypes[] = {SEC1996_COUNT_TYPES(NPY_UINT8)};
char kTextUTypes[] = {SEC1996_COUNT_TYPES(NPY_UINT32)};
char kFieldsTypes[] = {
    SEC1996_COUNT_TYPES(NPY_INT32, NPY_INT32, NPY_INT32, NPY_INT32, NPY_INT32, NPY_INT32)};
char kYearDayTypes[] = {SEC1996_COUNT_TYPES(NPY_INT32, NPY_DOUBLE)};

PyUFuncGenericFunction kFromTimeFunctions[] = {&fromTimeLoop};
char kFromTimeTypes[] = {NPY_INT64, NPY_INT64,  NPY_INT64, NPY_BOOL,
                         NPY_BOOL,  NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kFromIsoFunctions[] = {&fromIsoLoop<npy_uint8>, &fromIsoLoop<npy_uint32>};
char kFromIsoTypes[] = {NPY_UINT8,  NPY_BOOL, NPY_UINT32, NPY_INT16,
                        NPY_UINT32, NPY_BOOL, NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kFromIsoObjectFunctions[] = {&fromIsoObjectLoop};
char kFromIsoObjectTypes[] = {NPY_OBJECT, NPY_BOOL, NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kFromFieldsFunctions[] = {&fromFieldsLoop<npy_int32>,
                                                 &fromFieldsLoop<npy_int64>};
char kFromFieldsTypes[] = {NPY_INT32, NPY_INT32,  NPY_INT32, NPY_INT32, NPY_INT32,  NPY_INT32,
                           NPY_BOOL,  NPY_UINT32, NPY_INT16, NPY_INT64, NPY_INT64,  NPY_INT64,
                           NPY_INT64, NPY_INT64,  NPY_INT64, NPY_BOOL,  NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kFromYearDayFunctions[] = {&fromYearDayLoop<npy_int32>,
                                                  &fromYearDayLoop<npy_int64>};
char kFromYearDayTypes[] = {NPY_INT32, NPY_DOUBLE, NPY_BOOL, NPY_UINT32, NPY_INT16,
                            NPY_INT64, NPY_DOUBLE, NPY_BOOL, NPY_UINT32, NPY_INT16};

const UfuncEntry kUfuncs[] = {
    {"to_posix", CountLoops<ToPosix>::functions, kToPosixTypes, 4, 1, 2, nullptr,
     "to_posix(count) -> (seconds, status)\n\n" SEC1996_COUNT_IN
     "seconds: int64 POSIX seconds (datetime64[s] as int64); the leap second gives 23:59:59 "
     "of its day; NaT's value where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.to_posix([0, 47260800, -1])\n"
     "(array([  820454400,   867715199, -9223372036854775808]), array([0, 0, 5], "
     "dtype=int16))\n"},
    {"is_leap_second", CountLoops<LeapMask>::functions, kLeapTypes, 4, 1, 2, nullptr,
     "is_leap_second(count) -> (leap, status)\n\n" SEC1996_COUNT_IN
     "leap: bool, True on a leap second of the scale's table; False where "
     "refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.is_leap_second(47260800)\n(True, 0)\n"},
    {"to_iso", CountLoops<ToIso<npy_uint8>>::functions, kTextTypes, 4, 1, 2, "()->(20),()",
     "to_iso(count) -> (text, status)\n\n" SEC1996_COUNT_IN
     "text: uint8[20], the ASCII bytes of YYYY-MM-DDTHH:MM:SSZ (view as S20); zeros where "
     "refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> text, status = sec1996.ufunc.to_iso(47260800)\n"
     ">>> text.view('S20')[0], status\n(b'1997-06-30T23:59:60Z', 0)\n"},
    {"to_iso_u", CountLoops<ToIso<npy_uint32>>::functions, kTextUTypes, 4, 1, 2, "()->(20),()",
     "to_iso_u(count) -> (text, status)\n\nto_iso with uint32 (UCS-4) code units: view as "
     "U20.\n\n"
     ">>> text, status = sec1996.ufunc.to_iso_u(0)\n"
     ">>> str(text.view('U20')[0])\n'1996-01-01T00:00:00Z'\n"},
    {"to_text", CountLoops<ToText<npy_uint8>>::functions, kTextTypes, 4, 1, 2, "()->(20),()",
     "to_text(count) -> (text, status)\n\n" SEC1996_COUNT_IN
     "text: uint8[20], the bytes of stringDate1996's DD-Mon-YYYY HH:MM:SS (view as "
     "S20).\n" SEC1996_STATUS_OUT "\n"
     ">>> text, status = sec1996.ufunc.to_text(47260801)\n"
     ">>> text.view('S20')[0]\nb'01-Jul-1997 00:00:00'\n"},
    {"to_text_u", CountLoops<ToText<npy_uint32>>::functions, kTextUTypes, 4, 1, 2, "()->(20),()",
     "to_text_u(count) -> (text, status)\n\nto_text with uint32 (UCS-4) code units: view as "
     "U20.\n\n"
     ">>> text, status = sec1996.ufunc.to_text_u(0)\n"
     ">>> str(text.view('U20')[0])\n'01-Jan-1996 00:00:00'\n"},
    {"to_fields", CountLoops<ToFields>::functions, kFieldsTypes, 4, 1, 7, nullptr,
     "to_fields(count) -> (year, mon, day, hour, min, sec, status)\n\n" SEC1996_COUNT_IN
     "year ... sec: int32 fields of cvtFromSec1996_lossless, second 60 on the leap second; "
     "zeros where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.to_fields(47260800)\n(1997, 6, 30, 23, 59, 60, 0)\n"},
    {"to_year_day", CountLoops<ToYearDay>::functions, kYearDayTypes, 4, 1, 3, nullptr,
     "to_year_day(count) -> (year, day, status)\n\n" SEC1996_COUNT_IN
     "year: int32, day: float64, as cvtFromSec1996_yd gives them; 0 and NaN where "
     "refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.to_year_day(0)\n(1996, 1.0, 0)\n"},
    {"from_time", kFromTimeFunctions, kFromTimeTypes, 1, 5, 2, nullptr,
     "from_time(value, num, den, leap, floor) -> (count, status)\n\n"
     "value: int64 times of num/den seconds each since 1970-01-01 (datetime64 as int64; "
     "num and den positive and coprime).\n"
     "leap: bool, the time is the 23:59:59 before a leap second and gives that leap second.\n"
     "floor: bool, a fraction of a second is floored instead of refused.\n"
     "count: uint32, 0 where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.from_time(867715199500, 1, 1000, True, True)\n(47260800, 0)\n"},
    {"from_iso", kFromIsoFunctions, kFromIsoTypes, 2, 2, 2, "(n),()->(),()",
     "from_iso(text, floor) -> (count, status)\n\n"
     "text: code units, uint8 (an S array viewed as uint8) or uint32 (a U array); trailing "
     "zeros are padding.\n"
     "floor: bool, a fraction of a second (.d...) is floored instead of refused.\n"
     "count: uint32, 0 where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> import numpy as np\n"
     ">>> sec1996.ufunc.from_iso(np.frombuffer(b'1997-06-30T23:59:60Z', np.uint8), False)\n"
     "(47260800, 0)\n"},
    {"from_iso_object", kFromIsoObjectFunctions, kFromIsoObjectTypes, 1, 2, 2, nullptr,
     "from_iso_object(text, floor) -> (count, status)\n\n"
     "from_iso over Python objects: str or bytes; None, NaN and pandas.NA give status 6 "
     "(not a number), other objects 1.\n\n"
     ">>> import numpy as np\n"
     ">>> sec1996.ufunc.from_iso_object(np.array(['1996-01-01T00:00:01', None], object), "
     "False)\n"
     "(array([1, 0], dtype=uint32), array([0, 6], dtype=int16))\n"},
    {"from_fields", kFromFieldsFunctions, kFromFieldsTypes, 2, 7, 2, nullptr,
     "from_fields(year, mon, day, hour, min, sec, strict) -> (count, status)\n\n"
     "Integer fields (each fitting int32).  strict: the record must name a real second "
     "(cvtToSec1996_checked); otherwise it is normalised as cvtToSec1996 does and refused "
     "only off the scale.\n"
     "count: uint32, 0 where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.from_fields(1997, 13, 1, 0, 0, 0, [False, True])\n"
     "(array([63158401,        0], dtype=uint32), array([0, 2], dtype=int16))\n"},
    {"from_year_day", kFromYearDayFunctions, kFromYearDayTypes, 2, 3, 2, nullptr,
     "from_year_day(year, day, strict) -> (count, status)\n\n"
     "year: integers fitting int32; day: float64 day of the year from 1 with a fraction, "
     "rounded as cvtToSec1996_yd rounds it.  strict: the day must lie in its year "
     "(cvtToSec1996_yd_checked); otherwise days run on past the year's ends.\n"
     "count: uint32, 0 where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> sec1996.ufunc.from_year_day(1997, 182.0, False)\n(47260801, 0)\n"},
};

// ---- Single-value functions ----------------------------------------------

bool countArgument(PyObject* args, Sec1996& count) {
  long long value = 0;
  if (!PyArg_ParseTuple(args, "L", &value)) return false;
  if (value < 0 || value > static_cast<long long>(UINT32_MAX)) {
    PyErr_SetString(PyExc_OverflowError, "a count is 0 to 4294967295");
    return false;
  }
  count = static_cast<Sec1996>(value);
  return true;
}

PyObject* recordTuple(const Date1996& d) {
  return Py_BuildValue("(iiiiii)", d.year, d.mon, d.day, d.hour, d.min, d.sec);
}

PyObject* statusCount(Sec1996ParseStatus status, Sec1996 count) {
  return Py_BuildValue("(ik)", static_cast<int>(status), static_cast<unsigned long>(count));
}

PyObject* pyParseIso(PyObject*, PyObject* args) {
  const char* text = nullptr;
  Py_ssize_t length = 0;
  if (!PyArg_ParseTuple(args, "y#", &text, &length)) return nullptr;
  Sec1996 count = 0;
  std::size_t offset = 0;
  const Sec1996ParseStatus status =
      parseDate1996_iso(text, static_cast<std::size_t>(length), &count, &offset);
  return Py_BuildValue("(ikn)", static_cast<int>(status), static_cast<unsigned long>(count),
                       static_cast<Py_ssize_t>(offset));
}

PyObject* pyParseText(PyObject*, PyObject* args) {
  const char* text = nullptr;
  Py_ssize_t length = 0;
  int floor = 0;
  if (!PyArg_ParseTuple(args, "y#p", &text, &length, &floor)) return nullptr;
  char copy[kMaxText];
  Sec1996 count = 0;
  std::size_t offset = 0;
  Sec1996ParseStatus status = SEC1996_PARSE_SYNTAX;
  if (length <= kMaxText) {
    std::memcpy(copy, text, static_cast<std::size_t>(length));
    status = parseText(copy, static_cast<std::size_t>(length), floor != 0, count, offset);
  }
  return Py_BuildValue("(ikn)", static_cast<int>(status), static_cast<unsigned long>(count),
                       static_cast<Py_ssize_t>(offset));
}

PyObject* pyStatusText(PyObject*, PyObject* args) {
  int status = 0;
  if (!PyArg_ParseTuple(args, "i", &status)) return nullptr;
  return PyUnicode_FromString(parseStatusText1996(static_cast<Sec1996ParseStatus>(status)));
}

PyObject* pyLeapSeconds(PyObject*, PyObject*) {
  const Sec1996* entries = nullptr;
  const std::size_t n = leapSeconds1996(&entries);
  PyObject* table = PyTuple_New(static_cast<Py_ssize_t>(n));
  if (table == nullptr) return nullptr;
  for (std::size_t i = 0; i < n; ++i) {
    PyTuple_SET_ITEM(table, static_cast<Py_ssize_t>(i), PyLong_FromUnsignedLong(entries[i]));
  }
  return table;
}

PyObject* pyIsLeapSecond(PyObject*, PyObject* args) {
  Sec1996 count = 0;
  if (!countArgument(args, count)) return nullptr;
  return PyBool_FromLong(isLeapSecond1996(count));
}

PyObject* pyFromLossless(PyObject*, PyObject* args) {
  Sec1996 count = 0;
  if (!countArgument(args, count)) return nullptr;
  return recordTuple(cvtFromSec1996_lossless(count));
}

PyObject* pyFromYd(PyObject*, PyObject* args) {
  Sec1996 count = 0;
  if (!countArgument(args, count)) return nullptr;
  const YearDay1996 yd = cvtFromSec1996_yd(count);
  return Py_BuildValue("(id)", yd.year, yd.dayOfYear);
}

PyObject* pyToYd(PyObject*, PyObject* args) {
  double day = 0;
  int year = 0;
  if (!PyArg_ParseTuple(args, "di", &day, &year)) return nullptr;
  return PyLong_FromUnsignedLong(cvtToSec1996_yd(day, year));
}

PyObject* pyToYdChecked(PyObject*, PyObject* args) {
  double day = 0;
  int year = 0;
  if (!PyArg_ParseTuple(args, "di", &day, &year)) return nullptr;
  Sec1996 count = 0;
  const Sec1996ParseStatus status = cvtToSec1996_yd_checked(day, year, &count);
  return statusCount(status, count);
}

bool recordArgument(PyObject* args, Date1996& d) {
  return PyArg_ParseTuple(args, "iiiiii", &d.year, &d.mon, &d.day, &d.hour, &d.min, &d.sec) != 0;
}

PyObject* pyToSec(PyObject*, PyObject* args) {
  Date1996 d{};
  if (!recordArgument(args, d)) return nullptr;
  return PyLong_FromUnsignedLong(cvtToSec1996(d));
}

PyObject* pyToSecChecked(PyObject*, PyObject* args) {
  Date1996 d{};
  if (!recordArgument(args, d)) return nullptr;
  Sec1996 count = 0;
  const Sec1996ParseStatus status = cvtToSec1996_checked(d, &count);
  return statusCount(status, count);
}

PyObject* pyText(PyObject*, PyObject* args) {
  Sec1996 count = 0;
  if (!countArgument(args, count)) return nullptr;
  char text[SEC1996_TEXT_SIZE];
  return PyBytes_FromString(stringDate1996_r(count, text));
}

PyObject* pyIso(PyObject*, PyObject* args) {
  Sec1996 count = 0;
  if (!countArgument(args, count)) return nullptr;
  char text[SEC1996_ISO_SIZE];
  return PyBytes_FromString(stringDate1996_iso(count, text));
}

PyObject* pyFromPosix(PyObject*, PyObject* args) {
  Sec1996 count = 0;
  if (!countArgument(args, count)) return nullptr;
  return PyLong_FromLongLong(cvtFromSec1996_posix(count));
}

PyObject* pyToPosixChecked(PyObject*, PyObject* args) {
  long long seconds = 0;
  if (!PyArg_ParseTuple(args, "L", &seconds)) return nullptr;
  Sec1996 count = 0;
  const Sec1996ParseStatus status = cvtToSec1996_posix_checked(seconds, &count);
  return statusCount(status, count);
}

PyMethodDef kMethods[] = {
    {"parseDate1996_iso", pyParseIso, METH_VARARGS,
     "parseDate1996_iso(text: bytes) -> (status, count, offset)."},
    {"parse_text", pyParseText, METH_VARARGS,
     "parse_text(text: bytes, floor: bool) -> (status, count, offset): what from_iso does with "
     "one text, for its error messages."},
    {"status_text", pyStatusText, METH_VARARGS, "status_text(code) -> parseStatusText1996."},
    {"leap_seconds", pyLeapSeconds, METH_NOARGS,
     "leap_seconds() -> the entries of leapSeconds1996 (the midnights after each leap second)."},
    {"isLeapSecond1996", pyIsLeapSecond, METH_VARARGS, nullptr},
    {"cvtFromSec1996_lossless", pyFromLossless, METH_VARARGS, nullptr},
    {"cvtFromSec1996_yd", pyFromYd, METH_VARARGS, nullptr},
    {"cvtToSec1996_yd", pyToYd, METH_VARARGS, nullptr},
    {"cvtToSec1996_yd_checked", pyToYdChecked, METH_VARARGS, nullptr},
    {"cvtToSec1996", pyToSec, METH_VARARGS, nullptr},
    {"cvtToSec1996_checked", pyToSecChecked, METH_VARARGS, nullptr},
    {"stringDate1996_r", pyText, METH_VARARGS, nullptr},
    {"stringDate1996_iso", pyIso, METH_VARARGS, nullptr},
    {"cvtFromSec1996_posix", pyFromPosix, METH_VARARGS, nullptr},
    {"cvtToSec1996_posix_checked", pyToPosixChecked, METH_VARARGS, nullptr},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef kModule = {PyModuleDef_HEAD_INIT,
                       "_ext",
                       "The numpy ufuncs of the sec1996 package over the Sec1996 C library "
                       "(public as sec1996.ufunc), and a few of its single-value functions.",
                       -1,
                       kMethods,
                       nullptr,
                       nullptr,
                       nullptr,
                       nullptr};

struct StatusName {
  const char* name;
  Sec1996ParseStatus code;
};

#define SEC1996_STATUS(name) \
  { #name, SEC1996_PARSE_##name }
const StatusName kStatusNames[] = {
    SEC1996_STATUS(OK),
    SEC1996_STATUS(SYNTAX),
    SEC1996_STATUS(FIELD_RANGE),
    SEC1996_STATUS(NO_SUCH_DATE),
    SEC1996_STATUS(NOT_LEAP_SECOND),
    SEC1996_STATUS(OUT_OF_SPAN),
    SEC1996_STATUS(NOT_A_NUMBER),
    SEC1996_STATUS(FRACTION),
    SEC1996_STATUS(OFFSET),
    SEC1996_STATUS(PATTERN),
    SEC1996_STATUS(BUFFER_TOO_SMALL),
    SEC1996_STATUS(TRUNCATED),
    SEC1996_STATUS(RESERVED),
    SEC1996_STATUS(WRONG_CODE),
    SEC1996_STATUS(BAD_DIGIT),
    SEC1996_STATUS(LEAP_NOT_ON_SCALE),
    SEC1996_STATUS(LIST_EXPIRED),
    SEC1996_STATUS(LIST_SYNTAX),
    SEC1996_STATUS(LIST_HASH),
    SEC1996_STATUS(LIST_ORDER),
    SEC1996_STATUS(LIST_STEP),
    SEC1996_STATUS(LIST_NOT_FOUND),
    SEC1996_STATUS(CONFLICT),
    SEC1996_STATUS(MISMATCH),
    SEC1996_STATUS(OTHER_LAYOUT),
};
#undef SEC1996_STATUS

}  // namespace

bool sec1996_ext::addUfuncs(PyObject* module, const UfuncEntry* entries, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const UfuncEntry& entry = entries[i];
    PyObject* ufunc =
        entry.signature == nullptr
            ? PyUFunc_FromFuncAndData(entry.functions, kNoData, entry.types, entry.ntypes,
                                      entry.nin, entry.nout, PyUFunc_None, entry.name, entry.doc, 0)
            : PyUFunc_FromFuncAndDataAndSignature(entry.functions, kNoData, entry.types,
                                                  entry.ntypes, entry.nin, entry.nout, PyUFunc_None,
                                                  entry.name, entry.doc, 0, entry.signature);
    if (ufunc == nullptr || PyModule_AddObject(module, entry.name, ufunc) < 0) {
      Py_XDECREF(ufunc);
      return false;
    }
  }
  return true;
}

PyMODINIT_FUNC PyInit__ext() {
  import_array();
  import_umath();
  PyObject* module = PyModule_Create(&kModule);
  if (module == nullptr) return nullptr;
  PyObject* codes = PyDict_New();
  bool ok = codes != nullptr;
  for (const StatusName& status : kStatusNames) {
    PyObject* value = ok ? PyLong_FromLong(status.code) : nullptr;
    ok = value != nullptr && PyDict_SetItemString(codes, status.name, value) == 0;
    Py_XDECREF(value);
  }
  if (ok && PyModule_AddObject(module, "STATUS_CODES", codes) == 0) codes = nullptr;  // stolen
  if (codes != nullptr || PyModule_AddStringConstant(module, "__version__", SEC1996_VERSION) < 0 ||
      !sec1996_ext::addUfuncs(module, kUfuncs, std::size(kUfuncs)) ||
      !sec1996_ext::addPatternUfuncs(module) || !sec1996_ext::addScalesUfuncs(module) ||
      !sec1996_ext::addCcsdsUfuncs(module)) {
    Py_XDECREF(codes);
    Py_DECREF(module);
    return nullptr;
  }
  return module;
}
