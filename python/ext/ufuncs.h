// ufuncs.h - what the units of the sec1996 extension module share: the
// strided-loop helpers, the count-in loop machinery and the ufunc table
// entry.  Each unit (sec1996_ext.cpp and its siblings) keeps its own loops
// and table and registers them through addUfuncs; sec1996_ext.cpp holds the
// module's init, which calls every unit's registration.
#ifndef SEC1996_PYTHON_EXT_UFUNCS_H
#define SEC1996_PYTHON_EXT_UFUNCS_H

#define PY_SSIZE_T_CLEAN
#include <Python.h>
#define NPY_NO_DEPRECATED_API NPY_1_7_API_VERSION
// One numpy API table for the whole module, imported by the init unit.
#define PY_ARRAY_UNIQUE_SYMBOL sec1996_ext_ARRAY_API
#define PY_UFUNC_UNIQUE_SYMBOL sec1996_ext_UFUNC_API
#ifndef SEC1996_EXT_INIT_UNIT
#define NO_IMPORT_ARRAY
#define NO_IMPORT_UFUNC
#endif
#include <numpy/arrayobject.h>
#include <numpy/ufuncobject.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "timescale/sec1996.h"
#include "timescale/sec1996_scales.h"

namespace sec1996_ext {

using Status = std::int16_t;

// Elements per block: the scratch of a block stays in L1, and the library's
// array forms run at full speed over it.
inline constexpr npy_intp kBlock = 256;
inline constexpr std::int64_t kNaT = std::numeric_limits<std::int64_t>::min();
inline constexpr std::size_t kIsoLength = SEC1996_ISO_LENGTH;
inline constexpr std::size_t kTextLength = SEC1996_TEXT_SIZE - 1;  // without the zero
// The longest text element read: longer ones are refused unread.
inline constexpr npy_intp kMaxText = 64;

template <class T>
T& at(char* base, npy_intp step, npy_intp i) {
  return *reinterpret_cast<T*>(base + step * i);
}

template <class T>
T load(const char* base, npy_intp step, npy_intp i) {
  T value;
  std::memcpy(&value, base + step * i, sizeof value);
  return value;
}

// ---- Counts in ---------------------------------------------------------------

// A count of any input dtype: integers must lie in 0..2^32-1, floats must
// also be whole numbers (a float64 column of counts with NaN for a missing
// value is what pandas makes of a CSV file).
template <class T>
Sec1996ParseStatus countOf(T value, Sec1996& count) {
  static_assert(SEC1996_PARSE_OK == 0);
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(value)) return SEC1996_PARSE_NOT_A_NUMBER;
    if (value < 0.0 || value > 4294967295.0) return SEC1996_PARSE_OUT_OF_SPAN;
    if (value != std::floor(value)) return SEC1996_PARSE_FRACTION;
  } else if constexpr (std::is_signed_v<T>) {
    if (value < 0 || value > T{UINT32_MAX}) return SEC1996_PARSE_OUT_OF_SPAN;
  } else {
    if (value > T{UINT32_MAX}) return SEC1996_PARSE_OUT_OF_SPAN;
  }
  count = static_cast<Sec1996>(value);
  return SEC1996_PARSE_OK;
}

// A block of k counts of type T into counts; true when every element is a
// count, else codes[i] says which are not (and their count is 0).  The
// common case, every element a count, runs in a loop without branches; the
// element-by-element checks only for a block that fails.
template <class T>
bool gatherCounts(const char* in, npy_intp step, npy_intp k, Sec1996* counts, Status* codes) {
  if constexpr (!std::is_floating_point_v<T>) {
    const auto gather = [&](auto valueAt) {
      bool all = true;
      for (npy_intp i = 0; i < k; ++i) {
        const T value = valueAt(i);
        if constexpr (std::is_signed_v<T>) {
          all &= value >= 0 && value <= T{UINT32_MAX};
        } else {
          all &= value <= T{UINT32_MAX};
        }
        counts[i] = static_cast<Sec1996>(value);
      }
      return all;
    };
    bool all = false;
    if (step == sizeof(T)) {  // contiguous: a loop the compiler vectorises
      const T* values = reinterpret_cast<const T*>(in);
      all = gather([values](npy_intp i) { return values[i]; });
    } else {
      all = gather([&](npy_intp i) { return load<T>(in, step, i); });
    }
    if (all) return true;
  }
  for (npy_intp i = 0; i < k; ++i) {
    codes[i] = static_cast<Status>(countOf(load<T>(in, step, i), counts[i]));
    if (codes[i] != SEC1996_PARSE_OK) counts[i] = 0;
  }
  return false;
}

