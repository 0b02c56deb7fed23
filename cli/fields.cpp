// Finding and quoting the fields of a delimited line; see fields.h.
//
// Most lines hold no quote and no carriage return; two searches of the line
// (memchr, through string_view::find) tell, and the field is then found by
// searching for the delimiter alone, without looking at the fields after
// it.  Other lines are read field by field to the end.
#include "fields.h"

namespace sec1996::cli {
namespace {

constexpr char kQuote = '"';
constexpr char kCarriageReturn = '\r';
constexpr std::size_t kNoNext = std::string_view::npos;

bool holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// One field read from at, where a field starts.
struct Scan {
  std::size_t end;   // of the field, its closing quote included
  std::size_t next;  // where the next field starts, or kNoNext at the line's end
  LineFault fault;
};

Scan scanField(std::string_view line, std::size_t at, char delimiter) {
  if (at < line.size() && line[at] == kQuote) {
    for (std::size_t i = at + 1;;) {
      i = line.find(kQuote, i);
      if (i == std::string_view::npos) return {line.size(), kNoNext, LineFault::kUnbalancedQuotes};
      if (i + 1 < line.size() && line[i + 1] == kQuote) {
        i += 2;  // a doubled quote, part of the text
        continue;
      }
      const std::size_t end = i + 1;
      if (end == line.size()) return {end, kNoNext, LineFault::kNone};
      if (line[end] == delimiter) return {end, end + 1, LineFault::kNone};
      return {end, kNoNext, LineFault::kTextAfterQuote};
    }
  }
  const std::size_t found = line.find(delimiter, at);
  const std::size_t end = found != std::string_view::npos ? found : line.size();
  if (holds(line.substr(at, end - at), kCarriageReturn)) {
    return {end, kNoNext, LineFault::kCarriageReturn};
  }
  return {end, found != std::string_view::npos ? end + 1 : kNoNext, LineFault::kNone};
}

// Reads every field of line, stopping at the first fault, and calls
// accept(number, begin, end) for each field read.  The result holds the
// fault, if any, or else the number of fields in faultField.
template <typename Accept>
FieldAt scanLine(std::string_view line, char delimiter, Accept&& accept) {
  std::size_t at = 0;
  for (std::size_t number = 1;; ++number) {
    const Scan scan = scanField(line, at, delimiter);
    if (scan.fault != LineFault::kNone) {
      FieldAt fault;
      fault.fault = scan.fault;
      fault.faultField = number;
      return fault;
    }
    accept(number, at, scan.end);
    if (scan.next == kNoNext) {
      FieldAt end;
      end.faultField = number;  // the number of fields
      return end;
    }
    at = scan.next;
  }
}

}  // namespace

FieldAt findField(std::string_view line, char delimiter, std::size_t number) {
  FieldAt result;
  if (!holds(line, kQuote) && !holds(line, kCarriageReturn)) {
    std::size_t at = 0;
    for (std::size_t field = 1;; ++field) {
      const std::size_t found = line.find(delimiter, at);
      const std::size_t end = found != std::string_view::npos ? found : line.size();
      if (field == number) {
        result.number = number;
        result.begin = at;
        result.end = end;
        return result;
      }
      if (found == std::string_view::npos) {
        result.fault = LineFault::kTooFewFields;
        result.faultField = field;
        return result;
      }
      at = end + 1;
    }
  }
  const FieldAt scanned =
      scanLine(line, delimiter, [&](std::size_t field, std::size_t begin, std::size_t end) {
        if (field == number) {
          result.number = number;
          result.begin = begin;
          result.end = end;
        }
      });
  if (scanned.fault != LineFault::kNone) return scanned;
  if (result.number == 0) {
    result.fault = LineFault::kTooFewFields;
    result.faultField = scanned.faultField;
  }
  return result;
}

FieldAt findNamedField(std::string_view line, char delimiter, std::string_view name) {
  FieldAt result;
  std::string scratch;
  const FieldAt scanned =
      scanLine(line, delimiter, [&](std::size_t field, std::size_t begin, std::size_t end) {
        if (result.number == 0 && fieldText(line.substr(begin, end - begin), scratch) == name) {
          result.number = field;
          result.begin = begin;
          result.end = end;
        }
      });
  return scanned.fault != LineFault::kNone ? scanned : result;
}

std::string_view fieldText(std::string_view field, std::string& scratch) {
  if (field.size() < 2 || field.front() != kQuote) return field;
  const std::string_view inside = field.substr(1, field.size() - 2);
  if (!holds(inside, kQuote)) return inside;
  scratch.clear();
  for (std::size_t i = 0; i < inside.size(); ++i) {
    scratch += inside[i];
    if (inside[i] == kQuote) ++i;  // the second of a doubled quote
  }
  return scratch;
}

bool needsQuotes(std::string_view text, char delimiter) {
  for (const char c : text) {
    if (c == delimiter || c == kQuote || c == kCarriageReturn || c == '\n') return true;
  }
  return false;
}

void appendField(std::string& out, std::string_view text, char delimiter) {
  if (!needsQuotes(text, delimiter)) {
    out += text;
    return;
  }
  out += kQuote;
  for (const char c : text) {
    if (c == kQuote) out += kQuote;
    out += c;
  }
  out += kQuote;
}

std::string describeFault(const FieldAt& field, std::size_t wanted) {
  const std::string where = "field " + std::to_string(field.faultField);
  switch (field.fault) {
    case LineFault::kUnbalancedQuotes:
      return where + ": a quoted field does not end on its line (unbalanced quotes)";
    case LineFault::kTextAfterQuote:
      return where + ": characters after the closing quote (a quote inside quotes is written \"\")";
    case LineFault::kCarriageReturn:
      return where + ": a carriage return inside the line (CR line endings?)";
    case LineFault::kTooFewFields:
      return "only " + std::to_string(field.faultField) +
             (field.faultField == 1 ? " field" : " fields") + ", no field " +
             std::to_string(wanted);
    case LineFault::kNone:
      break;
  }
  return {};
}

}  // namespace sec1996::cli
