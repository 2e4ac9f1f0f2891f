#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vendral {
namespace {

bool EveryTool(const ToolOptions&) { return true; }
// Given instead of a tool.
bool NoTool(const ToolOptions&) { return false; }
template <typename Options>
bool OnlyTool(const ToolOptions& tool) {
  return std::holds_alternative<Options>(tool);
}

template <typename Options>
Options& OptionsOf(Call& call) {
  return std::get<Options>(call.tool);
}

// Ardenta and GC-content take the same options.
bool CompositionTool(const ToolOptions& tool) {
  return OnlyTool<ArdentaOptions>(tool) || OnlyTool<GcOptions>(tool);
}
CompositionOptions& CompositionOptionsOf(Call& call) {
  if (auto* gc = std::get_if<GcOptions>(&call.tool)) return *gc;
  return OptionsOf<ArdentaOptions>(call);
}

std::string Quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Looks like an option: "-" alone is a SOURCE.
bool IsOptionWord(std::string_view argument) { return argument.size() > 1 && argument[0] == '-'; }

// The option that the tool takes under this name, or nullptr.
const OptionSpec* FindOption(std::string_view name, const ToolOptions& tool) {
  for (const OptionSpec& option : OptionTable()) {
    if (option.taken_by(tool) && Contains(option.names, name)) return &option;
  }
  return nullptr;
}

// The text that a first argument such as --help asks for.
std::optional<TextRequest> TextRequestOf(std::string_view argument) {
  // The word "help" in the place of a tool asks for the help too.
  if (argument == "help") return TextRequest::kHelp;
  for (const OptionSpec& option : OptionTable()) {
    if (!Contains(option.names, argument)) continue;
    if (option.role == OptionRole::kHelp) return TextRequest::kHelp;
    if (option.role == OptionRole::kVersion) return TextRequest::kVersion;
  }
  return std::nullopt;
}

// Each tool's own rule about its options; most have none.
std::optional<std::string> CheckTool(const auto&) { return std::nullopt; }
std::optional<std::string> CheckTool(const ListrelOptions& options) {
  if (options.filter == kStandardInputArgument) return "--filter cannot read standard input";
  return std::nullopt;
}

// Without --stdout the output file would be named after the source, and
// standard input has no name; it can be read only once.
std::optional<std::string> CheckStandardInput(const CommonOptions& common) {
  const auto from_input = std::count(common.sources.begin(), common.sources.end(), kStandardInputArgument);
  if (from_input > 0 && !common.to_standard_output) return "- (standard input) as SOURCE needs --stdout";
  if (from_input > 1) return "- (standard input) can be given only once";
  return std::nullopt;
}

// "-j 4": a count from 0 up; anything else is kept as -1, which CheckCall refuses.
int JobCount(std::string_view text) {
  const auto count = CountValue(text);
  return count && *count <= std::numeric_limits<int>::max() ? static_cast<int>(*count) : -1;
}

// "--threads 4": a count from 1 to kMaxThreads; anything else is kept as 0,
// which CheckCall refuses.
constexpr int kMaxThreads = 64;
unsigned ThreadCount(std::string_view text) {
  const auto count = CountValue(text);
  return count && *count >= 1 && *count <= kMaxThreads ? static_cast<unsigned>(*count) : 0;
}

bool WasGiven(const std::vector<const OptionSpec*>& given, std::string_view name) {
  return std::any_of(given.begin(), given.end(),
                     [&](const OptionSpec* option) { return Contains(option->names, name); });
}

// The rules that a whole call must keep, in the order they are told.
std::optional<std::string> CheckCall(const Call& call, const std::vector<const OptionSpec*>& given) {
  if (call.common.sources.empty()) return "give at least one SOURCE";
  for (const OptionSpec* option : given) {
    for (std::string_view excluded : option->excludes) {
      if (WasGiven(given, excluded)) {
        return std::string(option->names.front()) + " cannot be combined with " + std::string(excluded);
      }
    }
  }
  for (const OptionSpec& option : OptionTable()) {
    if (option.required && option.taken_by(call.tool) &&
        std::find(given.begin(), given.end(), &option) == given.end()) {
      return std::string(option.names.front()) + " is required";
    }
  }
  if (auto message = CheckStandardInput(call.common)) return message;
  if (call.common.threads == 0u) return "--threads takes a number from 1 to " + std::to_string(kMaxThreads);
  if (call.common.jobs < 0) return "-j/--jobs needs a count of 0 or more";
  return std::visit([](const auto& options) { return CheckTool(options); }, call.tool);
}

}  // namespace