// One conversion from counts.  Convert::outputs value outputs follow the
// count in args; convert() writes elements [start, start + k) from a block
// of counts, blank() the fixed value of a refused element, and whole() may
// convert a whole contiguous uint32 run at once (returning false if not).
template <class T, class Convert>
void countsLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  const npy_intp n = dims[0];
  constexpr int kStatusArg = 1 + Convert::outputs;
  char* status = args[kStatusArg];
  const npy_intp statusStep = steps[kStatusArg];
  if constexpr (std::is_same_v<T, Sec1996>) {
    if (steps[0] == sizeof(Sec1996) &&
        Convert::whole(reinterpret_cast<const Sec1996*>(args[0]), n, args, dims, steps)) {
      if (statusStep == 0) {  // one status for all, as a caller that needs none passes it
        if (n > 0) at<Status>(status, 0, 0) = SEC1996_PARSE_OK;
      } else if (statusStep == sizeof(Status)) {
        std::memset(status, 0, static_cast<std::size_t>(n) * sizeof(Status));  // OK is 0
      } else {
        for (npy_intp i = 0; i < n; ++i) at<Status>(status, statusStep, i) = SEC1996_PARSE_OK;
      }
      return;
    }
  }
  Sec1996 counts[kBlock];
  Status codes[kBlock];
  for (npy_intp start = 0; start < n; start += kBlock) {
    const npy_intp k = std::min(kBlock, n - start);
    const char* in = args[0] + steps[0] * start;
    const bool allCounts = gatherCounts<T>(in, steps[0], k, counts, codes);
    Convert::convert(counts, k, start, args, dims, steps);
    if (allCounts && statusStep == sizeof(Status)) {
      std::memset(status + statusStep * start, 0, static_cast<std::size_t>(k) * sizeof(Status));
      continue;
    }
    for (npy_intp i = 0; i < k; ++i) {
      const Status code = allCounts ? Status{SEC1996_PARSE_OK} : codes[i];
      if (code != SEC1996_PARSE_OK) Convert::blank(start + i, args, dims, steps);
      at<Status>(status, statusStep, start + i) = code;
    }
  }
}

struct NoWhole {
  static bool whole(const Sec1996*, npy_intp, char**, const npy_intp*, const npy_intp*) {
    return false;
  }
};

// The length of a numpy fixed-width string: numpy pads with zeros at the end
// and strips them when it reads the element back.
template <class Unit>
npy_intp paddedLength(const char* element, npy_intp width, npy_intp step) {
  while (width > 0 && load<Unit>(element, step, width - 1) == 0) --width;
  return width;
}

// Loops of the count-in ufuncs, by input dtype: numpy takes the first one
// its input casts to safely, so uint32 runs unconverted, every other integer
// dtype but uint64 as int64, and floats as float64.
template <class Convert>
struct CountLoops {
  static inline PyUFuncGenericFunction functions[4] = {
      &countsLoop<npy_uint32, Convert>, &countsLoop<npy_int64, Convert>,
      &countsLoop<npy_uint64, Convert>, &countsLoop<double, Convert>};
};

struct UfuncEntry {
  const char* name;
  PyUFuncGenericFunction* functions;
  char* types;
  int ntypes;
  int nin;
  int nout;
  const char* signature;  // null for an element-wise ufunc
  const char* doc;
};

