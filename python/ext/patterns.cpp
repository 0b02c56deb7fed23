// patterns.cpp - text in any layout for the sec1996 package: counts as
// text in a pattern's layout (formatDate1996), text in a pattern's layout as
// counts (parseDate1996) and ISO 8601 with the variants of
// parseDate1996_iso_opt, as gufuncs over code units, and the single-value
// helpers the Python layer checks a pattern with and words its errors from.
//
// The pattern is an input of its own, uint8 code units (an S scalar viewed
// as uint8) read up to the first zero; the Python layer passes one pattern
// for all elements with a zero stride, and a loop then copies it once.
#include "ufuncs.h"

#include <iterator>

namespace {

using namespace sec1996_ext;

// A pattern and its terminating zero, with room for one character beyond
// the longest the library reads, so that it refuses an overlong one.
constexpr std::size_t kPatternBuffer = SEC1996_PATTERN_MAX_LENGTH + 2;
// The longest text handled: a pattern of 256 characters gives or reads at
// most 128 conversions of at most 19 characters (%s: a sign and 18 digits),
// far less than this.
constexpr std::size_t kTextBuffer = 4096;

// The pattern of element i into buffer, if it differs from the last one read.
void readPattern(char** args, const npy_intp* steps, npy_intp length, npy_intp unitStep,
                 int argument, npy_intp i, char* buffer) {
  if (i > 0 && steps[argument] == 0) return;
  const char* units = args[argument] + steps[argument] * i;
  const npy_intp n = std::min(length, static_cast<npy_intp>(kPatternBuffer - 1));
  npy_intp c = 0;
  for (; c < n; ++c) {
    const auto unit = load<npy_uint8>(units, unitStep, c);
    if (unit == 0) break;
    buffer[c] = static_cast<char>(unit);
  }
  buffer[c] = '\0';
}

// (count, pattern uint8[p]) -> (text Unit[w], status): formatDate1996 of
// each count, zero-padded to w units; zeros and SEC1996_PARSE_BUFFER_TOO_SMALL
// where the text is longer than w, zeros and SEC1996_PARSE_PATTERN for a bad
// pattern.  Unit uint32 writes each byte as one character.
template <class T, class Unit>
void formatLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  const npy_intp width = dims[2];
  const std::size_t size = std::min(static_cast<std::size_t>(width), kTextBuffer - 1) + 1;
  char pattern[kPatternBuffer];
  char text[kTextBuffer];
  for (npy_intp i = 0; i < dims[0]; ++i) {
    readPattern(args, steps, dims[1], steps[4], 1, i, pattern);
    Sec1996 count = 0;
    Sec1996ParseStatus status = countOf(load<T>(args[0], steps[0], i), count);
    std::size_t length = 0;
    if (status == SEC1996_PARSE_OK) status = formatDate1996(count, pattern, text, size, &length);
    if (status != SEC1996_PARSE_OK) length = 0;
    char* element = args[2] + steps[2] * i;
    for (npy_intp c = 0; c < width; ++c) {
      const auto byte = static_cast<std::size_t>(c) < length ? text[c] : '\0';
      at<Unit>(element, steps[5], c) = static_cast<Unit>(static_cast<unsigned char>(byte));
    }
    at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
  }
}

Sec1996ParseStatus parse(const char* text, std::size_t length, const char* pattern, Sec1996& count,
                         std::size_t& offset) {
  Sec1996 value = 0;
  const Sec1996ParseStatus status = parseDate1996(text, length, pattern, &value, &offset);
  count = status == SEC1996_PARSE_OK ? value : 0;
  return status;
}

