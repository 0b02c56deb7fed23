// Reading the command line; see options.h.
#include "options.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "report.h"
#include "timescale/sec1996.h"

namespace sec1996::cli {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

Options usageError(std::string reason) {
  Options options;
  options.action = Options::Action::kUsageError;
  options.error = std::move(reason);
  return options;
}

// The forms named in a comma-separated list, or the reason it is wrong.
std::optional<std::string> readForms(std::string_view list, std::vector<Form>& forms) {
  forms.clear();
  for (std::size_t start = 0;;) {
    const std::size_t comma = list.find(',', start);
    const std::string_view name = list.substr(start, comma - start);
    bool known = false;
    const auto pick = [&](const auto& group) {
      for (const Form form : group) {
        if (formName(form) == name) {
          forms.push_back(form);
          known = true;
        }
      }
    };
    pick(kNamedForms);
    pick(kTrueTimeForms);
    if (!known) {
      return "unknown output form " + quoted(name, false) +
             " (count, iso8601, text, yearday, posix, cuc, cds, ccs, tai, tt, gps or gps-week)";
    }
    if (comma == std::string_view::npos) return std::nullopt;
    start = comma + 1;
  }
}

std::optional<std::string> readField(std::string_view text, Options& options) {
  if (text.empty()) return "an empty --field: give a field number from 1, or a name";
  bool allDigits = true;
  for (const char c : text) allDigits = allDigits && isDigit(c);
  if (!allDigits) {
    options.fieldNumber = 0;
    options.fieldName = text;
    return std::nullopt;
  }
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc{} || end != text.data() + text.size()) {
    return "field number " + quoted(text, false) + " is too large";
  }
  if (number == 0) return "fields are numbered from 1";
  options.fieldNumber = number;
  options.fieldName.clear();
  return std::nullopt;
}

std::optional<std::string> readDelimiter(std::string_view text, Options& options) {
  if (text.size() != 1) {
    return "the delimiter must be one character, not " + quoted(text, false) + " (tab: -d $'\\t')";
  }
  if (text[0] == '"' || text[0] == '\n' || text[0] == '\r') {
    return "the delimiter cannot be a quote or a line break";
  }
  options.delimiter = text[0];
  return std::nullopt;
}

// A pattern of formatDate1996 (for writing) or parseDate1996 (for
// reading), or the reason it is refused.
std::optional<std::string> readPattern(std::string_view option, std::string_view text,
                                       bool forReading, std::string& pattern) {
  pattern = text;
  if (pattern.empty()) return "an empty " + std::string(option);
  if (pattern.find('\0') != std::string::npos) return std::string(option) + ": a zero byte";
  Sec1996ParseStatus status = SEC1996_PARSE_OK;
  std::size_t offset = 0;
  if (forReading) {
    status = parseDate1996("", 0, pattern.c_str(), nullptr, &offset);
  } else {
    char text1[kMaxPatternLength + 1];
    status = formatDate1996(0, pattern.c_str(), text1, sizeof text1, &offset);
  }
  if (status != SEC1996_PARSE_PATTERN) return std::nullopt;
  std::string reason = std::string(option) + " " + quoted(pattern, false) + ": ";
  if (offset >= pattern.size()) {
    return reason +
           (offset >= SEC1996_PATTERN_MAX_LENGTH
                ? "longer than " + std::to_string(SEC1996_PATTERN_MAX_LENGTH) + " characters"
                : std::string("names no year (%Y, %y, %F, %D) and is not %s"));
  }
  if (forReading && pattern.compare(offset, 2, "%s") == 0) {
    return reason + "%s takes no other date or time conversion (but %z and %Z)";
  }
  const std::size_t width = pattern.compare(offset, 2, "%E") == 0 ? 3 : 2;
  return reason + "conversion " + quoted(pattern.substr(offset, width), false) + " at offset " +
         std::to_string(offset) + " cannot be " + (forReading ? "read" : "written") +
         " (see sec1996(1))";
}

}  // namespace

