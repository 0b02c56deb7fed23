// ccsds.cpp - the CCSDS time codes CUC, CDS and CCS as numpy gufuncs.
//
// An encoder is (count, fraction, layout[k]) -> (code[n], status) and a
// decoder (code[n], layout[k], padded) -> (count, fraction, status), over
// the library's array forms a block of elements at a time.  The layout is an
// int64 vector, the members of the C struct in their order; numpy broadcasts
// it, so that one layout beside a column of counts is read once and its
// block runs through one call of the array form.  A layout that varies from
// element to element is taken element by element.
//
// Widths.  The core dimension n of the codes is the caller's: an encoder
// refuses every element unless n is the layout's code length (shorter:
// SEC1996_PARSE_BUFFER_TOO_SMALL, longer: SEC1996_PARSE_OTHER_LAYOUT).  A
// decoder given n octets where the layout has L refuses a short element with
// SEC1996_PARSE_TRUNCATED and a long one with SEC1996_PARSE_OTHER_LAYOUT,
// except where padded is set (numpy's S dtype, which drops trailing zero
// octets): there an element is its octets followed by zeros, so a short one
// is completed with zeros and a long one is taken when its octets past L are
// all zero.  No octet past an element's n is read.
//
// Decoders of Python objects take bytes or bytearray of exactly the code's
// length, and numpy's bytes scalars (the elements of S arrays, zero octets
// dropped) as padded (with the GIL held, as numpy holds it for object
// loops); None, NaN
// and pandas' NA give SEC1996_PARSE_NOT_A_NUMBER, any other object
// SEC1996_PARSE_SYNTAX.
//
// With the P-field, a code of another layout of the same code is refused
// with SEC1996_PARSE_OTHER_LAYOUT, as the array forms refuse it; a P-field of
// another code, or a reserved one, with the single-value decoder's status
// (SEC1996_PARSE_WRONG_CODE, SEC1996_PARSE_RESERVED, ...).
//
// CUC level 1 (TAI seconds since 1958) takes a leap-second list besides its
// layout: the encoder one more input, the list's int64 id, and the decoder
// two, the id and the bool that maps a leap second the scale lacks to the
// 23:59:59 before it.  They are looked up in scales.cpp's registry; an id no
// list has refuses its elements with SEC1996_PARSE_LIST_NOT_FOUND.  A run of
// one layout is also a run of one list and flag.  The warnings of true time
// (SEC1996_PARSE_LIST_EXPIRED, a mapped SEC1996_PARSE_LEAP_NOT_ON_SCALE)
// come with their results, as the library's array forms give them.
#include "ufuncs.h"

#include <iterator>

#include "timescale/sec1996_ccsds.h"