// (text Unit[n], pattern uint8[p]) -> (count, status): parseDate1996 of
// each text, without its padding zeros.  A U character beyond ASCII reaches
// the parser as the byte 0xFF, which no pattern of ASCII matches.  A text
// copied (U, or strided bytes) is cut at kTextBuffer characters: a pattern
// is done or refused well before, and the text left over is refused at the
// same place as the whole text.
template <class Unit>
void parseLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  const npy_intp unitStep = steps[4];
  char pattern[kPatternBuffer];
  char text[kTextBuffer];
  for (npy_intp i = 0; i < dims[0]; ++i) {
    readPattern(args, steps, dims[2], steps[5], 1, i, pattern);
    const char* element = args[0] + steps[0] * i;
    npy_intp length = paddedLength<Unit>(element, dims[1], unitStep);
    const char* bytes = element;
    if (!std::is_same_v<Unit, npy_uint8> || unitStep != 1) {
      length = std::min(length, static_cast<npy_intp>(kTextBuffer));
      for (npy_intp c = 0; c < length; ++c) {
        const Unit unit = load<Unit>(element, unitStep, c);
        text[c] = static_cast<char>(unit < 0x80 ? unit : 0xFF);
      }
      bytes = text;
    }
    Sec1996 count = 0;
    std::size_t offset = 0;
    const Sec1996ParseStatus status =
        parse(bytes, static_cast<std::size_t>(length), pattern, count, offset);
    at<Sec1996>(args[2], steps[2], i) = count;
    at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
  }
}

// (object, pattern uint8[p]) -> (count, status): str (in UTF-8) or bytes;
// None, NaN and pandas' NA give SEC1996_PARSE_NOT_A_NUMBER, any other object
// SEC1996_PARSE_MISMATCH.  With the GIL held, as numpy runs object loops.
void parseObjectLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  char pattern[kPatternBuffer];
  for (npy_intp i = 0; i < dims[0]; ++i) {
    readPattern(args, steps, dims[1], steps[4], 1, i, pattern);
    const char* bytes = nullptr;
    Py_ssize_t length = 0;
    Sec1996ParseStatus status =
        objectText(load<PyObject*>(args[0], steps[0], i), SEC1996_PARSE_MISMATCH, bytes, length);
    Sec1996 count = 0;
    std::size_t offset = 0;
    if (status == SEC1996_PARSE_OK) {
      status = parse(bytes, static_cast<std::size_t>(length), pattern, count, offset);
    }
    at<Sec1996>(args[2], steps[2], i) = count;
    at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
  }
}

// (text Unit[n], flags uint32) -> (count, status): parseDate1996_iso_opt of
// each text, without its padding zeros, with the SEC1996_ISO_* flags given.
// A text longer than kMaxText is refused unread, as from_iso refuses it.
template <class Unit>
void isoOptLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  char text[kMaxText];
  for (npy_intp i = 0; i < dims[0]; ++i) {
    const char* element = args[0] + steps[0] * i;
    const npy_intp length = paddedLength<Unit>(element, dims[1], steps[4]);
    Sec1996 count = 0;
    Sec1996ParseStatus status = SEC1996_PARSE_SYNTAX;
    if (length <= kMaxText) {
      for (npy_intp c = 0; c < length; ++c) {
        const Unit unit = load<Unit>(element, steps[4], c);
        text[c] = static_cast<char>(unit < 0x80 ? unit : 0xFF);
      }
      std::size_t offset = 0;
      status = parseDate1996_iso_opt(text, static_cast<std::size_t>(length),
                                     load<npy_uint32>(args[1], steps[1], i), &count, &offset);
    }
    at<Sec1996>(args[2], steps[2], i) = status == SEC1996_PARSE_OK ? count : 0;
    at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
  }
}

// (object, flags uint32) -> (count, status): isoOptLoop over str (in UTF-8)
// and bytes; None, NaN and pandas' NA give SEC1996_PARSE_NOT_A_NUMBER, any
// other object SEC1996_PARSE_SYNTAX.  With the GIL held.
void isoOptObjectLoop(char** args, const npy_intp* dims, const npy_intp* steps, void*) {
  for (npy_intp i = 0; i < dims[0]; ++i) {
    const char* bytes = nullptr;
    Py_ssize_t length = 0;
    Sec1996ParseStatus status =
        objectText(load<PyObject*>(args[0], steps[0], i), SEC1996_PARSE_SYNTAX, bytes, length);
    Sec1996 count = 0;
    if (status == SEC1996_PARSE_OK) {
      std::size_t offset = 0;
      status = length > kMaxText
                   ? SEC1996_PARSE_SYNTAX
                   : parseDate1996_iso_opt(bytes, static_cast<std::size_t>(length),
                                           load<npy_uint32>(args[1], steps[1], i), &count, &offset);
    }
    at<Sec1996>(args[2], steps[2], i) = status == SEC1996_PARSE_OK ? count : 0;
    at<Status>(args[3], steps[3], i) = static_cast<Status>(status);
  }
}

