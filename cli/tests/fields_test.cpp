// Finding a field of a delimited line, RFC 4180 quotes included, and
// writing one back: the quick path (no quote, no CR in the line) and the
// field-by-field path must agree, and each fault must be named where it is.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "fields.h"

namespace {

using sec1996::cli::appendField;
using sec1996::cli::describeFault;
using sec1996::cli::fieldText;
using sec1996::cli::findField;
using sec1996::cli::findNamedField;
using sec1996::cli::LineFault;

struct Found {
  std::string_view line;
  std::size_t number;
  std::string_view field;  // as it stands in the line, quotes included
  std::string_view text;   // its value
};

const Found kFound[] = {
    {"a,b,c", 1, "a", "a"},
    {"a,b,c", 3, "c", "c"},
    {",,", 2, "", ""},
    {"a,\"b,c\",d", 2, "\"b,c\"", "b,c"},
    {"a,\"b,c\",d", 3, "d", "d"},  // the delimiter inside quotes is no boundary
    {"\"say \"\"hi\"\"\",x", 1, "\"say \"\"hi\"\"\"", "say \"hi\""},
    {"\"\",x", 1, "\"\"", ""},
    {"a,\"x\ry\",5", 3, "5", "5"},  // a CR inside quotes is text
    {"5\" screen,7", 2, "7", "7"},  // a quote inside an unquoted field is text
    {"a,5,\"q\"", 2, "5", "5"},     // quotes after the field, read to check the line
};

TEST(Fields, FindsTheFieldAndItsText) {
  for (const auto& [line, number, field, text] : kFound) {
    const auto found = findField(line, ',', number);
    ASSERT_EQ(found.fault, LineFault::kNone) << line << ": " << describeFault(found, number);
    EXPECT_EQ(found.number, number) << line;
    EXPECT_EQ(line.substr(found.begin, found.end - found.begin), field) << line;
    std::string scratch;
    EXPECT_EQ(fieldText(field, scratch), text) << line;
  }
}

struct Faulty {
  std::string_view line;
  std::size_t number;
  std::string_view message;
};

const Faulty kFaulty[] = {
    {"a,\"b,c", 2, "field 2: a quoted field does not end on its line (unbalanced quotes)"},
    {"a,5,\"open", 2, "field 3: a quoted field does not end on its line"},  // after the field
    {"\"a\"\"", 1, "field 1: a quoted field does not end"},  // a doubled quote closes nothing
    {"\"ab\"c,5", 2, "field 1: characters after the closing quote"},
    {"a,5\rb,6", 2, "field 2: a carriage return inside the line (CR line endings?)"},
    {"a,5,\"q\",x\ry", 2, "field 4: a carriage return"},
    {"a,b", 3, "only 2 fields, no field 3"},
    {"", 2, "only 1 field, no field 2"},
    {"\"a,b\",c", 3, "only 2 fields, no field 3"},
};

TEST(Fields, NamesEachFaultAndWhereItIs) {
  for (const auto& [line, number, message] : kFaulty) {
    const auto found = findField(line, ',', number);
    EXPECT_NE(found.fault, LineFault::kNone) << line;
    EXPECT_NE(describeFault(found, number).find(message), std::string::npos)
        << line << ": \"" << describeFault(found, number) << "\" lacks \"" << message << '"';
  }
}

TEST(Fields, FindsAFieldByNameInQuotesOrNot) {
  const std::string_view header = "id\t\"time, utc\"\ttime\tx\"y";
  EXPECT_EQ(findNamedField(header, '\t', "time, utc").number, 2U);
  EXPECT_EQ(findNamedField(header, '\t', "time").number, 3U);
  EXPECT_EQ(findNamedField(header, '\t', "x\"y").number, 4U);
  EXPECT_EQ(findNamedField(header, '\t', "tim").number, 0U);
  EXPECT_EQ(findNamedField("id\t\"time", '\t', "id").fault, LineFault::kUnbalancedQuotes);
}

struct Written {
  std::string_view text;
  char delimiter;
  std::string_view field;
};

const Written kWritten[] = {
    {"1997-06-30T23:59:60Z", ',', "1997-06-30T23:59:60Z"},
    {"30-Jun-1997 23:59:59", ' ', "\"30-Jun-1997 23:59:59\""},
    {"a,b", ',', "\"a,b\""},
    {"a,b", '\t', "a,b"},
    {"say \"hi\"", ';', "\"say \"\"hi\"\"\""},
    {"x\ry", ',', "\"x\ry\""},
    {"", ',', ""},
};

TEST(Fields, WritesAFieldThatReadsBackAsItsText) {
  for (const auto& [text, delimiter, field] : kWritten) {
    std::string written;
    appendField(written, text, delimiter);
    EXPECT_EQ(written, field);
    const auto found = findField(written + delimiter + "z", delimiter, 1);
    ASSERT_EQ(found.fault, LineFault::kNone) << written;
    std::string scratch;
    EXPECT_EQ(fieldText(written, scratch), text);
  }
}

}  // namespace
