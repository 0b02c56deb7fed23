// sec1996: converts counts of the Sec1996 scale to dates and dates to
// counts.  In value mode each argument, or each line of standard input, is
// one value, and every form of it is printed as a tab-separated line; in
// column mode one field of each line of a CSV or TSV file is converted in
// place (options.h, column.h).  Input is checked strictly (parse.h);
// refused values are reported on standard error and never stop the run.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "column.h"
#include "format.h"
#include "io.h"
#include "options.h"
#include "parse.h"
#include "report.h"
#include "true_time.h"

#ifndef SEC1996_VERSION
#error "SEC1996_VERSION must be defined by the build"
#endif

namespace {

using namespace sec1996::cli;

constexpr int kExitSuccess = 0;
constexpr int kExitRefused = 1;
constexpr int kExitTrouble = 2;

constexpr char kUsage[] =
    "usage: sec1996 [OPTION...] [--] [VALUE|-]...\n"
    "       sec1996 -f FIELD [-d C] [-r] [OPTION...] [-] < FILE\n"
    "       sec1996 [--leap-seconds FILE] --leap-list\n"
    "       sec1996 -h | --help | --version\n";

constexpr char kHelp[] =
    "Converts between the Sec1996 count (seconds since 1996-01-01 00:00:00 UTC,\n"
    "the leap seconds of the scale's own table (one: 1997-06-30 23:59:60)\n"
    "included) and UTC dates.  Each VALUE is converted;\n"
    "- reads standard input there, one value per line, as does giving no VALUE.\n"
    "With -f, one field of every line of a CSV or TSV file on standard input\n"
    "is converted instead, and each line written back with the result.\n"
    "\n"
    "A value is one of:\n"
    "  4294967295             a count: decimal digits, 0 to 4294967295 (leading\n"
    "                         zeros allowed, no sign)\n"
    "  1997-06-30T23:59:60Z   ISO 8601 YYYY-MM-DDTHH:MM:SS, the Z optional;\n"
    "                         second 60 only on a leap second of the scale\n"
    "  30-Jun-1997 23:59:59   the library's text DD-Mon-YYYY HH:MM:SS; here\n"
    "                         too :60 names the leap second (23:59:60)\n"
    "  1997.182.000000        year.day-of-year YYYY.DDD.ffffff as CvtTest prints\n"
    "                         it: six decimals, a day below 10 with or without\n"
    "                         a leading blank (1996. 1.000000)\n"
    "  @867715200             POSIX seconds, @820454400 to @5115421694\n"
    "Dates run from 1996-01-01 00:00:00 to 2132-02-07 06:28:14 UTC and must\n"
    "exist: no month 13, no 30 February, no 24:00:00.  Nothing may precede or\n"
    "follow a value, not even a blank; empty values are refused too.\n"
    "\n"
    "Each accepted value prints one line of four tab-separated columns:\n"
    "  count     the count, in decimal\n"
    "  iso8601   YYYY-MM-DDTHH:MM:SSZ; a leap second shows as 23:59:60\n"
    "  text      the library's DD-Mon-YYYY HH:MM:SS (a leap second reads 23:59:59)\n"
    "  yearday   the year and day of the year as CvtTest prints them (a leap\n"
    "            second reads as the end of its day, 1997.182.000000)\n"
    "True time, from the full leap-second list, on request with -o:\n"
    "  tai       TAI seconds since 1958-01-01 00:00:00 TAI (1199145630 for 0)\n"
    "  tt        TT seconds since 1958-01-01 00:00:00 TT, three decimals\n"
    "  gps       GPS seconds since 1980-01-06 00:00:00 UTC\n"
    "  gps-week  GPS week (not modulo 1024) and second of the week, WEEK:SECOND\n"
    "As values they are written tai:N, tt:N.NNN, gps:N and gps-week:W:S; a real\n"
    "leap second that the scale does not count is refused.\n"
    "\n"
    "A refused value prints a one-line message on standard error naming it\n"
    "(and its line number when read from standard input), and the run goes on.\n"
    "\n"
    "Options:\n"
    "  -o, --output=FORMS     the forms to write, comma-separated, of count,\n"
    "                         iso8601, text, yearday and posix (POSIX seconds)\n"
    "                         (default: the first four), the time codes cuc,\n"
    "                         cds and ccs, and tai, tt, gps and gps-week\n"
    "      --format=PATTERN   write the count in a strftime layout instead,\n"
    "                         as %Y-%m-%d %H:%M:%S (the leap second as :60)\n"
    "      --input-format=PATTERN\n"
    "                         read values in that layout, and no other: strict,\n"
    "                         every field at its width (see sec1996(1), PATTERNS)\n"
    "      --header           value mode: print the column names first;\n"
    "                         column mode: the first line is a header, kept,\n"
    "                         with a name for each field written (FIELD_FORM)\n"
    "  -k, --keep             a refused value keeps its line, the placeholder\n"
    "                         in each form's place (default in column mode)\n"
    "      --drop             a refused value prints no line (default in value\n"
    "                         mode, as scripts that filter with it expect)\n"
    "  -p, --placeholder=TEXT what stands for a refused value (default empty);\n"
    "                         implies --keep\n"
    "  -f, --field=FIELD      column mode: convert field FIELD of each line of\n"
    "                         standard input, a number from 1 or a name in the\n"
    "                         header line (a name implies --header)\n"
    "  -d, --delimiter=C      column mode: fields end at C (default tab; -d ,\n"
    "                         for CSV); RFC 4180 quotes are read and written\n"
    "  -a, --append           column mode: append the forms as new fields at\n"
    "                         the end of the line (default)\n"
    "  -r, --replace          column mode: put the forms in place of the field\n"
    "      --from=CODE        every value is the hex of a CCSDS time code, cuc,\n"
    "                         cds or ccs, with its P-field unless --no-pfield\n"
    "CCSDS time codes (CCSDS 301.0-B-4), written as hex by -o cuc,cds,ccs and\n"
    "read by --from; a fraction of a second read from one goes into the codes\n"
    "written (truncated to their resolution), the other forms show its second:\n"
    "      --cuc-octets=C.F   CUC C coarse (1-7) and F fine (0-8) octets\n"
    "                         (default 4.2)\n"
    "      --cuc-level=L      CUC level 2, the count as coarse time (the\n"
    "                         default), or 1, TAI seconds since 1958-01-01\n"
    "                         from the leap-second list (--leap-seconds)\n"
    "      --cds-day=BITS     CDS day segment, 16 or 24 bits (default 16)\n"
    "      --cds-sub=UNIT     CDS sub-millisecond segment, none, us or ps\n"
    "                         (default us)\n"
    "      --cds-epoch=DATE   CDS day 0: 1958 (level 1, the default) or an\n"
    "                         agency epoch YYYY-MM-DD (level 2)\n"
    "      --ccs-calendar=C   CCS month and day (month, the default) or day of\n"
    "                         the year (yday)\n"
    "      --ccs-octets=N     CCS sub-second octets, 0-6 (default 3, 10^-6 s)\n"
    "      --no-pfield        codes without their P-field (implicit, as the\n"
    "                         options above say)\n"
    "      --leap-seconds=FILE  the leap-second list (leap-seconds.list format)\n"
    "                         for tai, tt, gps, gps-week and CUC level 1\n"
    "                         (default: the file $SEC1996_LEAP_SECONDS names,\n"
    "                         else /usr/share/zoneinfo/leap-seconds.list, else\n"
    "                         the copy built into the library)\n"
    "      --leap-list        print the leap-second list in use: source, dates,\n"
    "                         entries; a warning on standard error if expired\n"
    "  -h, --help             print this help\n"
    "      --version          print the version\n"
    "      --                 treat every later argument as a value\n"
    "In column mode every other byte of a line is written as it was; a line\n"
    "the field cannot be taken from (unbalanced quotes, too few fields, a CR\n"
    "inside it, longer than 65535 bytes) is reported and kept as it stands.\n"
    "\n"
    "Exit status: 0 if every value was converted, 1 if any value or line was\n"
    "refused, 2 on a usage error or if input could not be read or output not\n"
    "written.  See sec1996(1).\n";

int printText(std::string_view text) {
  if (writeAll(STDOUT_FILENO, text)) return kExitSuccess;
  const int error = errno;
  complain(std::string("cannot write standard output: ") + std::strerror(error));
  return kExitTrouble;
}

std::string longLineReason() {
  return "line longer than " + std::to_string(LineReader::kMaxInputLineLength) + " bytes";
}

// Value mode: one line of the chosen forms for each value.
class ValueConverter {
 public:
  ValueConverter(const Options& options, Output& output, Reporter& reporter)
      : options_(options), output_(output), reporter_(reporter) {
    const auto allForms = std::begin(kAllForms);
    everyForm_ =
        std::equal(options.forms.begin(), options.forms.end(), allForms, std::end(kAllForms));
    for (std::size_t i = 0; i < options.forms.size(); ++i) {
      placeholderLine_ += (i > 0 ? "\t" : "") + options.placeholder;
    }
    placeholderLine_ += '\n';
  }