// ---- The ufuncs --------------------------------------------------------------

template <class Unit>
struct FormatLoops {
  static inline PyUFuncGenericFunction functions[4] = {
      &formatLoop<npy_uint32, Unit>, &formatLoop<npy_int64, Unit>, &formatLoop<npy_uint64, Unit>,
      &formatLoop<double, Unit>};
};

char kFormatTypes[] = {SEC1996_COUNT_TYPES(NPY_UINT8, NPY_UINT8)};
char kFormatUTypes[] = {SEC1996_COUNT_TYPES(NPY_UINT8, NPY_UINT32)};
PyUFuncGenericFunction kParseFunctions[] = {&parseLoop<npy_uint8>, &parseLoop<npy_uint32>};
char kParseTypes[] = {NPY_UINT8,  NPY_UINT8, NPY_UINT32, NPY_INT16,
                      NPY_UINT32, NPY_UINT8, NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kParseObjectFunctions[] = {&parseObjectLoop};
char kParseObjectTypes[] = {NPY_OBJECT, NPY_UINT8, NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kIsoOptFunctions[] = {&isoOptLoop<npy_uint8>, &isoOptLoop<npy_uint32>};
char kIsoOptTypes[] = {NPY_UINT8,  NPY_UINT32, NPY_UINT32, NPY_INT16,
                       NPY_UINT32, NPY_UINT32, NPY_UINT32, NPY_INT16};
PyUFuncGenericFunction kIsoOptObjectFunctions[] = {&isoOptObjectLoop};
char kIsoOptObjectTypes[] = {NPY_OBJECT, NPY_UINT32, NPY_UINT32, NPY_INT16};

#define SEC1996_PATTERN_IN                                                                   \
  "pattern: uint8 code units of a strftime-style pattern (an S scalar viewed as uint8), up " \
  "to the first zero.\n"

const UfuncEntry kUfuncs[] = {
    {"format_pattern", FormatLoops<npy_uint8>::functions, kFormatTypes, 4, 2, 2, "(),(p)->(w),()",
     "format_pattern(count, pattern) -> (text, status)\n\n" SEC1996_COUNT_IN SEC1996_PATTERN_IN
     "text: uint8[w], formatDate1996's text padded with zeros (view as S<w>); zeros where "
     "refused, status 10 where longer than w.\n" SEC1996_STATUS_OUT "\n"
     ">>> import numpy as np\n"
     ">>> pattern = np.frombuffer(b'%Y.%j %T', np.uint8)\n"
     ">>> text, status = sec1996.ufunc.format_pattern(47260800, pattern, "
     "out=(np.zeros(17, np.uint8), None))\n"
     ">>> text.view('S17')[0], status\n(b'1997.181 23:59:60', 0)\n"},
    {"format_pattern_u", FormatLoops<npy_uint32>::functions, kFormatUTypes, 4, 2, 2,
     "(),(p)->(w),()",
     "format_pattern_u(count, pattern) -> (text, status)\n\nformat_pattern with uint32 "
     "(UCS-4) code units, one per byte of the text: view as U<w>.\n\n"
     ">>> import numpy as np\n"
     ">>> text, status = sec1996.ufunc.format_pattern_u(0, np.frombuffer(b'%Y', np.uint8), "
     "out=(np.zeros(4, np.uint32), None))\n"
     ">>> str(text.view('U4')[0])\n'1996'\n"},
    {"parse_pattern", kParseFunctions, kParseTypes, 2, 2, 2, "(n),(p)->(),()",
     "parse_pattern(text, pattern) -> (count, status)\n\n"
     "text: code units, uint8 (an S array viewed as uint8) or uint32 (a U array); trailing "
     "zeros are padding.\n" SEC1996_PATTERN_IN
     "count: uint32, parseDate1996's strict reading; 0 where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> import numpy as np\n"
     ">>> sec1996.ufunc.parse_pattern(np.frombuffer(b'1997.181 23:59:60', np.uint8), "
     "np.frombuffer(b'%Y.%j %T', np.uint8))\n"
     "(47260800, 0)\n"},
    {"parse_pattern_object", kParseObjectFunctions, kParseObjectTypes, 1, 2, 2, "(),(p)->(),()",
     "parse_pattern_object(text, pattern) -> (count, status)\n\n"
     "parse_pattern over Python objects: str (in UTF-8) or bytes; None, NaN and pandas.NA give "
     "status 6 (not a number), other objects 61 (text that does not match).\n\n"
     ">>> import numpy as np\n"
     ">>> sec1996.ufunc.parse_pattern_object(np.array(['1996.001', None], object), "
     "np.frombuffer(b'%Y.%j', np.uint8))\n"
     "(array([0, 0], dtype=uint32), array([0, 6], dtype=int16))\n"},
    {"from_iso_opt", kIsoOptFunctions, kIsoOptTypes, 2, 2, 2, "(n),()->(),()",
     "from_iso_opt(text, flags) -> (count, status)\n\n"
     "text: code units, uint8 (an S array viewed as uint8) or uint32 (a U array); trailing "
     "zeros are padding.\n"
     "flags: uint32 SEC1996_ISO_* flags (sec1996._ext.ISO_FLAGS) of parseDate1996_iso_opt.\n"
     "count: uint32, 0 where refused.\n" SEC1996_STATUS_OUT "\n"
     ">>> import numpy as np\n"
     ">>> sec1996.ufunc.from_iso_opt(np.frombuffer(b'1997-06-30 23:59:60z', np.uint8), 3)\n"
     "(47260800, 0)\n"},
    {"from_iso_opt_object", kIsoOptObjectFunctions, kIsoOptObjectTypes, 1, 2, 2, nullptr,
     "from_iso_opt_object(text, flags) -> (count, status)\n\n"
     "from_iso_opt over Python objects: str or bytes; None, NaN and pandas.NA give status 6 "
     "(not a number), other objects 1.\n\n"
     ">>> import numpy as np\n"
     ">>> sec1996.ufunc.from_iso_opt_object(np.array(['1997-06-30T23:59:60+00:00', None], "
     "object), 4)\n"
     "(array([47260800,        0], dtype=uint32), array([0, 6], dtype=int16))\n"},
};

// ---- Single-value helpers ----------------------------------------------------

// Counts that between them give every length each conversion can have:
// noon of every day of 1996 to 2003 (each month and weekday name, with POSIX
// seconds of 9 and of 10 digits), the leap second and the last count.
constexpr Sec1996 kLeap = 47260800;
constexpr Sec1996 kLastCount = 4294967295u;
constexpr Sec1996 kProbeDays = 2922;  // 1996-01-01 to 2003-12-31

// format_width(pattern: bytes) -> (status, value): SEC1996_PARSE_OK and the
// length of the longest text the pattern gives, or formatDate1996's status
// for a bad pattern and its offset in the pattern.
PyObject* pyFormatWidth(PyObject*, PyObject* args) {
  const char* pattern = nullptr;
  if (!PyArg_ParseTuple(args, "y", &pattern)) return nullptr;
  char text[kTextBuffer];
  std::size_t width = 0;
  Sec1996ParseStatus status = SEC1996_PARSE_OK;
  Py_BEGIN_ALLOW_THREADS;
  const auto measure = [&](Sec1996 count) {
    std::size_t length = 0;
    const Sec1996ParseStatus s = formatDate1996(count, pattern, text, sizeof text, &length);
    if (s != SEC1996_PARSE_OK && status == SEC1996_PARSE_OK) {
      status = s;
      width = length;  // the offset of a bad pattern
    }
    if (status == SEC1996_PARSE_OK) width = std::max(width, length);
  };
  measure(0);
  for (Sec1996 day = 0; day < kProbeDays && status == SEC1996_PARSE_OK; ++day) {
    measure(day * 86400 + 43200);
  }
  if (status == SEC1996_PARSE_OK) measure(kLeap);
  if (status == SEC1996_PARSE_OK) measure(kLastCount);
  Py_END_ALLOW_THREADS;
  return Py_BuildValue("(in)", static_cast<int>(status), static_cast<Py_ssize_t>(width));
}

// parse_pattern_text(text: bytes, pattern: bytes) -> (status, count, offset):
// parseDate1996 of one text, for the error messages (an empty text checks a
// pattern alone: a bad one is refused before any text is read).
PyObject* pyParsePatternText(PyObject*, PyObject* args) {
  const char* text = nullptr;
  Py_ssize_t length = 0;
  const char* pattern = nullptr;
  if (!PyArg_ParseTuple(args, "y#y", &text, &length, &pattern)) return nullptr;
  Sec1996 count = 0;
  std::size_t offset = 0;
  const Sec1996ParseStatus status =
      parse(text, static_cast<std::size_t>(length), pattern, count, offset);
  return Py_BuildValue("(ikn)", static_cast<int>(status), static_cast<unsigned long>(count),
                       static_cast<Py_ssize_t>(offset));
}

// parse_iso_opt(text: bytes, flags: int) -> (status, count, offset):
// parseDate1996_iso_opt of one text, for the error messages.
PyObject* pyParseIsoOpt(PyObject*, PyObject* args) {
  const char* text = nullptr;
  Py_ssize_t length = 0;
  unsigned flags = 0;
  if (!PyArg_ParseTuple(args, "y#I", &text, &length, &flags)) return nullptr;
  Sec1996 count = 0;
  std::size_t offset = 0;
  const Sec1996ParseStatus status =
      parseDate1996_iso_opt(text, static_cast<std::size_t>(length), flags, &count, &offset);
  return Py_BuildValue("(ikn)", static_cast<int>(status), static_cast<unsigned long>(count),
                       static_cast<Py_ssize_t>(offset));
}

// The reading flags of parseDate1996_iso_opt by the names the package uses.
bool addIsoFlags(PyObject* module) {
  PyObject* flags =
      Py_BuildValue("{sIsIsIsIsI}", "space", SEC1996_ISO_SPACE, "lower_z", SEC1996_ISO_LOWER_Z,
                    "utc_offset", SEC1996_ISO_UTC_OFFSET, "any_offset", SEC1996_ISO_ANY_OFFSET,
                    "floor_fraction", SEC1996_ISO_FLOOR_FRACTION);
  if (flags == nullptr) return false;
  if (PyModule_AddObject(module, "ISO_FLAGS", flags) < 0) {
    Py_DECREF(flags);
    return false;
  }
  return true;
}

PyMethodDef kMethods[] = {
    {"parse_iso_opt", pyParseIsoOpt, METH_VARARGS,
     "parse_iso_opt(text: bytes, flags: int) -> (status, count, offset): parseDate1996_iso_opt "
     "of one text."},
    {"format_width", pyFormatWidth, METH_VARARGS,
     "format_width(pattern: bytes) -> (status, width, or the offset of a bad pattern)."},
    {"parse_pattern_text", pyParsePatternText, METH_VARARGS,
     "parse_pattern_text(text: bytes, pattern: bytes) -> (status, count, offset): "
     "parseDate1996 of one text."},
    {nullptr, nullptr, 0, nullptr}};

}  // namespace

bool sec1996_ext::addPatternUfuncs(PyObject* module) {
  return addUfuncs(module, kUfuncs, std::size(kUfuncs)) &&
         PyModule_AddFunctions(module, kMethods) == 0 && addIsoFlags(module);
}