namespace {

using namespace sec1996_ext;

constexpr std::size_t kMaxCode = SEC1996_CCSDS_MAX_SIZE;

// What a code is converted with besides its layout (Context, read from
// kEncodeInputs / kDecodeInputs more ufunc inputs): nothing, for the codes of
// the scale's own calendar and epoch.
struct NoContext {
  bool operator==(const NoContext&) const = default;
};

struct Plain {
  using Context = NoContext;
  static constexpr int kEncodeInputs = 0, kDecodeInputs = 0;
  static Context contextAt(char* const*, const npy_intp*, int, int, npy_intp) { return {}; }
  static Sec1996ParseStatus prepare(Context&) { return SEC1996_PARSE_OK; }
};

struct Cuc : Plain {
  using Layout = Sec1996CucLayout;
  static constexpr int kFields = 3;
  static Layout layoutOf(const std::int32_t* v) { return {v[0], v[1], v[2]}; }
  static std::size_t length(const Layout& layout) { return codeLength1996_cuc(&layout); }
  static void encode(const Context&, const Sec1996* counts, const std::uint64_t* fractions,
                     std::size_t n, const Layout& layout, std::uint8_t* codes,
                     Sec1996ParseStatus* status) {
    cvtFromSec1996_cuc_n(counts, fractions, n, &layout, codes, status);
  }
  static void decode(const Context&, const std::uint8_t* codes, std::size_t n, const Layout& layout,
                     Sec1996* counts, std::uint64_t* fractions, Sec1996ParseStatus* status) {
    cvtToSec1996_cuc_n(codes, n, &layout, counts, fractions, status);
  }
  static Sec1996ParseStatus decodeOne(const Context&, const std::uint8_t* code, std::size_t size,
                                      const Layout& layout) {
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    return cvtToSec1996_cuc(code, size, &layout, &count, &fraction, nullptr);
  }
};

struct Cds : Plain {
  using Layout = Sec1996CdsLayout;
  static constexpr int kFields = 7;
  static Layout layoutOf(const std::int32_t* v) {
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  }
  static std::size_t length(const Layout& layout) { return codeLength1996_cds(&layout); }
  static void encode(const Context&, const Sec1996* counts, const std::uint64_t* fractions,
                     std::size_t n, const Layout& layout, std::uint8_t* codes,
                     Sec1996ParseStatus* status) {
    cvtFromSec1996_cds_n(counts, fractions, n, &layout, codes, status);
  }
  static void decode(const Context&, const std::uint8_t* codes, std::size_t n, const Layout& layout,
                     Sec1996* counts, std::uint64_t* fractions, Sec1996ParseStatus* status) {
    cvtToSec1996_cds_n(codes, n, &layout, counts, fractions, status);
  }
  static Sec1996ParseStatus decodeOne(const Context&, const std::uint8_t* code, std::size_t size,
                                      const Layout& layout) {
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    return cvtToSec1996_cds(code, size, &layout, &count, &fraction, nullptr);
  }
};

struct Ccs : Plain {
  using Layout = Sec1996CcsLayout;
  static constexpr int kFields = 3;
  static Layout layoutOf(const std::int32_t* v) { return {v[0], v[1], v[2]}; }
  static std::size_t length(const Layout& layout) { return codeLength1996_ccs(&layout); }
  static void encode(const Context&, const Sec1996* counts, const std::uint64_t* fractions,
                     std::size_t n, const Layout& layout, std::uint8_t* codes,
                     Sec1996ParseStatus* status) {
    cvtFromSec1996_ccs_n(counts, fractions, n, &layout, codes, status);
  }
  static void decode(const Context&, const std::uint8_t* codes, std::size_t n, const Layout& layout,
                     Sec1996* counts, std::uint64_t* fractions, Sec1996ParseStatus* status) {
    cvtToSec1996_ccs_n(codes, n, &layout, counts, fractions, status);
  }
  static Sec1996ParseStatus decodeOne(const Context&, const std::uint8_t* code, std::size_t size,
                                      const Layout& layout) {
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    return cvtToSec1996_ccs(code, size, &layout, &count, &fraction, nullptr);
  }
};

// CUC level 1: the coarse time is TAI seconds since 1958 from a list.
struct CucTai {
  using Layout = Sec1996CucLayout;
  static constexpr int kFields = 3;
  static constexpr int kEncodeInputs = 1, kDecodeInputs = 2;  // the list id; the map flag
  struct Context {
    std::int64_t id = 0;
    bool map = false;
    const Sec1996LeapList* list = nullptr;  // the id's, once prepared
    bool operator==(const Context& other) const { return id == other.id && map == other.map; }
  };
  // Element i's list id at args[first] and, with two inputs, its flag next.
  static Context contextAt(char* const* args, const npy_intp* steps, int first, int inputs,
                           npy_intp i) {
    Context context;
    context.id = load<std::int64_t>(args[first], steps[first], i);
    context.map = inputs > 1 && load<npy_bool>(args[first + 1], steps[first + 1], i) != 0;
    return context;
  }
  static Sec1996ParseStatus prepare(Context& context) {
    return leapListOf(context.id, context.list) ? SEC1996_PARSE_OK : SEC1996_PARSE_LIST_NOT_FOUND;
  }
  static unsigned flags(const Context& context) {
    return context.map ? SEC1996_MAP_LEAP_TO_235959 : 0u;
  }
  static Layout layoutOf(const std::int32_t* v) { return Cuc::layoutOf(v); }
  static std::size_t length(const Layout& layout) { return Cuc::length(layout); }
  static void encode(const Context& context, const Sec1996* counts, const std::uint64_t* fractions,
                     std::size_t n, const Layout& layout, std::uint8_t* codes,
                     Sec1996ParseStatus* status) {
    cvtFromSec1996_cucTai_n(context.list, counts, fractions, n, &layout, codes, status);
  }
  static void decode(const Context& context, const std::uint8_t* codes, std::size_t n,
                     const Layout& layout, Sec1996* counts, std::uint64_t* fractions,
                     Sec1996ParseStatus* status) {
    cvtToSec1996_cucTai_n(context.list, codes, n, &layout, flags(context), counts, fractions,
                          status);
  }
  static Sec1996ParseStatus decodeOne(const Context& context, const std::uint8_t* code,
                                      std::size_t size, const Layout& layout) {
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    return cvtToSec1996_cucTai(context.list, code, size, &layout, flags(context), &count, &fraction,
                               nullptr);
  }
};

// The layout of element i: kFields int64 values at a core stride, and its
// code length; 0, a layout out of range, also where a value exceeds int.
template <class Code>
std::size_t layoutAt(const char* base, npy_intp step, npy_intp coreStep, npy_intp i,
                     typename Code::Layout& layout) {
  std::int32_t values[Code::kFields];
  bool fits = true;
  for (int f = 0; f < Code::kFields; ++f) {
    const std::int64_t value = load<std::int64_t>(base + step * i, coreStep, f);
    fits &= value >= INT32_MIN && value <= INT32_MAX;
    values[f] = fits ? static_cast<std::int32_t>(value) : 0;
  }
  layout = Code::layoutOf(values);
  return fits ? Code::length(layout) : 0;
}

// The elements [start, end) that share element start's layout and context
// (with inputs context inputs from args[first]): the rest of the block that
// has its context when the layout is broadcast, else element start alone.
template <class Code>
npy_intp runEnd(char* const* args, const npy_intp* steps, npy_intp layoutStep, int first,
                int inputs, npy_intp start, npy_intp end, const typename Code::Context& context) {
  if (layoutStep != 0) return start + 1;
  npy_intp last = start + 1;
  while (last < end && Code::contextAt(args, steps, first, inputs, last) == context) ++last;
  return last;
}

// A fraction of either input dtype; a negative one is out of range.
template <class F>
Sec1996ParseStatus fractionOf(F value, std::uint64_t& fraction) {
  if constexpr (std::is_signed_v<F>) {
    if (value < 0) return SEC1996_PARSE_FIELD_RANGE;
  }
  fraction = static_cast<std::uint64_t>(value);
  return SEC1996_PARSE_OK;
}

// (count T, fraction F, layout int64[k], context...) -> (code uint8[n], status)
// steps: 0-4 outer (and one per context input); then the layout's core
// stride, then the code's.
template <class Code, class T, class F>
void encodeLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  constexpr int kExtra = Code::kEncodeInputs;
  constexpr int kCode = 3 + kExtra, kStatus = 4 + kExtra;
  const npy_intp total = dims[0];
  const npy_intp width = dims[2];
  const npy_intp codeStep = steps[kCode], octetStep = steps[kStatus + 2],
                 statusStep = steps[kStatus];
  const npy_intp layoutCoreStep = steps[kStatus + 1];
  Sec1996 counts[kBlock];
  std::uint64_t fractions[kBlock];
  Status before[kBlock];
  Sec1996ParseStatus status[kBlock];
  std::uint8_t scratch[kBlock * kMaxCode];
  // Contiguous uint32 counts beside contiguous uint64 fractions, or beside
  // a broadcast fraction 0 (none given), are never refused before the
  // encoder: the array form reads them in place.
  bool plain = false;
  bool noFraction = false;
  if constexpr (std::is_same_v<T, Sec1996> && std::is_same_v<F, std::uint64_t>) {
    noFraction = steps[1] == 0 && total > 0 && load<F>(args[1], 0, 0) == 0;
    plain = steps[0] == sizeof(Sec1996) && (steps[1] == sizeof(F) || noFraction);
  }
  for (npy_intp start = 0; start < total; start += kBlock) {
    const npy_intp end = std::min(total, start + kBlock);
    const Sec1996* countsIn = counts;
    const std::uint64_t* fractionsIn = fractions;
    if (plain) {
      countsIn = reinterpret_cast<const Sec1996*>(args[0]) + start;
      fractionsIn = noFraction ? nullptr : reinterpret_cast<const std::uint64_t*>(args[1]) + start;
      std::fill(before, before + (end - start), Status{SEC1996_PARSE_OK});
    } else {
      for (npy_intp i = start; i < end; ++i) {
        Sec1996ParseStatus s = countOf(load<T>(args[0], steps[0], i), counts[i - start]);
        std::uint64_t fraction = 0;
        if (s == SEC1996_PARSE_OK) s = fractionOf(load<F>(args[1], steps[1], i), fraction);
        if (s != SEC1996_PARSE_OK) counts[i - start] = 0;
        fractions[i - start] = s == SEC1996_PARSE_OK ? fraction : 0;
        before[i - start] = static_cast<Status>(s);
      }
    }
    for (npy_intp first = start; first < end;) {
      typename Code::Context context = Code::contextAt(args, steps, 3, kExtra, first);
      const npy_intp last = runEnd<Code>(args, steps, steps[2], 3, kExtra, first, end, context);
      typename Code::Layout layout;
      const std::size_t length = layoutAt<Code>(args[2], steps[2], layoutCoreStep, first, layout);
      const npy_intp k = last - first, b = first - start;
      Sec1996ParseStatus refusal = SEC1996_PARSE_OK;
      if (length == 0) {
        refusal = SEC1996_PARSE_RESERVED;
      } else if (width != static_cast<npy_intp>(length)) {
        refusal = width < static_cast<npy_intp>(length) ? SEC1996_PARSE_BUFFER_TOO_SMALL
                                                        : SEC1996_PARSE_OTHER_LAYOUT;
      } else {
        refusal = Code::prepare(context);
      }
      const bool direct = octetStep == 1 && codeStep == width;
      std::uint8_t* codes =
          direct ? reinterpret_cast<std::uint8_t*>(args[kCode] + codeStep * first) : scratch;
      if (refusal == SEC1996_PARSE_OK) {
        Code::encode(context, countsIn + b, fractionsIn == nullptr ? nullptr : fractionsIn + b,
                     static_cast<std::size_t>(k), layout, codes, status + b);
      } else {
        std::fill(status + b, status + b + k, refusal);
      }
      if (plain && direct && refusal == SEC1996_PARSE_OK) {  // the codes are in place
        for (npy_intp j = 0; j < k; ++j) {
          at<Status>(args[kStatus], statusStep, first + j) = static_cast<Status>(status[b + j]);
        }
        first = last;
        continue;
      }
      for (npy_intp j = 0; j < k; ++j) {
        const Status s =
            before[b + j] != SEC1996_PARSE_OK ? before[b + j] : static_cast<Status>(status[b + j]);
        char* element = args[kCode] + codeStep * (first + j);
        // The encoder zero-fills the codes it refuses and writes those it
        // only warns about (SEC1996_PARSE_LIST_EXPIRED).
        if (before[b + j] != SEC1996_PARSE_OK || refusal != SEC1996_PARSE_OK) {
          for (npy_intp c = 0; c < width; ++c) at<std::uint8_t>(element, octetStep, c) = 0;
        } else if (!direct) {
          for (npy_intp c = 0; c < width; ++c) {
            at<std::uint8_t>(element, octetStep, c) = scratch[j * width + c];
          }
        }
        at<Status>(args[kStatus], statusStep, first + j) = s;
      }
      first = last;
    }
  }
}

