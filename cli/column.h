// Column mode: one field of every line of a delimited file converted, the
// line written back with the forms in place of the field (--replace) or
// appended as new fields at its end, every other byte as it was.
//
// Output keeps one line per input line wherever a refused line is kept:
//   - a refused value: the placeholder stands in for each form;
//   - a line the field cannot be taken from (unbalanced quotes, a CR inside
//     it, too few fields, longer than the reader's limit, or any line once
//     the header lacks the named field): the line as it stands.
// Each is reported on standard error with its line number, except that a
// header without the named field is reported once, not on every line after
// it, and of the lines with too few fields only the first is, the others
// counted in one message at the end.  Where the delimiter is the default tab
// and the line holds commas, the message says so.  Under --drop such lines
// print nothing.
//
// A CR that ends a line (CRLF, as RFC 4180 writes records) is kept at the
// end of the line, after any appended fields; a last line without a newline
// is written without one.
#ifndef SEC1996_CLI_COLUMN_H
#define SEC1996_CLI_COLUMN_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "io.h"
#include "options.h"
#include "report.h"

namespace sec1996::cli {

// The header names of the fields written from the field named source, one
// for each form: source and the form's name, "time" giving "time_iso8601".
// A name that already ends in one form's suffix ("time_iso8601", as an
// earlier pass wrote it) has it taken off first, so names never grow:
// "time_iso8601" gives "time_text"; and written back as counts alone it
// gives the name it came from, "time", so a round trip restores the header.
std::vector<std::string> writtenNames(std::string_view source, const std::vector<Form>& forms);

class ColumnConverter {
 public:
  ColumnConverter(const Options& options, Output& output, Reporter& reporter);

  // Line number (from 1) as the reader gave it.  The bytes of a line too
  // long to keep have already been written when the line is kept (see
  // LineReader::passLongLines).
  void convert(const LineReader::Line& line, unsigned long long number);

  // After the last line: the lines without the field after the first one
  // are reported there, in one message with their number.
  void finish();

 private:
  struct Record {
    std::string_view text;  // without a CR that ends it
    std::string_view ending;
  };
  Record split(const LineReader::Line& line) const;
  void convertHeader(const LineReader::Line& line);
  void writeAsItStands(const LineReader::Line& line);
  // The line with each form's text, or with the placeholder for each when
  // value is null, at the field [begin, end) or after the line.
  void writeConverted(const Record& line, std::size_t begin, std::size_t end,
                      const ParseResult* value);
  void refuseLine(unsigned long long number, std::string_view text, bool cut,
                  std::string_view reason);

  const Options& options_;
  Output& output_;
  Reporter& reporter_;
  std::size_t field_;                  // 0 once the header lacks the named field
  bool headerPending_;                 // the next line is the header
  std::vector<bool> quoted_;           // for each form: whether its text needs quotes
  std::string placeholder_;            // as written, quoted where needed
  std::string scratch_;                // for the text of a field with doubled quotes
  std::string patternField_;           // a --format text as a field, quoted where needed
  unsigned long long firstShort_ = 0;  // the first line without the field, reported
  unsigned long long moreShort_ = 0;   // the lines without it after that one
};

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_COLUMN_H