// The data pointers of a ufunc's loops: none of them takes any.
inline void* kNoData[16] = {};
// Adds the ufuncs of a table to the module; false with a Python error set.
bool addUfuncs(PyObject* module, const UfuncEntry* entries, std::size_t count);

// The bytes of a text object: a bytes object as it is, a str in UTF-8
// (SEC1996_PARSE_OK, bytes and length set).  None, NaN and pandas' NA
// (anything that is not text and equals nothing) give
// SEC1996_PARSE_NOT_A_NUMBER, any other object notText.  With the GIL held.
inline Sec1996ParseStatus objectText(PyObject* object, Sec1996ParseStatus notText,
                                     const char*& bytes, Py_ssize_t& length) {
  if (object != nullptr && PyBytes_Check(object)) {
    bytes = PyBytes_AS_STRING(object);
    length = PyBytes_GET_SIZE(object);
    return SEC1996_PARSE_OK;
  }
  if (object != nullptr && PyUnicode_Check(object)) {
    bytes = PyUnicode_AsUTF8AndSize(object, &length);
    if (bytes != nullptr) return SEC1996_PARSE_OK;
    PyErr_Clear();  // a lone surrogate: not a valid text either
    return notText;
  }
  if (object == nullptr || object == Py_None ||
      (PyFloat_Check(object) && std::isnan(PyFloat_AS_DOUBLE(object)))) {
    return SEC1996_PARSE_NOT_A_NUMBER;
  }
  if (PyObject_RichCompareBool(object, object, Py_EQ) != 1) {  // pandas.NA and kin
    PyErr_Clear();
    return SEC1996_PARSE_NOT_A_NUMBER;
  }
  return notText;
}

// The registrations of the units other than sec1996_ext.cpp's own.
bool addPatternUfuncs(PyObject* module);  // patterns.cpp
bool addScalesUfuncs(PyObject* module);   // scales.cpp: true time
bool addCcsdsUfuncs(PyObject* module);    // ccsds.cpp

// The leap-second list a ufunc's int64 list id names (scales.cpp's registry;
// id 0, the default table, is a null pointer); false when no list has that
// id.  Safe without the GIL.
bool leapListOf(std::int64_t id, const Sec1996LeapList*& list);

}  // namespace sec1996_ext

// The input and output dtypes of a count-in ufunc's four loops (see
// CountLoops): the count's dtype, then the outputs given, then the status.
#define SEC1996_COUNT_TYPES(...)                                                                  \
  NPY_UINT32, __VA_ARGS__, NPY_INT16, NPY_INT64, __VA_ARGS__, NPY_INT16, NPY_UINT64, __VA_ARGS__, \
      NPY_INT16, NPY_DOUBLE, __VA_ARGS__, NPY_INT16

#define SEC1996_COUNT_IN                                                                 \
  "count: Sec1996 counts, any integer dtype (0 to 4294967295) or whole float64 numbers " \
  "(NaN refused).\n"
#define SEC1996_STATUS_OUT \
  "status: int16 Sec1996ParseStatus codes, 0 where the element was converted.\n"

// The list and mapping inputs of the true-time ufuncs, and their status.
#define SEC1996_LIST_IN                                                                     \
  "list: int64 id of a leap-second list (sec1996.LeapList.id; 0 the default table); an id " \
  "no list has gives status 21 (LIST_NOT_FOUND).\n"
#define SEC1996_MAP_IN                                                                    \
  "map: bool, a real leap second the scale lacks gives the count of the 23:59:59 before " \
  "it (still with status 15, LEAP_NOT_ON_SCALE) instead of 0.\n"
#define SEC1996_SCALE_STATUS                                                                 \
  SEC1996_STATUS_OUT                                                                         \
  "16 (LIST_EXPIRED) is a warning: the value is given, past the list's expiry, assuming no " \
  "further leap second.\n"

#endif  // SEC1996_PYTHON_EXT_UFUNCS_H