// Element i's octets as a code of length octets in code[]: its own when it
// has them, else completed with zeros where padded.  OK, or the refusal.
Sec1996ParseStatus gather(const char* element, npy_intp width, npy_intp octetStep,
                          std::size_t length, bool padded, std::uint8_t* code) {
  const npy_intp want = static_cast<npy_intp>(length);
  if (width < want && !padded) return SEC1996_PARSE_TRUNCATED;
  for (npy_intp c = want; c < width; ++c) {
    if (!padded || load<std::uint8_t>(element, octetStep, c) != 0) {
      return SEC1996_PARSE_OTHER_LAYOUT;
    }
  }
  const npy_intp have = std::min(width, want);
  for (npy_intp c = 0; c < have; ++c) code[c] = load<std::uint8_t>(element, octetStep, c);
  std::fill(code + have, code + want, std::uint8_t{0});
  return SEC1996_PARSE_OK;
}

// Decoded results of a run into the outputs: count 0 and fraction 0 where
// a check before the decoder refused the element.
void scatterDecoded(char** args, const npy_intp* steps, npy_intp first, npy_intp k,
                    const Status* before, const Sec1996* counts, const std::uint64_t* fractions,
                    const Sec1996ParseStatus* status, int out) {
  for (npy_intp j = 0; j < k; ++j) {
    const bool refused = before[j] != SEC1996_PARSE_OK;
    at<Sec1996>(args[out], steps[out], first + j) = refused ? 0 : counts[j];
    at<std::uint64_t>(args[out + 1], steps[out + 1], first + j) = refused ? 0 : fractions[j];
    at<Status>(args[out + 2], steps[out + 2], first + j) =
        refused ? before[j] : static_cast<Status>(status[j]);
  }
}

