// vendral-cli: runs the tools of the window from the command line, through
// the same run frame, so that both write the same bytes.
#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/console_host.h"
#include "cli/console_streams.h"
#include "cli/exit_status.h"
#include "core/composition.h"
#include "core/lenmark.h"
#include "core/listrel.h"
#include "core/ordinel.h"
#include "core/run_frame.h"
#include "platform/platform.h"

namespace vendral {
namespace {

constexpr const char* kHelp = R"(Usage: vendral-cli TOOL SOURCE... [OPTIONS] [-o DIR]

Prepares multiFASTA files. Each tool writes one file into the output folder
DIR, named after SOURCE, its tag and extension, and prints "Done!". With
several sources each is run in turn, as if each were run alone; messages
then start with the source they belong to. A source may be compressed with
gzip (also several members or blocked gzip), zstd, xz or bzip2: the format
is recognised by the file's first bytes, and the output is the one of the
decompressed bytes, named after the source as it is (x.fa.gz gives
x.fa.gz.GC-Content.csv).

Tools:
  ardenta SOURCE...  thermostability index of every protein record, as CSV
                     (SOURCE.Ardenta.csv)
  gc SOURCE...       GC content of every nucleotide record, as CSV
                     (SOURCE.GC-Content.csv)
  lenmark SOURCE... [--compare SIGN] [--length TEXT]
                     the records whose sequence length is below ("<"),
                     equal to ("=") or above (">") the length TEXT
                     (SOURCE.Lenmark.fas); both texts are taken as typed into
                     the window's fields; defaults: "<" and "1000"
  listrel SOURCE... --filter FILE [--extract | --exclude]
                     the records whose numeric description is listed in FILE
                     (--extract) or is not (--exclude, the default), one
                     number per line (SOURCE.Listrel.fas); of the two flags
                     the last one given counts; FILE may be compressed, but
                     not standard input
  ordinel SOURCE...  SOURCE with every description replaced by a running
                     number (SOURCE.Ordinel.fas); an existing output is never
                     overwritten: the run fails with "I/O error 103."

Options:
  -o DIR           the output folder, treated as the window's folder field:
                   a final path separator is added and one missing folder
                   level is created; default: the current folder
  --stdout         write the output to standard output instead of a file;
                   no output folder is touched, "Done!" and every message go
                   to standard error; several sources' outputs follow one
                   another in the order given
  -                as SOURCE: read standard input (plain or compressed);
                   only with --stdout, and only once
  --               every argument after it is a SOURCE
  --progress       a one-line progress bar on stderr while the tool reads,
                   even when stderr is not a terminal (on a terminal the
                   bar shows without asking)
  --no-progress    no progress bar, not even on a terminal; of the two
                   flags the last one given counts
  -h, --help       this text
  --version        the program's name and version

Exit status: 0 done; 1 a run failed (the message is on stderr); 2 an input
file is missing ("Define correct file!!!" or, for listrel, "Define correct
files!!!"); 64 bad arguments. With several sources: 1 when any run failed,
otherwise 2 when any input was missing.
)";

constexpr const char* kVersion = "vendral-cli " VENDRAL_VERSION "\n";
constexpr std::string_view kStandardInputArgument = "-";

// The arguments after the tool name: positional ones and option values.
struct Arguments {
  std::vector<std::string> positional;  // the sources
  std::map<std::string, std::string> values;  // option -> value
  std::vector<std::string> flags;
};

struct ToolCommand {
  std::vector<std::string> options_with_value;
  std::vector<std::string> flags;
  std::vector<std::string> required_options;
  std::function<void(RunHost&, const Arguments&, const std::string& source)> run;
};

void RunComposition(std::string_view letters, RunHost& host, const std::string& source) {
  ToolMode = letters;
  Action1Execute(host, source, source);
}

// The value of an option, or its default when it was not given.
std::string ValueOr(const Arguments& args, const std::string& option, const std::string& fallback) {
  const auto found = args.values.find(option);
  return found != args.values.end() ? found->second : fallback;
}

// Which of two flags that undo each other was given last; nullptr when
// neither was.
const std::string* LastOf(const Arguments& args, std::string_view one, std::string_view other) {
  for (auto flag = args.flags.rbegin(); flag != args.flags.rend(); ++flag) {
    if (*flag == one || *flag == other) return &*flag;
  }
  return nullptr;
}

// Of --extract and --exclude the last one counts; --exclude by default,
// as the window's radio group starts.
ListrelCriteria CriteriaOf(const Arguments& args) {
  const std::string* flag = LastOf(args, "--extract", "--exclude");
  return flag && *flag == "--extract" ? ListrelCriteria::kExtract : ListrelCriteria::kExclude;
}

// A bar where a person watches stderr, unless a flag says otherwise.
bool ShowsProgress(const Arguments& args) {
  const std::string* flag = LastOf(args, "--progress", "--no-progress");
  return flag ? *flag == "--progress" : platform::StandardErrorIsTerminal();
}

const std::map<std::string, ToolCommand>& Commands() {
  static const std::map<std::string, ToolCommand> commands = {
      {"ardenta", {{}, {}, {}, [](RunHost& host, const Arguments&, const std::string& source) {
         RunComposition(kArdentaLetters, host, source);
       }}},
      {"gc", {{}, {}, {}, [](RunHost& host, const Arguments&, const std::string& source) {
         RunComposition(kGcLetters, host, source);
       }}},
      {"lenmark", {{"--compare", "--length"}, {}, {},
                   [](RunHost& host, const Arguments& args, const std::string& source) {
         RunLenmark(host, source, ValueOr(args, "--compare", "<"), ValueOr(args, "--length", "1000"));
       }}},
      {"listrel", {{"--filter"}, {"--extract", "--exclude"}, {"--filter"},
                   [](RunHost& host, const Arguments& args, const std::string& source) {
         RunListrel(host, source, args.values.at("--filter"), CriteriaOf(args));
       }}},
      {"ordinel", {{}, {}, {}, [](RunHost& host, const Arguments&, const std::string& source) {
         RunOrdinel(host, source);
       }}},
  };
  return commands;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  for (const auto& entry : list) {
    if (entry == item) return true;
  }
  return false;
}

// Flags that every tool takes.
const std::vector<std::string> kCommonFlags = {"--stdout", "--progress", "--no-progress"};

std::optional<Arguments> Parse(const ToolCommand& command, int argc, char** argv) {
  Arguments args;
  bool options_ended = false;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options_ended) {
      args.positional.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "-o" || Contains(command.options_with_value, arg)) {
      if (i + 1 >= argc) {
        std::cerr << "vendral-cli: " << arg << " needs a value\n";
        return std::nullopt;
      }
      args.values[arg] = argv[++i];
    } else if (Contains(command.flags, arg) || Contains(kCommonFlags, arg)) {
      args.flags.push_back(arg);
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "vendral-cli: unknown option " << arg << '\n';
      return std::nullopt;
    } else {
      args.positional.push_back(arg);
    }
  }
  if (args.positional.empty()) {
    std::cerr << "vendral-cli: give at least one SOURCE\n";
    return std::nullopt;
  }
  for (const auto& option : command.required_options) {
    if (!args.values.count(option)) {
      std::cerr << "vendral-cli: " << option << " is required\n";
      return std::nullopt;
    }
  }
  const auto from_input = std::count(args.positional.begin(), args.positional.end(), kStandardInputArgument);
  // Without --stdout the output file would be named after the source, and
  // standard input has no name; it can be read only once.
  if (from_input > 0 && !Contains(args.flags, "--stdout")) {
    std::cerr << "vendral-cli: - (standard input) as SOURCE needs --stdout\n";
    return std::nullopt;
  }
  if (from_input > 1) {
    std::cerr << "vendral-cli: - (standard input) can be given only once\n";
    return std::nullopt;
  }
  if (ValueOr(args, "--filter", "") == kStandardInputArgument) {
    std::cerr << "vendral-cli: --filter cannot read standard input\n";
    return std::nullopt;
  }
  return args;
}

