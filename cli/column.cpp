// Column mode; see column.h.
//
// Every line is written with a few copies into the output buffer and the
// forms formatted in place there; nothing is allocated for a line that
// converts.
#include "column.h"

#include "fields.h"
#include "parse.h"

namespace sec1996::cli {
namespace {

constexpr char kQuote = '"';
constexpr char kCarriageReturn = '\r';

std::string lineWhere(unsigned long long number) { return "line " + std::to_string(number); }

// The likeliest cause of a field not found: a CSV file read as TSV.
std::string delimiterHint(std::string_view line, char delimiter) {
  if (delimiter != '\t' || line.find(',') == std::string_view::npos) return {};
  return " (fields are split at tabs unless -d says otherwise: -d , for CSV)";
}

}  // namespace

std::vector<std::string> writtenNames(std::string_view source, const std::vector<Form>& forms) {
  std::string_view base = source;
  bool suffixed = false;
  for (const Form form :
       {Form::kCount, Form::kIso8601, Form::kText, Form::kYearDay, Form::kPosix, Form::kPattern}) {
    std::string suffix(1, '_');
    suffix.append(formName(form));
    if (base.size() > suffix.size() && base.substr(base.size() - suffix.size()) == suffix) {
      base.remove_suffix(suffix.size());
      suffixed = true;
      break;
    }
  }
  std::vector<std::string> names;
  for (const Form form : forms) {
    if (suffixed && form == Form::kCount && forms.size() == 1) {
      names.emplace_back(base);  // back to counts, the field's name before
    } else {
      names.emplace_back(base).append(1, '_').append(formName(form));
    }
  }
  return names;
}

namespace {}  // namespace

ColumnConverter::ColumnConverter(const Options& options, Output& output, Reporter& reporter)
    : options_(options),
      output_(output),
      reporter_(reporter),
      field_(options.fieldNumber),
      headerPending_(options.header) {
  for (const Form form : options.forms) quoted_.push_back(formMayContain(form, options.delimiter));
  appendField(placeholder_, options.placeholder, options.delimiter);
}

ColumnConverter::Record ColumnConverter::split(const LineReader::Line& line) const {
  std::string_view text = line.text;
  const bool crlf = !text.empty() && text.back() == kCarriageReturn;
  if (crlf) text.remove_suffix(1);
  if (!line.newline) return {text, crlf ? "\r" : ""};
  return {text, crlf ? "\r\n" : "\n"};
}

void ColumnConverter::writeAsItStands(const LineReader::Line& line) {
  if (!options_.keep) return;
  // A long line's bytes went through as it was read; only its end is left.
  if (!line.tooLong) output_.write(line.text);
  if (line.newline) output_.write("\n");
}

void ColumnConverter::refuseLine(unsigned long long number, std::string_view text, bool cut,
                                 std::string_view reason) {
  reporter_.refuse(lineWhere(number), text, cut, reason);
}

void ColumnConverter::writeConverted(const Record& line, std::size_t begin, std::size_t end,
                                     const ParseResult* value) {
  const bool replace = options_.replace;
  output_.write(replace ? line.text.substr(0, begin) : line.text);
  for (std::size_t i = 0; i < options_.forms.size(); ++i) {
    if (i > 0 || !replace) output_.write(std::string_view(&options_.delimiter, 1));
    if (value == nullptr) {
      output_.write(placeholder_);
      continue;
    }
    if (options_.forms[i] == Form::kPattern) {
      // Any text at all: quoted where it holds the delimiter or a quote.
      char text[kMaxPatternLength + 1];
      const char* end = formatPattern(text, value->count, options_.outputPattern.c_str());
      patternField_.clear();
      appendField(patternField_, std::string_view(text, static_cast<std::size_t>(end - text)),
                  options_.delimiter);
      output_.write(patternField_);
      continue;
    }
    // Quotes, the form and its terminating zero.
    char* out = output_.reserve(kMaxFormLength + 3);
    if (quoted_[i]) *out++ = kQuote;
    out = formatForm(out, value->count, options_.forms[i], value->fraction, options_.codes);
    if (quoted_[i]) *out++ = kQuote;
    output_.commit(out);
  }
  if (replace) output_.write(line.text.substr(end));
  output_.write(line.ending);
}

void ColumnConverter::convertHeader(const LineReader::Line& line) {
  headerPending_ = false;
  if (line.tooLong) {
    refuseLine(1, line.text, true,
               "line longer than " + std::to_string(LineReader::kMaxInputLineLength) + " bytes");
    if (!options_.fieldName.empty()) field_ = 0;
    writeAsItStands(line);
    return;
  }
  const Record header = split(line);
  const bool named = !options_.fieldName.empty();
  const FieldAt found = named ? findNamedField(header.text, options_.delimiter, options_.fieldName)
                              : findField(header.text, options_.delimiter, field_);
  if (found.fault != LineFault::kNone || found.number == 0) {
    if (named) field_ = 0;
    refuseLine(1, header.text, false,
               (found.fault != LineFault::kNone
                    ? describeFault(found, field_)
                    : "no field named " + quoted(options_.fieldName, false) + " in the header") +
                   delimiterHint(header.text, options_.delimiter));
    writeAsItStands(line);
    return;
  }
  field_ = found.number;
  const std::vector<std::string> fieldNames =
      writtenNames(fieldText(header.text.substr(found.begin, found.end - found.begin), scratch_),
                   options_.forms);
  const bool replace = options_.replace;
  output_.write(replace ? header.text.substr(0, found.begin) : header.text);
  std::string names;
  for (std::size_t i = 0; i < options_.forms.size(); ++i) {
    if (i > 0 || !replace) names += options_.delimiter;
    appendField(names, fieldNames[i], options_.delimiter);
  }
  output_.write(names);
  if (replace) output_.write(header.text.substr(found.end));
  output_.write(header.ending);
}

void ColumnConverter::convert(const LineReader::Line& line, unsigned long long number) {
  if (headerPending_) {
    convertHeader(line);
    return;
  }
  if (field_ == 0) {  // the header lacks the field, as reported there
    writeAsItStands(line);
    return;
  }
  if (line.tooLong) {
    refuseLine(number, line.text, true,
               "line longer than " + std::to_string(LineReader::kMaxInputLineLength) + " bytes");
    writeAsItStands(line);
    return;
  }
  const Record text = split(line);
  const FieldAt found = findField(text.text, options_.delimiter, field_);
  if (found.fault == LineFault::kTooFewFields && firstShort_ != 0) {
    ++moreShort_;  // reported together at the end
    reporter_.count();
    writeAsItStands(line);
    return;
  }
  if (found.fault != LineFault::kNone) {
    if (found.fault == LineFault::kTooFewFields) firstShort_ = number;
    refuseLine(number, text.text, false,
               describeFault(found, field_) + delimiterHint(text.text, options_.delimiter));
    writeAsItStands(line);
    return;
  }
  const std::string_view value =
      fieldText(text.text.substr(found.begin, found.end - found.begin), scratch_);
  const ParseResult result = readValue(value, options_);
  if (result.ok) {
    writeConverted(text, found.begin, found.end, &result);
    return;
  }
  refuseLine(number, value, false, result.reason);
  if (options_.keep) writeConverted(text, found.begin, found.end, nullptr);
}

void ColumnConverter::finish() {
  if (moreShort_ == 0) return;
  reporter_.summarize(
      std::to_string(moreShort_) + (moreShort_ == 1 ? " more line has" : " more lines have") +
      " no field " + std::to_string(field_) + " (the first was line " +
      std::to_string(firstShort_) + "); " + (options_.keep ? "written as they stand" : "left out"));
}

}  // namespace sec1996::cli
