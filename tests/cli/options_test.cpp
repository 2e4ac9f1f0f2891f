// The command line parsed against the option table: the typed call that each
// good line gives, and the message of each usage error.
#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vendral {

// Readable failures.
void PrintTo(const UsageError& error, std::ostream* os) { *os << '"' << error.message << '"'; }
void PrintTo(const Call& call, std::ostream* os) {
  const CommonOptions& common = call.common;
  *os << "tool " << call.tool.index() << ", -o " << common.output_folder.value_or("(none)")
      << ", stdout " << common.to_standard_output << ", progress "
      << (common.progress ? *common.progress ? "on" : "off" : "(none)") << ", sources";
  for (const auto& source : common.sources) *os << " '" << source << "'";
  if (const auto* lenmark = std::get_if<LenmarkOptions>(&call.tool)) {
    *os << ", compare '" << lenmark->compare << "', length '" << lenmark->length << "'";
  }
  if (const auto* listrel = std::get_if<ListrelOptions>(&call.tool)) {
    *os << ", filter '" << listrel->filter << "', criteria " << static_cast<int>(listrel->criteria);
  }
}

namespace {

using Arguments = std::vector<std::string>;

std::string Joined(const Arguments& arguments) {
  std::string line;
  for (const auto& argument : arguments) line += "'" + argument + "' ";
  return line;
}

TEST(CommandLine, GoodLinesGiveTheirTypedCall) {
  struct Case {
    Arguments arguments;
    CommandLine expected;
  };
  const Case cases[] = {
      {{"gc", "a.fa"}, Call{.common = {.sources = {"a.fa"}}, .tool = GcOptions{}}},
      {{"lenmark", "a"}, Call{.common = {.sources = {"a"}}, .tool = LenmarkOptions{"<", "1000"}}},
      // A value may begin with "-"; of a value given twice the last counts.
      {{"lenmark", "a", "--length", "-5", "--compare", ">", "--length", "7"},
       Call{.common = {.sources = {"a"}}, .tool = LenmarkOptions{">", "7"}}},
      {{"listrel", "a", "--filter", "f", "--extract"},
       Call{.common = {.sources = {"a"}}, .tool = ListrelOptions{"f", ListrelCriteria::kExtract}}},
      // Options and sources mix; of two flags that undo each other the last counts.
      {{"listrel", "--extract", "a", "--filter", "f", "b", "--exclude"},
       Call{.common = {.sources = {"a", "b"}}, .tool = ListrelOptions{"f", ListrelCriteria::kExclude}}},
      {{"ardenta", "-o", "out", "a", "--", "-x", "--stdout", "-o"},
       Call{.common = {.output_folder = "out", .sources = {"a", "-x", "--stdout", "-o"}},
            .tool = ArdentaOptions{}}},
      {{"ordinel", "-", "--stdout", "--progress", "--no-progress"},
       Call{.common = {.to_standard_output = true, .progress = false, .sources = {"-"}},
            .tool = OrdinelOptions{}}},
      {{"gc", "a", "--no-progress", "--progress"},
       Call{.common = {.progress = true, .sources = {"a"}}, .tool = GcOptions{}}},
      {{"gc", "a", "-j", "3", "b", "--jobs", "0", "--threads", "64"},
       Call{.common = {.threads = 64, .jobs = 0, .sources = {"a", "b"}}, .tool = GcOptions{}}},
      {{"lenmark", "a", "--max", "0", "--min", "007", "--lf"},
       Call{.common = {.lf_line_ends = true, .sources = {"a"}},
            .tool = LenmarkOptions{.min_length = 7, .max_length = 0}}},
      {{"--help"}, TextRequest::kHelp},
      {{"-h", "gc"}, TextRequest::kHelp},
      {{"help"}, TextRequest::kHelp},
      {{"--version"}, TextRequest::kVersion},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Joined(c.arguments));
    EXPECT_EQ(ParseCommandLine(c.arguments), c.expected);
  }
}

TEST(CommandLine, EachUsageErrorSaysWhatIsWrong) {
  const std::pair<Arguments, std::string> cases[] = {
      {{}, ""},  // the help text answers
      {{"nosuchtool", "a"}, "unknown tool nosuchtool (see --help)"},
      {{"gc"}, "give at least one SOURCE"},
      {{"gc", "a", "-o"}, "-o needs a value"},
      {{"gc", "a", "-x", "-o"}, "unknown option -x"},
      {{"gc", "a", "--help"}, "unknown option --help"},
      {{"lenmark", "a", "--extract"}, "unknown option --extract"},
      {{"ordinel", "a", "--length", "5"}, "unknown option --length"},
      {{"listrel", "a", "--extract"}, "--filter is required"},
      // Told in this order when a line breaks several rules.
      {{"listrel", "-"}, "--filter is required"},
      {{"listrel", "-", "--filter", "-"}, "- (standard input) as SOURCE needs --stdout"},
      {{"gc", "-"}, "- (standard input) as SOURCE needs --stdout"},
      {{"gc", "-", "a", "-", "--stdout"}, "- (standard input) can be given only once"},
      {{"listrel", "a", "--filter", "-", "--stdout"}, "--filter cannot read standard input"},
      {{"gc", "a", "-j", "-1"}, "-j/--jobs needs a count of 0 or more"},
      {{"gc", "a", "--jobs", "2x"}, "-j/--jobs needs a count of 0 or more"},
      {{"gc", "a", "-j"}, "-j needs a value"},
      {{"gc", "a", "--threads", "0"}, "--threads takes a number from 1 to 64"},
      {{"gc", "a", "--threads", "65"}, "--threads takes a number from 1 to 64"},
      {{"lenmark", "a", "--min", "-1"}, "--min takes a number from 0 to 9223372036854775807, not \"-1\""},
      {{"lenmark", "a", "--max", "9223372036854775808"},
       "--max takes a number from 0 to 9223372036854775807, not \"9223372036854775808\""},
      {{"lenmark", "a", "--max", "+5"}, "--max takes a number from 0 to 9223372036854775807, not \"+5\""},
      {{"lenmark", "a", "--min", ""}, "--min takes a number from 0 to 9223372036854775807, not \"\""},
      {{"lenmark", "a", "--min", "$10"}, "--min takes a number from 0 to 9223372036854775807, not \"$10\""},
      {{"lenmark", "a", "--compare", ">", "--min", "3"}, "--min cannot be combined with --compare"},
      {{"lenmark", "a", "--max", "3", "--length", "5"}, "--max cannot be combined with --length"},
      {{"gc", "a", "--min", "3"}, "unknown option --min"},
  };
  for (const auto& [arguments, message] : cases) {
    SCOPED_TRACE(Joined(arguments));
    EXPECT_EQ(ParseCommandLine(arguments), CommandLine(UsageError{message}));
  }
}

}  // namespace
}  // namespace vendral
