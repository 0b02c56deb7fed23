// Reading the command line; see options.h.
#include "options.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "report.h"

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
    pick(kAllForms);
    pick(kTrueTimeForms);
    if (!known) {
      return "unknown output form " + quoted(name, false) +
             " (count, iso8601, text, yearday, tai, tt, gps or gps-week)";
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

}  // namespace

Options parseOptions(int argc, const char* const* argv) {
  Options options;
  std::optional<bool> keep;
  std::string_view columnOnly;  // the first option given that needs --field
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
    const bool takesArgument = is("-f", "--field") || is("-d", "--delimiter") ||
                               is("-o", "--output") || is("-p", "--placeholder") ||
                               is("", "--leap-seconds");
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
      problem = readForms(value, options.forms);
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
    } else {
      problem = "unknown option " + quoted(argument, false);
    }
    if (problem) return usageError(*std::move(problem));
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

}  // namespace sec1996::cli