  void header() {
    std::string names;
    for (std::size_t i = 0; i < options_.forms.size(); ++i) {
      names.append(i > 0 ? "\t" : "").append(formName(options_.forms[i]));
    }
    output_.write(names + "\n");
  }

  // Converts one value; where() names it in a message ("line 7"), and is
  // only called then.
  template <typename Where>
  void convert(std::string_view input, Where&& where) {
    const ParseResult result = readValue(input, options_);
    if (!result.ok) {
      refuse(where(), input, false, result.reason);
    } else if (everyForm_) {
      output_.commit(formatLine(output_.reserve(kMaxOutputLineLength), result.count));
    } else {
      for (std::size_t i = 0; i < options_.forms.size(); ++i) {
        const Form form = options_.forms[i];
        char* out =
            output_.reserve((form == Form::kPattern ? kMaxPatternLength : kMaxFormLength) + 2);
        if (i > 0) *out++ = '\t';
        output_.commit(form == Form::kPattern
                           ? formatPattern(out, result.count, options_.outputPattern.c_str())
                           : formatForm(out, result.count, form, result.fraction, options_.codes));
      }
      output_.write("\n");
    }
  }

  void refuse(const std::string& where, std::string_view input, bool cut, std::string_view reason) {
    reporter_.refuse(where, input, cut, reason);
    if (options_.keep) output_.write(placeholderLine_);
  }