// Decodes a run of codes of one layout, back to back.  An array form gives
// SEC1996_PARSE_OTHER_LAYOUT for every P-field but the layout's own; where
// the P-field names another code or a reserved one, the single-value
// decoder's status says so instead.
template <class Code>
void decodeRun(const typename Code::Context& context, const std::uint8_t* codes, std::size_t n,
               std::size_t length, const typename Code::Layout& layout, Sec1996* counts,
               std::uint64_t* fractions, Sec1996ParseStatus* status) {
  Code::decode(context, codes, n, layout, counts, fractions, status);
  if (layout.pField == 0) return;
  for (std::size_t j = 0; j < n; ++j) {
    if (status[j] != SEC1996_PARSE_OTHER_LAYOUT) continue;
    const Sec1996ParseStatus why = Code::decodeOne(context, codes + j * length, length, layout);
    // A code of another layout of this code stays OTHER_LAYOUT, whatever
    // its time would give (a CUC 3+3 of level 1 read as TAI is before 1996).
    if (why == SEC1996_PARSE_WRONG_CODE || why == SEC1996_PARSE_RESERVED) status[j] = why;
  }
}

// (code uint8[n], layout int64[k], padded bool, context...) -> (count,
// fraction, status)
// steps: 0-5 outer (and one per context input); then the code's core
// stride, then the layout's.
template <class Code>
void decodeLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  constexpr int kExtra = Code::kDecodeInputs;
  constexpr int kCount = 3 + kExtra;
  const npy_intp total = dims[0];
  const npy_intp width = dims[1];
  const npy_intp codeStep = steps[0], octetStep = steps[kCount + 3];
  const npy_intp layoutCoreStep = steps[kCount + 4];
  Sec1996 counts[kBlock];
  std::uint64_t fractions[kBlock];
  Status before[kBlock];
  Sec1996ParseStatus status[kBlock];
  std::uint8_t scratch[kBlock * kMaxCode];
  for (npy_intp start = 0; start < total; start += kBlock) {
    const npy_intp end = std::min(total, start + kBlock);
    for (npy_intp first = start; first < end;) {
      typename Code::Context context = Code::contextAt(args, steps, 3, kExtra, first);
      const npy_intp last = runEnd<Code>(args, steps, steps[1], 3, kExtra, first, end, context);
      typename Code::Layout layout;
      const std::size_t length = layoutAt<Code>(args[1], steps[1], layoutCoreStep, first, layout);
      const npy_intp k = last - first;
      const std::uint8_t* codes = scratch;
      const Sec1996ParseStatus noList = Code::prepare(context);
      if (length == 0) {
        std::fill(before, before + k, Status{SEC1996_PARSE_RESERVED});
      } else if (noList != SEC1996_PARSE_OK) {
        std::fill(before, before + k, static_cast<Status>(noList));
      } else if (octetStep == 1 && codeStep == width && width == static_cast<npy_intp>(length)) {
        codes = reinterpret_cast<const std::uint8_t*>(args[0] + codeStep * first);
        std::fill(before, before + k, Status{SEC1996_PARSE_OK});
      } else {
        for (npy_intp j = 0; j < k; ++j) {
          const npy_intp i = first + j;
          std::uint8_t* code = scratch + static_cast<std::size_t>(j) * length;
          const Sec1996ParseStatus s = gather(args[0] + codeStep * i, width, octetStep, length,
                                              load<npy_bool>(args[2], steps[2], i) != 0, code);
          if (s != SEC1996_PARSE_OK) std::fill(code, code + length, std::uint8_t{0});
          before[j] = static_cast<Status>(s);
        }
      }
      // In place: codes read where they lie and results written where they go.
      if (codes != scratch && steps[kCount] == sizeof(Sec1996) &&
          steps[kCount + 1] == sizeof(std::uint64_t)) {
        decodeRun<Code>(context, codes, static_cast<std::size_t>(k), length, layout,
                        reinterpret_cast<Sec1996*>(args[kCount]) + first,
                        reinterpret_cast<std::uint64_t*>(args[kCount + 1]) + first, status);
        for (npy_intp j = 0; j < k; ++j) {
          at<Status>(args[kCount + 2], steps[kCount + 2], first + j) =
              static_cast<Status>(status[j]);
        }
        first = last;
        continue;
      }
      // A layout out of range or no list: every element refused unread.
      if (length != 0 && noList == SEC1996_PARSE_OK) {
        decodeRun<Code>(context, codes, static_cast<std::size_t>(k), length, layout, counts,
                        fractions, status);
      }
      scatterDecoded(args, steps, first, k, before, counts, fractions, status, kCount);
      first = last;
    }
  }
}