// The path the core opens for a source argument.
std::string SourcePath(const std::string& argument) {
  return argument == kStandardInputArgument ? platform::StandardInputName() : argument;
}

int Main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kHelp;
    return kExitUsage;
  }
  const std::string tool = argv[1];
  if (tool == "-h" || tool == "--help" || tool == "help") {
    std::cout << kHelp;
    return kExitDone;
  }
  if (tool == "--version") {
    std::cout << kVersion;
    return kExitDone;
  }
  const auto found = Commands().find(tool);
  if (found == Commands().end()) {
    std::cerr << "vendral-cli: unknown tool " << tool << " (see --help)\n";
    return kExitUsage;
  }
  const auto args = Parse(found->second, argc, argv);
  if (!args) return kExitUsage;
  const auto folder = args->values.find("-o");
  ConsoleHost host(folder != args->values.end() ? folder->second : platform::CurrentFolder(),
                   Contains(args->flags, "--stdout"), ShowsProgress(*args));
  const bool several = args->positional.size() > 1;
  int status = kExitDone;
  for (const std::string& source : args->positional) {
    host.BeginRun(several ? source : std::string());
    RunGuarded(host, [&] { found->second.run(host, *args, SourcePath(source)); });
    status = WorseStatus(status, host.ExitStatus());
  }
  return status;
}

}  // namespace
}  // namespace vendral

int main(int argc, char** argv) { return vendral::FinishConsoleOutput(vendral::Main(argc, argv)); }
