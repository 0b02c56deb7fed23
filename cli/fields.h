// The fields of one line of a delimited file (CSV, TSV), read the way
// RFC 4180 reads a record: fields are separated by one delimiter byte; a
// field that starts with a double quote is quoted, runs to the next quote
// that is not doubled, and must end there (at the delimiter or the end of
// the line); inside it the delimiter, a carriage return and a doubled quote
// ("") are text.  A quote inside an unquoted field is an ordinary byte, as
// most writers of such files leave it.
//
// The converter reads one record per line: a quoted field that would run on
// to the next line is reported as unbalanced quotes, so that one stray quote
// can never swallow the lines after it.  A carriage return outside quotes
// (CR line endings, or a stray CR) is reported too; the caller takes a CR
// that ends the line (CRLF) off before asking.
#ifndef SEC1996_CLI_FIELDS_H
#define SEC1996_CLI_FIELDS_H

#include <cstddef>
#include <string>
#include <string_view>

namespace sec1996::cli {

// What can keep a field from being found in a line.
enum class LineFault {
  kNone,
  kUnbalancedQuotes,  // a quoted field does not end on its line
  kTextAfterQuote,    // "ab"c: the closing quote is not the end of the field
  kCarriageReturn,    // a CR outside quotes
  kTooFewFields,      // the line ends before the field asked for
};

struct FieldAt {
  LineFault fault = LineFault::kNone;
  // The field the fault lies in, counted from 1; for kTooFewFields the
  // number of fields the line has.
  std::size_t faultField = 0;
  // The field found, counted from 1 (0 when none), and where it lies in the
  // line, its quotes included: [begin, end).
  std::size_t number = 0;
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Field number (counted from 1) of line.  The whole line is checked, so a
// fault after the field is reported too: columns appended at the end of
// such a line would land inside a quoted field.
FieldAt findField(std::string_view line, char delimiter, std::size_t number);

// The first field of line whose text (see fieldText) is name; number 0 and
// no fault when no field has that text.  The whole line is checked.
FieldAt findNamedField(std::string_view line, char delimiter, std::string_view name);

// The text of a field as found in a line: without its quotes and with each
// doubled quote made single.  Only that last case uses scratch.
std::string_view fieldText(std::string_view field, std::string& scratch);

// Whether text must be quoted to stand as one field.
bool needsQuotes(std::string_view text, char delimiter);

// Appends text to out as one field: as it stands, or in quotes with its own
// quotes doubled where needsQuotes says so.
void appendField(std::string& out, std::string_view text, char delimiter);

// A fault in the words of a message ("only 2 fields, no field 3"); wanted
// is the number of the field that was looked for.
std::string describeFault(const FieldAt& field, std::size_t wanted);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_FIELDS_H