// Whether a Python object is a missing value: None, NaN, or an object that
// does not equal itself (pandas.NA and kin).
bool missing(PyObject* object) {
  if (object == nullptr || object == Py_None) return true;
  if (PyFloat_Check(object)) return std::isnan(PyFloat_AS_DOUBLE(object));
  const int equal = PyObject_RichCompareBool(object, object, Py_EQ);
  if (equal < 0) PyErr_Clear();
  return equal != 1;
}

// (object, layout int64[k], context...) -> (count, fraction, status)
// steps: 0-4 outer (and one per context input); then the layout's core
// stride.
template <class Code>
void decodeObjectLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  constexpr int kExtra = Code::kDecodeInputs;
  constexpr int kCount = 2 + kExtra;
  std::uint8_t code[kMaxCode];
  for (npy_intp i = 0; i < dims[0]; ++i) {
    PyObject* object = load<PyObject*>(args[0], steps[0], i);
    typename Code::Layout layout;
    const std::size_t length = layoutAt<Code>(args[1], steps[1], steps[kCount + 3], i, layout);
    typename Code::Context context = Code::contextAt(args, steps, 2, kExtra, i);
    const char* bytes = nullptr;
    Py_ssize_t size = 0;
    Status before = SEC1996_PARSE_OK;
    bool padded = false;
    if (object != nullptr && PyBytes_Check(object)) {
      bytes = PyBytes_AS_STRING(object);
      size = PyBytes_GET_SIZE(object);
      padded = PyArray_IsScalar(object, String);  // an S element, its zero octets dropped
    } else if (object != nullptr && PyByteArray_Check(object)) {
      bytes = PyByteArray_AS_STRING(object);
      size = PyByteArray_GET_SIZE(object);
    } else {
      before = missing(object) ? SEC1996_PARSE_NOT_A_NUMBER : SEC1996_PARSE_SYNTAX;
    }
    if (before == SEC1996_PARSE_OK && length == 0) before = SEC1996_PARSE_RESERVED;
    if (before == SEC1996_PARSE_OK) before = static_cast<Status>(Code::prepare(context));
    if (before == SEC1996_PARSE_OK) {
      before = gather(bytes, size, 1, length, padded, code);
    }
    Sec1996 count = 0;
    std::uint64_t fraction = 0;
    Sec1996ParseStatus status = SEC1996_PARSE_OK;
    if (before == SEC1996_PARSE_OK) {
      decodeRun<Code>(context, code, 1, length, layout, &count, &fraction, &status);
    }
    scatterDecoded(args, steps, i, 1, &before, &count, &fraction, &status, kCount);
  }
}