 private:
  const Options& options_;
  Output& output_;
  Reporter& reporter_;
  bool everyForm_ = false;
  std::string placeholderLine_;
};

// Standard input, line by line, to convert(line, number); false if it could
// not be read.  Line numbers go on across calls, as "-" may come twice.
template <typename Convert>
bool readLines(LineReader& reader, Output& output, unsigned long long& number, Convert&& convert) {
  LineReader::Line line;
  for (;;) {
    const LineReader::Status status = reader.next(line);
    if (status == LineReader::Status::kEnd) return true;
    if (status == LineReader::Status::kError) {
      complain(std::string("cannot read standard input: ") + std::strerror(reader.error()));
      return false;
    }
    convert(line, ++number);
    if (output.failed()) return true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parseOptions(argc, argv);
  switch (options.action) {
    case Options::Action::kHelp:
      return printText(std::string(kUsage) + "\n" + kHelp);
    case Options::Action::kVersion:
      return printText("sec1996 " SEC1996_VERSION "\n");
    case Options::Action::kUsageError:
      complain(options.error);
      std::fputs(kUsage, stderr);
      return kExitTrouble;
    case Options::Action::kConvert:
    case Options::Action::kLeapList:
      break;
  }
  {
    std::string message;
    if (!useLeapSecondsFile(options.leapSecondsFile, message)) {
      complain(message);
      return kExitTrouble;
    }
  }
  if (options.action == Options::Action::kLeapList) {
    if (printLeapList()) return kExitSuccess;
    complain(std::string("cannot write standard output: ") + std::strerror(errno));
    return kExitTrouble;
  }

  Output output(STDOUT_FILENO);
  Reporter reporter(output);
  LineReader reader(STDIN_FILENO, [&output] { output.flush(); });
  unsigned long long number = 0;
  bool readFailed = false;

  if (options.column) {
    ColumnConverter converter(options, output, reporter);
    if (options.keep)
      reader.passLongLines([&output](std::string_view bytes) { output.write(bytes); });
    readFailed = !readLines(reader, output, number,
                            [&converter](const LineReader::Line& line, unsigned long long n) {
                              converter.convert(line, n);
                            });
    converter.finish();
  } else {
    ValueConverter converter(options, output, reporter);
    if (options.header) converter.header();
    const auto convertLine = [&converter](const LineReader::Line& line, unsigned long long n) {
      const auto where = [n] { return "line " + std::to_string(n); };
      if (line.tooLong) {
        converter.refuse(where(), line.text, true, longLineReason());
      } else {
        converter.convert(line.text, where);
      }
    };
    if (options.values.empty()) {
      readFailed = !readLines(reader, output, number, convertLine);
    }
    for (const Options::Value& value : options.values) {
      if (output.failed() || readFailed) break;
      if (value.text == "-") {
        readFailed = !readLines(reader, output, number, convertLine);
      } else {
        converter.convert(value.text,
                          [&value] { return "argument " + std::to_string(value.position); });
      }
    }
  }

  if (!output.flush()) {
    complain(std::string("cannot write standard output: ") + std::strerror(output.error()));
    return kExitTrouble;
  }
  if (readFailed) return kExitTrouble;
  return reporter.refused() ? kExitRefused : kExitSuccess;
}
