// The command line of the converter.  Two modes:
//
//   value mode   (no --field) each VALUE argument, or each line of standard
//                input, is one value; a line with its forms is printed for
//                each.  "-" among the VALUEs reads standard input there.
//   column mode  (--field) every line of standard input is a record of a
//                delimited file; the value in one of its fields is
//                converted and the line written back with the forms put in
//                place of the field or appended, every other byte as it was.
//
// A refused value is dropped by default in value mode (as the converter
// always did, and as scripts that filter with it expect) and keeps its line
// with a placeholder in column mode (whose lines carry other fields, which
// dropping would lose).  --keep and --drop choose in either mode.
#ifndef SEC1996_CLI_OPTIONS_H
#define SEC1996_CLI_OPTIONS_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes.h"
#include "format.h"
#include "parse.h"

namespace sec1996::cli {

struct Options {
  enum class Action { kConvert, kHelp, kVersion, kUsageError, kLeapList };
  Action action = Action::kConvert;
  std::string error;  // for kUsageError: what is wrong, in a few words

  struct Value {
    std::string_view text;  // "-" for standard input
    int position;           // in argv, as the shell numbers arguments
  };
  std::vector<Value> values;

  std::vector<Form> forms{std::begin(kAllForms), std::end(kAllForms)};
  // --format: the one form written is this layout (forms is {kPattern}).
  std::string outputPattern;
  // --input-format: values are read in this layout and no other.
  std::string inputPattern;
  bool header = false;
  bool keep = false;  // a refused value keeps its line
  std::string placeholder;

  bool column = false;
  std::size_t fieldNumber = 0;  // from 1; 0 when the field is named
  std::string fieldName;
  char delimiter = '\t';
  bool replace = false;

  // Values are the hex of this time code (--from), and the layouts of the
  // codes read and written.
  std::optional<Code> from;
  CodeLayouts codes;
  std::string leapSecondsFile;  // --leap-seconds; empty: the default table
};

// Reads argv; every problem is a kUsageError with its reason.
Options parseOptions(int argc, const char* const* argv);

// One value as the options read it (a time code's hex with --from, else
// parseValue), refused too when a time code among the forms cannot hold it.
ParseResult readValue(std::string_view input, const Options& options);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_OPTIONS_H