// Loops by input dtype, as CountLoops orders them: the count's dtype first
// (uint32, int64, uint64, float64), then the fraction's (uint64, int64).
template <class Code>
struct EncodeLoops {
  static inline PyUFuncGenericFunction functions[8] = {
      &encodeLoop<Code, npy_uint32, npy_uint64>, &encodeLoop<Code, npy_uint32, npy_int64>,
      &encodeLoop<Code, npy_int64, npy_uint64>,  &encodeLoop<Code, npy_int64, npy_int64>,
      &encodeLoop<Code, npy_uint64, npy_uint64>, &encodeLoop<Code, npy_uint64, npy_int64>,
      &encodeLoop<Code, double, npy_uint64>,     &encodeLoop<Code, double, npy_int64>};
};

#define SEC1996_ENCODE(count, fraction) count, fraction, NPY_INT64, NPY_UINT8, NPY_INT16
char kEncodeTypes[] = {
    SEC1996_ENCODE(NPY_UINT32, NPY_UINT64), SEC1996_ENCODE(NPY_UINT32, NPY_INT64),
    SEC1996_ENCODE(NPY_INT64, NPY_UINT64),  SEC1996_ENCODE(NPY_INT64, NPY_INT64),
    SEC1996_ENCODE(NPY_UINT64, NPY_UINT64), SEC1996_ENCODE(NPY_UINT64, NPY_INT64),
    SEC1996_ENCODE(NPY_DOUBLE, NPY_UINT64), SEC1996_ENCODE(NPY_DOUBLE, NPY_INT64)};
#undef SEC1996_ENCODE
// The same with the list id after the layout.
#define SEC1996_ENCODE(count, fraction) count, fraction, NPY_INT64, NPY_INT64, NPY_UINT8, NPY_INT16
char kEncodeTaiTypes[] = {
    SEC1996_ENCODE(NPY_UINT32, NPY_UINT64), SEC1996_ENCODE(NPY_UINT32, NPY_INT64),
    SEC1996_ENCODE(NPY_INT64, NPY_UINT64),  SEC1996_ENCODE(NPY_INT64, NPY_INT64),
    SEC1996_ENCODE(NPY_UINT64, NPY_UINT64), SEC1996_ENCODE(NPY_UINT64, NPY_INT64),
    SEC1996_ENCODE(NPY_DOUBLE, NPY_UINT64), SEC1996_ENCODE(NPY_DOUBLE, NPY_INT64)};
#undef SEC1996_ENCODE

template <class Code>
struct DecodeLoops {
  static inline PyUFuncGenericFunction functions[1] = {&decodeLoop<Code>};
  static inline PyUFuncGenericFunction objects[1] = {&decodeObjectLoop<Code>};
};

char kDecodeTypes[] = {NPY_UINT8, NPY_INT64, NPY_BOOL, NPY_UINT32, NPY_UINT64, NPY_INT16};
char kDecodeObjectTypes[] = {NPY_OBJECT, NPY_INT64, NPY_UINT32, NPY_UINT64, NPY_INT16};
char kDecodeTaiTypes[] = {NPY_UINT8, NPY_INT64,  NPY_BOOL,   NPY_INT64,
                          NPY_BOOL,  NPY_UINT32, NPY_UINT64, NPY_INT16};
char kDecodeTaiObjectTypes[] = {NPY_OBJECT, NPY_INT64,  NPY_INT64, NPY_BOOL,
                                NPY_UINT32, NPY_UINT64, NPY_INT16};

#define SEC1996_LAYOUT_CUC \
  "layout: int64[3], Sec1996CucLayout {pField, coarseOctets, fineOctets}.\n"
#define SEC1996_LAYOUT_CDS                                                               \
  "layout: int64[7], Sec1996CdsLayout {pField, dayOctets, subMillisecond, agencyEpoch, " \
  "epochYear, epochMon, epochDay}.\n"
#define SEC1996_LAYOUT_CCS \
  "layout: int64[3], Sec1996CcsLayout {pField, dayOfYear, subSecondOctets}.\n"
#define SEC1996_ENCODE_DOC(name, fraction)                                                       \
#name "(count, fraction, layout) -> (code, status)\n\n" SEC1996_COUNT_IN "fraction: " fraction \
        ", uint64 or int64 (negative refused).\n"                                                \
        "code: uint8[n], n the layout's code length (another n refuses every element); zeros "   \
        "where refused.\n" SEC1996_STATUS_OUT
#define SEC1996_DECODE_DOC(name, fraction)                                                          \
#name                                                                                             \
      "(code, layout, padded) -> (count, fraction, status)\n\n"                                     \
      "code: uint8[n] octets (an S or V array viewed as uint8); padded: the element is its octets " \
      "followed by zero octets (S), else it must have the layout's length exactly.\n"               \
      "count: uint32; fraction: uint64 " fraction "; 0 where refused.\n" SEC1996_STATUS_OUT
