/*
 * sec1996_sqlite.c - SQL functions of the Sec1996 time scale for SQLite, as
 * a loadable extension (.load libsec1996_sqlite, or load_extension()).
 *
 *   sec1996_iso(count)               the ISO 8601 text, 23:59:60 kept
 *   sec1996_from_iso(text)           the count of an ISO 8601 text
 *   sec1996_to_unixepoch(count)      POSIX seconds (the leap second gives
 *                                    the value of 23:59:59)
 *   sec1996_from_unixepoch(seconds)  the count of the second holding them
 *   sec1996_is_leap(count)           1 for the leap second, else 0
 *   sec1996_text(count)              "DD-Mon-YYYY HH:MM:SS"
 *   sec1996_format(count, pattern)   the text in a strftime-style pattern's
 *                                    layout, 23:59:60 kept
 *   sec1996_tai(count)               TAI seconds since 1958-01-01 TAI
 *
 * As SQLite's own date functions, each gives NULL for NULL and for input it
 * cannot convert.  Each has a twin with the suffix _strict that raises an
 * error saying what is wrong instead (NULL still gives NULL).  A count is
 * an integer 0 to 4294967295, or a real or a text of such an integral value.
 *
 * Everything about the scale comes from the library through its public
 * headers.  All functions but sec1996_tai read neither a file nor the
 * environment and are deterministic and innocuous, so they may be used in
 * indexes, generated columns and CHECK constraints.  sec1996_tai takes the
 * library's default leap-second list, which the first call in the process
 * loads from a file (or the built-in copy): a newer list changes the TAI of
 * counts past the older one's expiry, so it is registered as neither.
 */
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <sec1996.h>
#include <sec1996_scales.h>

#include <stdint.h>
#include <string.h>

typedef void (*ScalarFunction)(sqlite3_context*, int, sqlite3_value**);

/* One SQL function: its name, its C function, its error mode, its number
 * of arguments and whether its result depends on its arguments alone.  Each
 * row is its function's user data. */
typedef struct Sec1996Function {
  const char* name;
  ScalarFunction function;
  int strict;        /* 1: bad input raises an error; 0: it gives NULL */
  int arguments;     /* the number of arguments */
  int deterministic; /* 1: DETERMINISTIC and INNOCUOUS; 0: neither */
} Sec1996Function;

static const Sec1996Function* function_of(sqlite3_context* context) {
  return (const Sec1996Function*)sqlite3_user_data(context);
}

static int is_strict(sqlite3_context* context) { return function_of(context)->strict; }

/* Reports that the input could not be converted: NULL, or in the strict
 * mode an error "name: what". */
static void refuse(sqlite3_context* context, const char* what) {
  char* message;

  if (!is_strict(context)) return; /* the result stays NULL */
  message = sqlite3_mprintf("%s: %s", function_of(context)->name, what);
  if (message == NULL) {
    sqlite3_result_error_nomem(context);
    return;
  }
  sqlite3_result_error(context, message, -1);
  sqlite3_free(message);
}

/* The count in value, with numeric affinity: an integer 0 to 4294967295 or
 * a real of such an integral value.  Returns 0 and reports otherwise. */
static int read_count(sqlite3_context* context, sqlite3_value* value, Sec1996* count) {
  char* message;

  switch (sqlite3_value_numeric_type(value)) {
    case SQLITE_INTEGER: {
      sqlite3_int64 integer = sqlite3_value_int64(value);
      if (integer >= 0 && integer <= (sqlite3_int64)UINT32_MAX) {
        *count = (Sec1996)integer;
        return 1;
      }
      break;
    }
    case SQLITE_FLOAT: {
      double real = sqlite3_value_double(value);
      /* The range test comes first: it also turns NaN away, and keeps the
       * conversion below defined. */
      if (real >= 0.0 && real <= (double)UINT32_MAX && (double)(Sec1996)real == real) {
        *count = (Sec1996)real;
        return 1;
      }
      break;
    }
    default:
      break;
  }
  if (is_strict(context)) {
    message = sqlite3_mprintf("not a count (an integer 0 to %u): '%q'", (unsigned)UINT32_MAX,
                              (const char*)sqlite3_value_text(value));
    refuse(context, message != NULL ? message : "not a count");
    sqlite3_free(message);
  }
  return 0;
}