Options parseOptions(int argc, const char* const* argv) {
  Options options;
  std::optional<bool> keep;
  std::string_view columnOnly;  // the first option given that needs --field
  bool outputGiven = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    // "-5" is a value, to be refused as a negative count, not an option;
    // "-" is standard input.
    const bool looksLikeOption = argument.size() > 1 && argument[0] == '-' && !isDigit(argument[1]);
    if (optionsEnded || !looksLikeOption) {
      options.values.push_back({argument, i});
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }

    // The option's name and, for those that take one, its argument:
    // --name=ARG, --name ARG, -xARG or -x ARG.
    std::string_view name = argument;
    std::optional<std::string_view> attached;
    if (argument.substr(0, 2) == "--") {
      const std::size_t equals = argument.find('=');
      if (equals != std::string_view::npos) {
        name = argument.substr(0, equals);
        attached = argument.substr(equals + 1);
      }
    } else if (argument.size() > 2) {
      name = argument.substr(0, 2);
      attached = argument.substr(2);
    }
    const auto is = [name](std::string_view shortName, std::string_view longName) {
      return (!shortName.empty() && name == shortName) || name == longName;
    };
    const bool takesArgument =
        is("-f", "--field") || is("-d", "--delimiter") || is("-o", "--output") ||
        is("-p", "--placeholder") || is("", "--from") || is("", "--cuc-octets") ||
        is("", "--cuc-level") || is("", "--cds-day") || is("", "--cds-sub") ||
        is("", "--cds-epoch") || is("", "--ccs-calendar") || is("", "--ccs-octets") ||
        is("", "--format") || is("", "--input-format") || is("", "--leap-seconds");
    std::string_view value;
    if (takesArgument) {
      if (attached) {
        value = *attached;
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        return usageError("option " + std::string(name) + " needs an argument");
      }
    } else if (attached) {
      return usageError("unknown option " + quoted(argument, false));
    }

    std::optional<std::string> problem;
    if (is("-h", "--help")) {
      options.action = Options::Action::kHelp;
      return options;
    } else if (is("", "--version")) {
      options.action = Options::Action::kVersion;
      return options;
    } else if (is("", "--leap-list")) {
      options.action = Options::Action::kLeapList;
    } else if (is("", "--leap-seconds")) {
      if (value.empty()) problem = "an empty --leap-seconds: give a leap-seconds.list file";
      options.leapSecondsFile = value;
    } else if (is("", "--header")) {
      options.header = true;
    } else if (is("-f", "--field")) {
      options.column = true;
      problem = readField(value, options);
    } else if (is("-d", "--delimiter")) {
      if (columnOnly.empty()) columnOnly = name;
      problem = readDelimiter(value, options);
    } else if (is("-o", "--output")) {
      outputGiven = true;
      problem = readForms(value, options.forms);
    } else if (is("", "--format")) {
      problem = readPattern(name, value, false, options.outputPattern);
    } else if (is("", "--input-format")) {
      problem = readPattern(name, value, true, options.inputPattern);
    } else if (is("-r", "--replace") || is("-a", "--append")) {
      if (columnOnly.empty()) columnOnly = name;
      options.replace = is("-r", "--replace");
    } else if (is("-k", "--keep") || is("", "--drop")) {
      keep = is("-k", "--keep");
    } else if (is("-p", "--placeholder")) {
      if (value.find_first_of("\r\n") != std::string_view::npos) {
        problem = "the placeholder cannot hold a line break";
      }
      options.placeholder = value;
      keep = true;
    } else if (is("", "--from")) {
      options.from = codeNamed(value);
      if (!options.from) problem = "--from takes cuc, cds or ccs, not " + quoted(value, false);
    } else if (is("", "--cuc-octets")) {
      problem = readCucOctets(value, options.codes);
    } else if (is("", "--cuc-level")) {
      problem = readCucLevel(value, options.codes);
    } else if (is("", "--cds-day")) {
      problem = readCdsDay(value, options.codes);
    } else if (is("", "--cds-sub")) {
      problem = readCdsSub(value, options.codes);
    } else if (is("", "--cds-epoch")) {
      problem = readCdsEpoch(value, options.codes);
    } else if (is("", "--ccs-calendar")) {
      problem = readCcsCalendar(value, options.codes);
    } else if (is("", "--ccs-octets")) {
      problem = readCcsOctets(value, options.codes);
    } else if (is("", "--no-pfield")) {
      leaveOutPFields(options.codes);
    } else {
      problem = "unknown option " + quoted(argument, false);
    }
    if (problem) return usageError(*std::move(problem));
  }

  if (!options.outputPattern.empty() || outputGiven) {
    if (!options.outputPattern.empty() && outputGiven) {
      return usageError("--format and --output exclude each other: --format writes one form");
    }
    if (!options.outputPattern.empty()) options.forms = {Form::kPattern};
  }
  if (!options.column && !columnOnly.empty()) {
    return usageError("option " + std::string(columnOnly) + " needs --field");
  }
  if (options.column) {
    for (const Options::Value& value : options.values) {
      if (value.text != "-") {
        return usageError("--field reads standard input, so it takes no VALUE (argument " +
                          std::to_string(value.position) + " is " + quoted(value.text, false) +
                          ")");
      }
    }
    // A field is found by name in the header line.
    if (!options.fieldName.empty()) options.header = true;
  }
  options.keep = keep.value_or(options.column);
  if (options.action == Options::Action::kLeapList && !options.values.empty()) {
    return usageError("--leap-list takes no VALUE");
  }
  return options;
}

ParseResult readValue(std::string_view input, const Options& options) {
  ParseResult result = options.from ? parseCode(input, *options.from, options.codes)
                                    : parseValue(input, options.inputPattern);
  if (!result.ok) return result;
  for (const Form form : options.forms) {
    for (std::size_t i = 0; i < std::size(kCodeForms); ++i) {
      if (form != kCodeForms[i]) continue;
      const auto code = static_cast<Code>(i);
      if (auto problem = codeProblem(result.count, result.fraction, code, options.codes)) {
        return {false, 0, *std::move(problem)};
      }
    }
  }
  return result;
}

}  // namespace sec1996::cli