#define SEC1996_OBJECT_DOC(name, of)                                                       \
#name "(code, layout) -> (count, fraction, status)\n\n" of                               \
        " over Python objects: bytes "                                                     \
        "or bytearray of the code's length; None, NaN and pandas.NA give status 6, other " \
        "objects 1.\n\n"

const UfuncEntry kUfuncs[] = {
    {"to_cuc", EncodeLoops<Cuc>::functions, kEncodeTypes, 8, 3, 2, "(),(),(3)->(n),()",
     SEC1996_ENCODE_DOC(to_cuc, "units of 2^-64 s") SEC1996_LAYOUT_CUC
     "\n>>> import numpy as np\n"
     ">>> code, status = sec1996.ufunc.to_cuc(47260800, 0, [1, 4, 2], "
     "out=(np.zeros(7, np.uint8), None))\n"
     ">>> code.tobytes().hex(), status\n('2e02d124800000', 0)\n"},
    {"to_cuc_tai", EncodeLoops<CucTai>::functions, kEncodeTaiTypes, 8, 4, 2, "(),(),(3),()->(n),()",
     "to_cuc_tai(count, fraction, layout, list) -> (code, status)\n\n"
     "CUC level 1: the coarse time is TAI seconds since 1958-01-01 "
     "(cvtFromSec1996_cucTai_n).\n" SEC1996_COUNT_IN
     "fraction: units of 2^-64 s, uint64 or int64 (negative refused).\n" SEC1996_LAYOUT_CUC
         SEC1996_LIST_IN
     "code: uint8[n], n the layout's code length (another n refuses every element); zeros "
     "where refused.\n" SEC1996_SCALE_STATUS "\n>>> import numpy as np\n"
     ">>> code, status = sec1996.ufunc.to_cuc_tai(0, 0, [1, 4, 2], 0, "
     "out=(np.zeros(7, np.uint8), None))\n"
     ">>> code.tobytes().hex(), status\n('1e4779829e0000', 0)\n"},
    {"to_cds", EncodeLoops<Cds>::functions, kEncodeTypes, 8, 3, 2, "(),(),(7)->(n),()",
     SEC1996_ENCODE_DOC(to_cds, "picoseconds") SEC1996_LAYOUT_CDS
     "\n>>> import numpy as np\n"
     ">>> code, status = sec1996.ufunc.to_cds(47260800, 0, [1, 2, 1, 0, 0, 0, 0], "
     "out=(np.zeros(9, np.uint8), None))\n"
     ">>> code.tobytes().hex(), status\n('41385905265c000000', 0)\n"},
    {"to_ccs", EncodeLoops<Ccs>::functions, kEncodeTypes, 8, 3, 2, "(),(),(3)->(n),()",
     SEC1996_ENCODE_DOC(to_ccs, "picoseconds") SEC1996_LAYOUT_CCS
     "\n>>> import numpy as np\n"
     ">>> code, status = sec1996.ufunc.to_ccs(47260800, 0, [1, 0, 0], "
     "out=(np.zeros(8, np.uint8), None))\n"
     ">>> code.tobytes().hex(), status\n('5019970630235960', 0)\n"},
    {"from_cuc", DecodeLoops<Cuc>::functions, kDecodeTypes, 1, 3, 3, "(n),(3),()->(),(),()",
     SEC1996_DECODE_DOC(from_cuc, "in units of 2^-64 s") SEC1996_LAYOUT_CUC
     "\n>>> import numpy as np\n"
     ">>> sec1996.ufunc.from_cuc(np.frombuffer(bytes.fromhex('2e02d12480c000'), np.uint8), "
     "[1, 4, 2], False)\n(47260800, 13835058055282163712, 0)\n"},
    {"from_cuc_tai", DecodeLoops<CucTai>::functions, kDecodeTaiTypes, 1, 5, 3,
     "(n),(3),(),(),()->(),(),()",
     "from_cuc_tai(code, layout, padded, list, map) -> (count, fraction, status)\n\n"
     "CUC level 1, TAI seconds since 1958-01-01, as from_cuc reads level 2 "
     "(cvtToSec1996_cucTai_n).\n" SEC1996_LAYOUT_CUC SEC1996_LIST_IN SEC1996_MAP_IN
     "count: uint32; fraction: uint64 in units of 2^-64 s; 0 where refused.\n" SEC1996_SCALE_STATUS
     "\n>>> import numpy as np\n"
     ">>> sec1996.ufunc.from_cuc_tai(np.frombuffer(bytes.fromhex('1e6efaa5240000'), np.uint8), "
     "[1, 4, 2], False, 0, [False, True])\n"
     "(array([        0, 662774400], dtype=uint32), array([0, 0], dtype=uint64), "
     "array([15, 15], dtype=int16))\n"},
    {"from_cds", DecodeLoops<Cds>::functions, kDecodeTypes, 1, 3, 3, "(n),(7),()->(),(),()",
     SEC1996_DECODE_DOC(from_cds, "picoseconds") SEC1996_LAYOUT_CDS
     "\n>>> import numpy as np\n"
     ">>> sec1996.ufunc.from_cds(np.frombuffer(bytes.fromhex('403a7e05265c00'), np.uint8), "
     "[1, 2, 0, 0, 0, 0, 0], False)\n(0, 0, 4)\n"},
    {"from_ccs", DecodeLoops<Ccs>::functions, kDecodeTypes, 1, 3, 3, "(n),(3),()->(),(),()",
     SEC1996_DECODE_DOC(from_ccs, "picoseconds") SEC1996_LAYOUT_CCS
     "\n>>> import numpy as np\n"
     ">>> sec1996.ufunc.from_ccs(np.frombuffer(bytes.fromhex('5019970630235960'), np.uint8), "
     "[1, 0, 0], False)\n(47260800, 0, 0)\n"},
    {"from_cuc_object", DecodeLoops<Cuc>::objects, kDecodeObjectTypes, 1, 2, 3, "(),(3)->(),(),()",
     SEC1996_OBJECT_DOC(
         from_cuc_object,
         "from_cuc") ">>> import numpy as np\n"
                     ">>> sec1996.ufunc.from_cuc_object(np.array([bytes.fromhex('2e02d12480c000'), "
                     "None], "
                     "object), [1, 4, 2])[2]\narray([0, 6], dtype=int16)\n"},
    {"from_cuc_tai_object", DecodeLoops<CucTai>::objects, kDecodeTaiObjectTypes, 1, 4, 3,
     "(),(3),(),()->(),(),()",
     SEC1996_OBJECT_DOC(
         from_cuc_tai_object,
         "from_cuc_tai") ">>> import numpy as np\n"
                         ">>> "
                         "sec1996.ufunc.from_cuc_tai_object(np.array([bytes.fromhex('"
                         "1e4779829e0000')], "
                         "object), [1, 4, 2], 0, False)[0]\narray([0], dtype=uint32)\n"},
    {"from_cds_object", DecodeLoops<Cds>::objects, kDecodeObjectTypes, 1, 2, 3, "(),(7)->(),(),()",
     SEC1996_OBJECT_DOC(from_cds_object,
                        "from_cds") ">>> import numpy as np\n"
                                    ">>> sec1996.ufunc.from_cds_object(np.array([b'\\x40'], "
                                    "object), [1, 2, 0, 0, 0, 0, "
                                    "0])[2]\narray([11], dtype=int16)\n"},
    {"from_ccs_object", DecodeLoops<Ccs>::objects, kDecodeObjectTypes, 1, 2, 3, "(),(3)->(),(),()",
     SEC1996_OBJECT_DOC(
         from_ccs_object,
         "from_ccs") ">>> import numpy as np\n"
                     ">>> sec1996.ufunc.from_ccs_object(np.array([5], object), [1, 0, 0])[2]\n"
                     "array([1], dtype=int16)\n"},
};