static void sec1996_iso(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Sec1996 count;
  char text[SEC1996_ISO_SIZE];

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || !read_count(context, argv[0], &count)) return;
  sqlite3_result_text(context, stringDate1996_iso(count, text), SEC1996_ISO_LENGTH,
                      SQLITE_TRANSIENT);
}

static void sec1996_text(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Sec1996 count;
  char text[SEC1996_TEXT_SIZE];

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || !read_count(context, argv[0], &count)) return;
  sqlite3_result_text(context, stringDate1996_r(count, text), -1, SQLITE_TRANSIENT);
}

static void sec1996_is_leap(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Sec1996 count;

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || !read_count(context, argv[0], &count)) return;
  sqlite3_result_int(context, isLeapSecond1996(count));
}

static void sec1996_to_unixepoch(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Sec1996 count;

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || !read_count(context, argv[0], &count)) return;
  sqlite3_result_int64(context, cvtFromSec1996_posix(count));
}

static void sec1996_from_iso(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const char* text;
  Sec1996 count = 0;
  size_t offset = 0;
  Sec1996ParseStatus status;
  char* message;

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  text = (const char*)sqlite3_value_text(argv[0]);
  if (text == NULL) {
    sqlite3_result_error_nomem(context);
    return;
  }
  status = parseDate1996_iso(text, (size_t)sqlite3_value_bytes(argv[0]), &count, &offset);
  if (status == SEC1996_PARSE_OK) {
    sqlite3_result_int64(context, count);
    return;
  }
  if (is_strict(context)) {
    message = sqlite3_mprintf("'%q' refused at character %llu: %s", text,
                              (unsigned long long)offset + 1, parseStatusText1996(status));
    refuse(context, message != NULL ? message : parseStatusText1996(status));
    sqlite3_free(message);
  }
}

static void sec1996_from_unixepoch(sqlite3_context* context, int argc, sqlite3_value** argv) {
  sqlite3_int64 seconds;
  Sec1996 count = 0;
  char* message;

  (void)argc;
  switch (sqlite3_value_numeric_type(argv[0])) {
    case SQLITE_NULL:
      return;
    case SQLITE_INTEGER:
      seconds = sqlite3_value_int64(argv[0]);
      break;
    case SQLITE_FLOAT: {
      /* The second a fractional time lies in: its floor.  Reals beyond
       * +-2^62 (and NaN) are far off the scale and would not convert. */
      double real = sqlite3_value_double(argv[0]);
      if (!(real > -4611686018427387904.0 && real < 4611686018427387904.0)) {
        refuse(context, "seconds off the scale");
        return;
      }
      seconds = (sqlite3_int64)real;
      if ((double)seconds > real) seconds--;
      break;
    }
    default:
      if (is_strict(context)) {
        message = sqlite3_mprintf("not a number of seconds: '%q'",
                                  (const char*)sqlite3_value_text(argv[0]));
        refuse(context, message != NULL ? message : "not a number of seconds");
        sqlite3_free(message);
      }
      return;
  }
  if (cvtToSec1996_posix_checked(seconds, &count) != SEC1996_PARSE_OK) {
    if (is_strict(context)) {
      message = sqlite3_mprintf("%lld seconds lie %s", (long long)seconds,
                                parseStatusText1996(SEC1996_PARSE_OUT_OF_SPAN));
      refuse(context, message != NULL ? message : "seconds off the scale");
      sqlite3_free(message);
    }
    return;
  }
  sqlite3_result_int64(context, count);
}

/* The count's TAI from the default list.  A count at or past the list's
 * expiry gets its value, which assumes no further leap second, in both
 * modes: that is a caveat of every such value, not bad input. */
static void sec1996_tai(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Sec1996 count;
  int64_t tai = 0;
  Sec1996ParseStatus status;
  char* message;

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || !read_count(context, argv[0], &count)) return;
  status = cvtFromSec1996_tai(NULL, count, &tai);
  if (status == SEC1996_PARSE_OK || status == SEC1996_PARSE_LIST_EXPIRED) {
    sqlite3_result_int64(context, tai);
    return;
  }
  /* Only a list that starts after the count refuses it. */
  if (is_strict(context)) {
    message = sqlite3_mprintf("no TAI-UTC for count %u in the leap-second list", (unsigned)count);
    refuse(context, message != NULL ? message : parseStatusText1996(status));
    sqlite3_free(message);
  }
}

