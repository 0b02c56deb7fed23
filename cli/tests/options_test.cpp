// The command line: what each spelling of an option sets, the defaults that
// differ between the modes, and every usage error with its reason.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace {

using sec1996::cli::Form;
using sec1996::cli::Options;
using sec1996::cli::parseOptions;

Options parse(std::initializer_list<const char*> arguments) {
  std::vector<const char*> argv = {"sec1996"};
  argv.insert(argv.end(), arguments);
  return parseOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(Options, EverySpellingOfAnArgumentReadsTheSame) {
  for (const auto& options :
       {parse({"--field=2", "--delimiter=,", "--output=iso8601,count"}),
        parse({"--field", "2", "--delimiter", ",", "--output", "iso8601,count"}),
        parse({"-f2", "-d,", "-oiso8601,count"}),
        parse({"-f", "2", "-d", ",", "-o", "iso8601,count"})}) {
    ASSERT_EQ(options.action, Options::Action::kConvert) << options.error;
    EXPECT_TRUE(options.column);
    EXPECT_EQ(options.fieldNumber, 2U);
    EXPECT_EQ(options.delimiter, ',');
    EXPECT_EQ(options.forms, (std::vector<Form>{Form::kIso8601, Form::kCount}));
  }
}

TEST(Options, RefusedValuesAreDroppedInValueModeAndKeptInColumnMode) {
  EXPECT_FALSE(parse({"0"}).keep);
  EXPECT_TRUE(parse({"--keep", "0"}).keep);
  EXPECT_TRUE(parse({"-p", "NA"}).keep);
  EXPECT_TRUE(parse({"-f", "1"}).keep);
  EXPECT_FALSE(parse({"-f", "1", "--drop"}).keep);
  EXPECT_FALSE(parse({"-f", "1", "-p", "NA", "--drop"}).keep);  // the last one says
}

TEST(Options, AFieldNameImpliesAHeaderAndANumberDoesNot) {
  const Options named = parse({"-f", "time"});
  EXPECT_EQ(named.fieldNumber, 0U);
  EXPECT_EQ(named.fieldName, "time");
  EXPECT_TRUE(named.header);
  EXPECT_FALSE(parse({"-f", "007"}).header);
  EXPECT_EQ(parse({"-f", "007"}).fieldNumber, 7U);
}

struct UsageError {
  std::initializer_list<const char*> arguments;
  std::string_view reason;
};

const UsageError kUsageErrors[] = {
    {{"--frobnicate"}, "unknown option \"--frobnicate\""},
    {{"--header=yes"}, "unknown option \"--header=yes\""},
    {{"-kx"}, "unknown option \"-kx\""},
    {{"-f"}, "option -f needs an argument"},
    {{"-o", "iso"}, "unknown output form \"iso\""},
    {{"-o", "count,"}, "unknown output form \"\""},
    {{"-f", ""}, "an empty --field"},
    {{"-f", "0"}, "numbered from 1"},
    {{"-f", "99999999999999999999999"}, "is too large"},
    {{"-f", "1", "-d", "ab"}, "one character"},
    {{"-f", "1", "-d", "\""}, "cannot be a quote"},
    {{"-p", "a\nb"}, "cannot hold a line break"},
    {{"-d", ","}, "option -d needs --field"},
    {{"--replace", "0"}, "option --replace needs --field"},
    {{"-f", "2", "5"}, "takes no VALUE (argument 3 is \"5\")"},
    {{"--format", "%F %q"}, "conversion \"%q\" at offset 3 cannot be written"},
    {{"--format", "%Ex"}, "conversion \"%Ex\" at offset 0"},
    {{"--format", ""}, "an empty --format"},
    {{"--format", "%F", "-o", "count"}, "exclude each other"},
    {{"--input-format", "%G-%V"}, "conversion \"%G\" at offset 0 cannot be read"},
    {{"--input-format", "%H:%M"}, "names no year"},
    {{"--input-format", "%s %F"}, "%s takes no other date or time conversion"},
};

TEST(Options, PatternsChooseTheOneFormWrittenAndTheOneRead) {
  const Options options = parse({"--format=%Y.%j", "--input-format", "%F %T", "0"});
  ASSERT_EQ(options.action, Options::Action::kConvert) << options.error;
  EXPECT_EQ(options.forms, std::vector<Form>{Form::kPattern});
  EXPECT_EQ(options.outputPattern, "%Y.%j");
  EXPECT_EQ(options.inputPattern, "%F %T");
  EXPECT_EQ(parse({"-o", "posix,count"}).forms, (std::vector<Form>{Form::kPosix, Form::kCount}));
}

TEST(Options, UsageErrorsSayWhatIsWrong) {
  for (const auto& [arguments, reason] : kUsageErrors) {
    const Options options = parse(arguments);
    EXPECT_EQ(options.action, Options::Action::kUsageError) << *arguments.begin();
    EXPECT_NE(options.error.find(reason), std::string::npos)
        << '"' << options.error << "\" lacks \"" << reason << '"';
  }
}

}  // namespace
