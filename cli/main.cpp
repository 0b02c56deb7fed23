// sec1996: converts counts of the Sec1996 scale to dates and dates to
// counts, one value per argument or per line of standard input, and prints
// every form of each as a tab-separated line.  Input is checked strictly
// (parse.h); refused values are reported on standard error and never stop
// the run.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "format.h"
#include "io.h"
#include "parse.h"

#ifndef SEC1996_VERSION
#error "SEC1996_VERSION must be defined by the build"
#endif

namespace {

using namespace sec1996::cli;

constexpr int kExitSuccess = 0;
constexpr int kExitRefused = 1;
constexpr int kExitTrouble = 2;
// Messages show at most this much of a refused input.
constexpr std::size_t kShownInputLength = 48;

constexpr char kUsage[] =
    "usage: sec1996 [--header] [--] [VALUE...]\n"
    "       sec1996 --help | --version\n";

constexpr char kHelp[] =
    "Converts between the Sec1996 count (seconds since 1996-01-01 00:00:00 UTC,\n"
    "inserted leap seconds included) and UTC dates.  Each VALUE is converted;\n"
    "without VALUEs, standard input is read, one value per line.\n"
    "\n"
    "A value is one of:\n"
    "  4294967295             a count: decimal digits, 0 to 4294967295 (leading\n"
    "                         zeros allowed, no sign)\n"
    "  1997-06-30T23:59:60Z   ISO 8601 YYYY-MM-DDTHH:MM:SS, the Z optional;\n"
    "                         second 60 only on a leap second of the scale\n"
    "  30-Jun-1997 23:59:59   the library's text DD-Mon-YYYY HH:MM:SS\n"
    "  1997.182.000000        year.day-of-year YYYY.DDD.ffffff as CvtTest prints\n"
    "                         it: six decimals, a day below 10 with or without\n"
    "                         a leading blank (1996. 1.000000)\n"
    "Dates run from 1996-01-01 00:00:00 to 2132-02-07 06:28:14 UTC and must\n"
    "exist: no month 13, no 30 February, no 24:00:00.  Nothing may precede or\n"
    "follow a value, not even a blank; empty lines are refused too.\n"
    "\n"
    "Each accepted value prints one line of four tab-separated columns:\n"
    "  count     the count, in decimal\n"
    "  iso8601   YYYY-MM-DDTHH:MM:SSZ; a leap second shows as 23:59:60\n"
    "  text      the library's DD-Mon-YYYY HH:MM:SS (a leap second reads 23:59:59)\n"
    "  yearday   the year and day of the year as CvtTest prints them (a leap\n"
    "            second reads as the end of its day, 1997.182.000000)\n"
    "A refused value prints no line; a one-line message on standard error names\n"
    "it (and its line number when read from standard input), and the run goes on.\n"
    "\n"
    "Options:\n"
    "  --header   print the column names first\n"
    "  --help     print this help\n"
    "  --version  print the version\n"
    "  --         treat every later argument as a value\n"
    "\n"
    "Exit status: 0 if every value was converted, 1 if any was refused, 2 on a\n"
    "usage error or if input could not be read or output not written.\n";

// The input as a message shows it: in quotes, with anything unprintable
// escaped so the message stays on one line, and cut short when long.
std::string quoted(std::string_view input, bool cut) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kLastPrintable = 0x7e;
  std::string text = "\"";
  const bool shorten = cut || input.size() > kShownInputLength;
  for (const char c : input.substr(0, kShownInputLength)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (byte >= kFirstPrintable && byte <= kLastPrintable) {
      text += c;
    } else {
      text += "\\x";
      text += kHexDigits[byte >> 4];
      text += kHexDigits[byte & 0xf];
    }
  }
  text += shorten ? "\"..." : "\"";
  return text;
}

void complain(std::string_view message) {
  const std::string line = "sec1996: " + std::string(message) + "\n";
  writeAll(STDERR_FILENO, line);
}

int printText(std::string_view text) {
  if (writeAll(STDOUT_FILENO, text)) return kExitSuccess;
  const int error = errno;
  complain(std::string("cannot write standard output: ") + std::strerror(error));
  return kExitTrouble;
}

class Converter {
 public:
  explicit Converter(Output& output) : output_(output) {}

  // Converts one value; where names it in a message ("line 7").
  template <typename Where>
  void convert(std::string_view input, Where&& where) {
    ParseResult result = parseValue(input);
    if (result.ok) {
      char* at = output_.reserve(kMaxLineLength);
      output_.commit(formatLine(at, result.count));
    } else {
      refuse(where(), input, false, result.reason);
    }
  }

  void refuse(const std::string& where, std::string_view input, bool cut,
              const std::string& reason) {
    // Whatever is buffered goes first, so that a message follows the lines
    // before it when both streams reach the same file or terminal.
    output_.flush();
    complain(where + ": " + quoted(input, cut) + ": " + reason);
    refused_ = true;
  }

  bool refused() const { return refused_; }

 private:
  Output& output_;
  bool refused_ = false;
};

void convertInput(Converter& converter, Output& output, bool& readFailed) {
  LineReader reader(STDIN_FILENO, [&output] { output.flush(); });
  LineReader::Line line;
  unsigned long long number = 0;
  for (;;) {
    const LineReader::Status status = reader.next(line);
    if (status == LineReader::Status::kEnd) return;
    if (status == LineReader::Status::kError) {
      complain(std::string("cannot read standard input: ") + std::strerror(reader.error()));
      readFailed = true;
      return;
    }
    ++number;
    const auto where = [number] { return "line " + std::to_string(number); };
    if (line.tooLong) {
      converter.refuse(where(), line.text, true,
                       "line longer than " + std::to_string(LineReader::kMaxLineLength) + " bytes");
    } else {
      converter.convert(line.text, where);
    }
    if (output.failed()) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool header = false;
  struct Value {
    std::string_view text;
    int position;  // in argv, as the shell numbers arguments
  };
  std::vector<Value> values;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    // "-5" is a value, to be refused as a negative count, not an option.
    const bool looksLikeOption =
        argument.size() > 1 && argument[0] == '-' && !(argument[1] >= '0' && argument[1] <= '9');
    if (optionsEnded || !looksLikeOption) {
      values.push_back({argument, i});
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--header") {
      header = true;
    } else if (argument == "--help" || argument == "-h") {
      return printText(std::string(kUsage) + "\n" + kHelp);
    } else if (argument == "--version") {
      return printText("sec1996 " SEC1996_VERSION "\n");
    } else {
      complain("unknown option " + quoted(argument, false));
      std::fputs(kUsage, stderr);
      return kExitTrouble;
    }
  }

  Output output(STDOUT_FILENO);
  Converter converter(output);
  bool readFailed = false;
  if (header) output.write(kHeader);
  if (values.empty()) {
    convertInput(converter, output, readFailed);
  } else {
    for (const Value& value : values) {
      if (output.failed()) break;
      converter.convert(value.text,
                        [&value] { return "argument " + std::to_string(value.position); });
    }
  }
  if (!output.flush()) {
    complain(std::string("cannot write standard output: ") + std::strerror(output.error()));
    return kExitTrouble;
  }
  if (readFailed) return kExitTrouble;
  return converter.refused() ? kExitRefused : kExitSuccess;
}