static void sec1996_format(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Sec1996 count;
  const char* pattern;
  size_t patternLength;
  char small[256];
  char* buffer = small;
  size_t length = 0;
  Sec1996ParseStatus status;
  char* message;

  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL ||
      !read_count(context, argv[0], &count))
    return;
  pattern = (const char*)sqlite3_value_text(argv[1]);
  if (pattern == NULL) {
    sqlite3_result_error_nomem(context);
    return;
  }
  /* The library reads a pattern up to its first zero byte: one inside the
   * value would cut it short unseen, so it is refused there. */
  patternLength = strlen(pattern);
  if (patternLength != (size_t)sqlite3_value_bytes(argv[1])) {
    status = SEC1996_PARSE_PATTERN;
    length = patternLength;
  } else {
    status = formatDate1996(count, pattern, buffer, sizeof small, &length);
    if (status == SEC1996_PARSE_BUFFER_TOO_SMALL) {
      buffer = sqlite3_malloc64(length);
      if (buffer == NULL) {
        sqlite3_result_error_nomem(context);
        return;
      }
      status = formatDate1996(count, pattern, buffer, length, &length);
    }
  }
  if (status == SEC1996_PARSE_OK) {
    sqlite3_result_text(context, buffer, (int)length, SQLITE_TRANSIENT);
  } else if (is_strict(context)) {
    message = sqlite3_mprintf("pattern '%q' refused at character %llu: %s", pattern,
                              (unsigned long long)length + 1, parseStatusText1996(status));
    refuse(context, message != NULL ? message : parseStatusText1996(status));
    sqlite3_free(message);
  }
  if (buffer != small) sqlite3_free(buffer);
}

static const Sec1996Function kFunctions[] = {
    {"sec1996_iso", sec1996_iso, 0, 1, 1},
    {"sec1996_iso_strict", sec1996_iso, 1, 1, 1},
    {"sec1996_from_iso", sec1996_from_iso, 0, 1, 1},
    {"sec1996_from_iso_strict", sec1996_from_iso, 1, 1, 1},
    {"sec1996_to_unixepoch", sec1996_to_unixepoch, 0, 1, 1},
    {"sec1996_to_unixepoch_strict", sec1996_to_unixepoch, 1, 1, 1},
    {"sec1996_from_unixepoch", sec1996_from_unixepoch, 0, 1, 1},
    {"sec1996_from_unixepoch_strict", sec1996_from_unixepoch, 1, 1, 1},
    {"sec1996_is_leap", sec1996_is_leap, 0, 1, 1},
    {"sec1996_is_leap_strict", sec1996_is_leap, 1, 1, 1},
    {"sec1996_text", sec1996_text, 0, 1, 1},
    {"sec1996_text_strict", sec1996_text, 1, 1, 1},
    {"sec1996_format", sec1996_format, 0, 2, 1},
    {"sec1996_format_strict", sec1996_format, 1, 2, 1},
    {"sec1996_tai", sec1996_tai, 0, 1, 0},
    {"sec1996_tai_strict", sec1996_tai, 1, 1, 0},
};

/* The entry point SQLite derives from the file name libsec1996_sqlite. */
__attribute__((visibility("default"))) int sqlite3_secsqlite_init(sqlite3* db, char** errorMessage,
                                                                  const sqlite3_api_routines* api) {
  size_t i;
  int rc = SQLITE_OK;

  (void)errorMessage;
  SQLITE_EXTENSION_INIT2(api);
  for (i = 0; i < sizeof kFunctions / sizeof kFunctions[0] && rc == SQLITE_OK; i++) {
    int flags = SQLITE_UTF8;
    if (kFunctions[i].deterministic) flags |= SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    rc = sqlite3_create_function(db, kFunctions[i].name, kFunctions[i].arguments, flags,
                                 (void*)&kFunctions[i], kFunctions[i].function, NULL, NULL);
  }
  return rc;
}