std::optional<std::int64_t> CountValue(std::string_view text) {
  std::int64_t value = 0;
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

const std::vector<OptionSpec>& OptionTable() {
  static const std::vector<OptionSpec> table = {
      {.names = {"-o"},
       .value_name = "DIR",
       .taken_by = EveryTool,
       .help = "the output folder, treated as the window's folder field:\n"
               "a final path separator is added and one missing folder\n"
               "level is created; default: the current folder",
       .manual = "The output folder, treated as the window's folder field: a final path\n"
                 "separator is added and one missing folder level is created.\n"
                 "The default is the current folder.",
       .apply = [](Call& call, std::string_view folder) { call.common.output_folder = std::string(folder); }},
      {.names = {"--stdout"},
       .taken_by = EveryTool,
       .help = "write the output to standard output instead of a file;\n"
               "no output folder is touched, \"Done!\" and every message go\n"
               "to standard error; several sources' outputs follow one\n"
               "another in the order given",
       .manual = "Writes the output to standard output instead of a file; no output folder\n"
                 "is touched, and \"Done!\" and every message go to standard error.\n"
                 "The outputs of several sources follow one another in the order given.",
       .apply = [](Call& call, std::string_view) { call.common.to_standard_output = true; }},
      {.names = {kStandardInputArgument},
       .taken_by = EveryTool,
       .help = "as SOURCE: read standard input (plain or compressed);\n"
               "only with --stdout, and only once",
       .manual = "As \\fISOURCE\\fR: reads standard input, plain or compressed; only with\n"
                 "\\fB\\-\\-stdout\\fR, and only once.",
       .role = OptionRole::kStandardInput},
      {.names = {"--"},
       .taken_by = EveryTool,
       .help = "every argument after it is a SOURCE",
       .manual = "Every argument after it is a \\fISOURCE\\fR.",
       .role = OptionRole::kEndOfOptions},
      {.names = {"--progress"},
       .taken_by = EveryTool,
       .help = "a one-line progress bar on stderr while the tool reads,\n"
               "even when stderr is not a terminal (on a terminal the\n"
               "bar shows without asking)",
       .manual = "A one-line progress bar on standard error while the tool reads, even when\n"
                 "standard error is not a terminal; on a terminal the bar shows without\n"
                 "asking.",
       .apply = [](Call& call, std::string_view) { call.common.progress = true; }},
      {.names = {"--no-progress"},
       .taken_by = EveryTool,
       .help = "no progress bar, not even on a terminal; of the two\n"
               "flags the last one given counts",
       .manual = "No progress bar, not even on a terminal.\n"
                 "Of the two flags the last one given counts.",
       .apply = [](Call& call, std::string_view) { call.common.progress = false; },
       .alternative_to_previous = true},
      {.names = {"--threads"},
       .value_name = "N",
       .taken_by = EveryTool,
       .help = "read on N threads, the tool's own included: blocked gzip\n"
               "and multi-block xz decode blocks side by side, other\n"
               "compressed sources are decoded ahead (a plain file is\n"
               "read on the tool's thread); 1: on the tool's thread alone;\n"
               "default: one per processor core (shared among -j runs),\n"
               "at most 8; the outputs are the same",
       .manual = "Reads on \\fIN\\fR threads, the tool's own included: blocked gzip (BGZF)\n"
                 "and multi-block xz decode their blocks side by side, any other\n"
                 "compressed source is decompressed ahead of the tool; a plain file is\n"
                 "read on the tool's thread. 1 reads on the tool's thread alone. The\n"
                 "default is one thread per processor core, shared among the runs of\n"
                 "\\fB-j\\fR, at most 8.\n"
                 "The outputs are the same whatever the number.",
       .apply = [](Call& call, std::string_view count) { call.common.threads = ThreadCount(count); }},
      {.names = {"-j", "--jobs"},
       .value_name = "N",
       .taken_by = EveryTool,
       .help = "run up to N sources at the same time (0: one per\n"
               "processor core; default 1); outputs and messages are\n"
               "those of one job, in the order given; no progress bar\n"
               "while several run; with --stdout one runs at a time",
       .manual = "Runs up to \\fIN\\fR sources at the same time; 0 runs one per processor core,\n"
                 "the default is 1. Every output and every message is the one of a single\n"
                 "job, each source's messages together and in the order given. No progress\n"
                 "bar shows while several run. With \\fB\\-\\-stdout\\fR the sources run one at\n"
                 "a time, so that their outputs follow one another whole.",
       .apply = [](Call& call, std::string_view count) { call.common.jobs = JobCount(count); }},
      {.names = {"--summary"},
       .value_name = "FILE",
       .taken_by = EveryTool,
       .help = "append one line of JSON per source run to FILE (JSON\n"
               "Lines): tool, source, output (null unless done into a\n"
               "file), status (done, missing, failed or cancelled),\n"
               "message, records_read, records_written,\n"
               "stored_bytes_read and seconds; each line is one write,\n"
               "so several commands may append to the same FILE",
       .manual = "Appends one line of JSON per source run to \\fIFILE\\fR (JSON Lines), written\n"
                 "when the run ends: \\fBtool\\fR, \\fBsource\\fR (as given), \\fBoutput\\fR (the output\n"
                 "file, null unless the run was done into a file), \\fBstatus\\fR (done, missing,\n"
                 "failed or cancelled), \\fBmessage\\fR (as shown), \\fBrecords_read\\fR (description\n"
                 "lines read), \\fBrecords_written\\fR (records or CSV lines that the output\n"
                 "holds), \\fBstored_bytes_read\\fR (of every file read, as stored) and\n"
                 "\\fBseconds\\fR. Bytes that are not UTF-8 are written as \\eufffd. Each line is\n"
                 "one write to a file opened for appending, so several commands may append to\n"
                 "the same \\fIFILE\\fR at the same time.",
       .apply = [](Call& call, std::string_view file) { call.common.summary_file = std::string(file); }},
      {.names = {"--lf"},
       .taken_by = EveryTool,
       .help = "end every line written with LF instead of CR LF, for a\n"
               "Unix pipeline (without it the outputs are CR LF, as the\n"
               "window writes them)",
       .manual = "Ends every line that the tool writes with LF instead of CR LF, for a Unix\n"
                 "pipeline: no CR reaches names or sequences.\n"
                 "Without it every output is written with CR LF, as the window writes it.",
       .apply = [](Call& call, std::string_view) { call.common.lf_line_ends = true; }},
      {.names = {"--skip-letters"},
       .value_name = "TEXT",
       .taken_by = CompositionTool,
       .apply = [](Call& call, std::string_view text) { CompositionOptionsOf(call).skip_letters = text; }},
      {.names = {"--compare"},
       .value_name = "SIGN",
       .taken_by = OnlyTool<LenmarkOptions>,
       .apply = [](Call& call, std::string_view sign) { OptionsOf<LenmarkOptions>(call).compare = sign; }},
      {.names = {"--length"},
       .value_name = "TEXT",
       .taken_by = OnlyTool<LenmarkOptions>,
       .apply = [](Call& call, std::string_view length) { OptionsOf<LenmarkOptions>(call).length = length; }},
      {.names = {"--min"},
       .value_name = "N",
       .taken_by = OnlyTool<LenmarkOptions>,
       .apply = [](Call& call, std::string_view n) {
         OptionsOf<LenmarkOptions>(call).min_length = CountValue(n);
       },
       .count_value = true,
       .excludes = {"--compare", "--length"}},
      {.names = {"--max"},
       .value_name = "N",
       .taken_by = OnlyTool<LenmarkOptions>,
       .apply = [](Call& call, std::string_view n) {
         OptionsOf<LenmarkOptions>(call).max_length = CountValue(n);
       },
       .count_value = true,
       .excludes = {"--compare", "--length"}},
      {.names = {"--filter"},
       .value_name = "FILE",
       .taken_by = OnlyTool<ListrelOptions>,
       .apply = [](Call& call, std::string_view file) { OptionsOf<ListrelOptions>(call).filter = file; },
       .required = true},
      {.names = {"--extract"},
       .taken_by = OnlyTool<ListrelOptions>,
       .apply = [](Call& call, std::string_view) {
         OptionsOf<ListrelOptions>(call).criteria = ListrelCriteria::kExtract;
       }},
      {.names = {"--exclude"},
       .taken_by = OnlyTool<ListrelOptions>,
       .apply = [](Call& call, std::string_view) {
         OptionsOf<ListrelOptions>(call).criteria = ListrelCriteria::kExclude;
       },
       .alternative_to_previous = true},
      {.names = {"--by-name"},
       .taken_by = OnlyTool<ListrelOptions>,
       .apply = [](Call& call, std::string_view) { OptionsOf<ListrelOptions>(call).by_name = true; }},
      {.names = {"--prefix"},
       .value_name = "TEXT",
       .taken_by = OnlyTool<OrdinelOptions>,
       .apply = [](Call& call, std::string_view text) { OptionsOf<OrdinelOptions>(call).prefix = text; }},
      {.names = {"--start"},
       .value_name = "N",
       .taken_by = OnlyTool<OrdinelOptions>,
       .apply = [](Call& call, std::string_view n) {
         OptionsOf<OrdinelOptions>(call).start = *CountValue(n);
       },
       .count_value = true},
      {.names = {"--map"},
       .value_name = "FILE",
       .taken_by = OnlyTool<OrdinelOptions>,
       .apply = [](Call& call, std::string_view file) { OptionsOf<OrdinelOptions>(call).map = file; }},
      {.names = {"-h", "--help"},
       .taken_by = NoTool,
       .help = "this text",
       .manual = "Prints the usage and exits.",
       .role = OptionRole::kHelp},
      {.names = {"--version"},
       .taken_by = NoTool,
       .help = "the program's name and version",
       .manual = "Prints the program's name and version, \"vendral-cli " VENDRAL_VERSION "\", and exits.",
       .role = OptionRole::kVersion},
  };
  return table;
}

const std::vector<ToolSpec>& ToolTable() {
  static const std::vector<ToolSpec> table = {
      {"ardenta", ArdentaOptions{},
       "thermostability index of every protein record, as CSV\n"
       "(SOURCE.Ardenta.csv); the characters of TEXT (case as\n"
       "given) count neither as hits nor in the total"},
      {"gc", GcOptions{},
       "GC content of every nucleotide record, as CSV\n"
       "(SOURCE.GC-Content.csv); --skip-letters as for ardenta,\n"
       "such as N for the unknown bases"},
      {"lenmark", LenmarkOptions{},
       "the records whose sequence length is below (\"<\"),\n"
       "equal to (\"=\") or above (\">\") the length TEXT\n"
       "(SOURCE.Lenmark.fas); both texts are taken as typed into\n"
       "the window's fields; defaults: " +
           Quoted(LenmarkOptions{}.compare) + " and " + Quoted(LenmarkOptions{}.length) +
           ";\n"
           "--min and/or --max instead keep the lengths L with\n"
           "min <= L <= max (not with --compare or --length)"},
      {"listrel", ListrelOptions{},
       "the records whose numeric description is listed in FILE\n"
       "(--extract) or is not (--exclude, the default), one\n"
       "number per line (SOURCE.Listrel.fas); of the two flags\n"
       "the last one given counts; FILE may be compressed, but\n"
       "not standard input; --by-name: FILE lists names, the\n"
       "first word of a description (up to a blank or tab),\n"
       "one per line, and kept records are written as they\n"
       "stand"},
      {"ordinel", OrdinelOptions{},
       "SOURCE with every description replaced by a running\n"
       "number (SOURCE.Ordinel.fas); an existing output is never\n"
       "overwritten: the run fails with \"I/O error 103.\";\n"
       "descriptions are \">\", TEXT and the number from N\n"
       "(defaults: none and 1); --map writes FILE, never over\n"
       "one: \"number<TAB>description\", then per record the new\n"
       "and the old description without \">\", lines ending in LF"},
  };
  return table;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return UsageError{};
  const std::string& first = arguments.front();
  if (const auto request = TextRequestOf(first)) return *request;
  const auto tool = std::find_if(ToolTable().begin(), ToolTable().end(),
                                 [&](const ToolSpec& spec) { return spec.name == first; });
  if (tool == ToolTable().end()) return UsageError{"unknown tool " + first + " (see --help)"};

  Call call{.tool = tool->options};
  std::vector<const OptionSpec*> given;
  bool options_ended = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || !IsOptionWord(argument)) {
      call.common.sources.push_back(argument);
      continue;
    }
    const OptionSpec* option = FindOption(argument, call.tool);
    if (!option) return UsageError{"unknown option " + argument};
    if (option->role == OptionRole::kEndOfOptions) {
      options_ended = true;
      continue;
    }
    std::string_view value;
    if (!option->value_name.empty()) {
      if (i + 1 == arguments.size()) return UsageError{argument + " needs a value"};
      value = arguments[++i];
      if (option->count_value && !CountValue(value)) {
        return UsageError{argument + " takes a number from 0 to 9223372036854775807, not " + Quoted(value)};
      }
    }
    option->apply(call, value);
    given.push_back(option);
  }
  if (auto message = CheckCall(call, given)) return UsageError{std::move(*message)};
  return call;
}

}  // namespace vendral