#undef SEC1996_LAYOUT_CUC
#undef SEC1996_LAYOUT_CDS
#undef SEC1996_LAYOUT_CCS
#undef SEC1996_ENCODE_DOC
#undef SEC1996_DECODE_DOC
#undef SEC1996_OBJECT_DOC

// code_length(code, layout) -> codeLength1996_xxx: code 0 CUC, 1 CDS, 2 CCS;
// layout the int32 members as a tuple.  0 for a layout out of range.
PyObject* pyCodeLength(PyObject*, PyObject* args) {
  int code = 0;
  PyObject* members = nullptr;
  if (!PyArg_ParseTuple(args, "iO!", &code, &PyTuple_Type, &members)) return nullptr;
  const int want = code == 1 ? Cds::kFields : 3;
  if (code < 0 || code > 2 || PyTuple_GET_SIZE(members) != want) {
    PyErr_SetString(PyExc_ValueError, "code_length: code 0-2 and a layout of its members");
    return nullptr;
  }
  std::int32_t values[Cds::kFields] = {};
  for (int f = 0; f < want; ++f) {
    const long value = PyLong_AsLong(PyTuple_GET_ITEM(members, f));
    if (value == -1 && PyErr_Occurred()) return nullptr;
    if (value < INT32_MIN || value > INT32_MAX) return PyLong_FromLong(0);
    values[f] = static_cast<std::int32_t>(value);
  }
  const std::size_t length = code == 0   ? Cuc::length(Cuc::layoutOf(values))
                             : code == 1 ? Cds::length(Cds::layoutOf(values))
                                         : Ccs::length(Ccs::layoutOf(values));
  return PyLong_FromSize_t(length);
}

PyMethodDef kMethods[] = {
    {"code_length", pyCodeLength, METH_VARARGS,
     "code_length(code, layout) -> the octets of a code of the layout (codeLength1996_cuc, _cds, "
     "_ccs for code 0, 1, 2), 0 for a layout out of range."},
    {nullptr, nullptr, 0, nullptr}};

}  // namespace

bool sec1996_ext::addCcsdsUfuncs(PyObject* module) {
  return addUfuncs(module, kUfuncs, std::size(kUfuncs)) &&
         PyModule_AddFunctions(module, kMethods) == 0;
}
