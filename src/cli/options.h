// The command line of vendral-cli: one table of its options, one of its
// tools, and the typed call that parsing the arguments against them gives.
// The help text and the manual page's option list are written from the same
// tables, so an option is added once: an entry below and a field for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/tools/listrel.h"

namespace vendral {

// As a SOURCE: standard input.
inline constexpr std::string_view kStandardInputArgument = "-";

// What every tool takes.
struct CommonOptions {
  std::optional<std::string> output_folder = {};  // -o; the current folder when not given
  bool to_standard_output = false;           // --stdout
  std::optional<bool> progress = {};         // when not given: a bar when stderr is a terminal
  std::optional<unsigned> threads = {};      // --threads; 0 for a text that is no thread count
  int jobs = 1;                              // -j; 0: one per processor core; -1: no count given
  std::optional<std::string> summary_file = {};  // --summary: each run's record is appended to it
  bool lf_line_ends = false;                 // --lf
  std::vector<std::string> sources;          // in the order given

  bool operator==(const CommonOptions&) const = default;
};

// Each tool's own options, with their defaults.
struct CompositionOptions {
  std::string skip_letters = {};  // --skip-letters

  bool operator==(const CompositionOptions&) const = default;
};
struct ArdentaOptions : CompositionOptions {
  bool operator==(const ArdentaOptions&) const = default;
};
struct GcOptions : CompositionOptions {
  bool operator==(const GcOptions&) const = default;
};
struct LenmarkOptions {
  // Both as typed into the window's fields.
  std::string compare = "<";
  std::string length = "1000";
  std::optional<std::int64_t> min_length = {};  // --min
  std::optional<std::int64_t> max_length = {};  // --max

  bool operator==(const LenmarkOptions&) const = default;
};
struct ListrelOptions {
  std::string filter;  // a call without it is refused
  ListrelCriteria criteria = ListrelCriteria::kExclude;  // as the window's radio group starts
  bool by_name = false;                                   // --by-name

  bool operator==(const ListrelOptions&) const = default;
};
struct OrdinelOptions {
  std::string prefix = {};  // --prefix
  std::int64_t start = 1;   // --start
  std::string map = {};     // --map; no map file when empty

  bool operator==(const OrdinelOptions&) const = default;
};

// Which tool runs, with its options.
using ToolOptions = std::variant<ArdentaOptions, GcOptions, LenmarkOptions, ListrelOptions, OrdinelOptions>;

// A command line that runs a tool on its sources.
struct Call {
  CommonOptions common = {};
  ToolOptions tool;

  bool operator==(const Call&) const = default;
};

// What a word of the option table is to the parser.
enum class OptionRole {
  kApplied,        // an option: apply puts it into the call
  kStandardInput,  // "-": a SOURCE, so never taken for an option
  kEndOfOptions,   // every argument after it is a SOURCE
  kHelp,           // instead of a tool: the help text
  kVersion,        // instead of a tool: the program's name and version
};

struct OptionSpec {
  std::vector<std::string_view> names;  // each name gives the same option
  std::string_view value_name = {};     // the argument after it, as the help names it; empty for a flag
  bool (*taken_by)(const ToolOptions& tool);
  // The --help text and the manual page's text (roff), lines as printed.
  // Empty for an option of only some tools: its tools' texts say what it does.
  std::string_view help = {};
  std::string_view manual = {};
  void (*apply)(Call& call, std::string_view value) = nullptr;  // value is empty for a flag
  OptionRole role = OptionRole::kApplied;
  bool required = false;  // the tools that take it refuse a call without it
  // It undoes the flag before it, and of the two the last given counts; a
  // tool's synopsis shows both as one choice.
  bool alternative_to_previous = false;
  // Its value is a count: decimal digits only, from 0 to 2^63 - 1.
  bool count_value = false;
  // The options that it cannot be given with.
  std::vector<std::string_view> excludes = {};
};

struct ToolSpec {
  std::string_view name;
  ToolOptions options;  // the tool's alternative, with its defaults
  std::string help;     // the --help text after its synopsis, lines as printed
};

// In the order the help lists them.
const std::vector<OptionSpec>& OptionTable();
const std::vector<ToolSpec>& ToolTable();

// A command line that asks for a text instead of a run.
enum class TextRequest { kHelp, kVersion };

// A command line that cannot run.
struct UsageError {
  // What to say after "vendral-cli: "; empty when no argument was given at
  // all, for which the help text is the answer.
  std::string message;

  bool operator==(const UsageError&) const = default;
};

using CommandLine = std::variant<Call, TextRequest, UsageError>;

// A count as an option takes it: decimal digits only, from 0 to 2^63 - 1;
// nothing for any other text.
std::optional<std::int64_t> CountValue(std::string_view text);

// arguments: those after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace vendral
