#include "cli/help_text.h"

#include <algorithm>

namespace vendral {
namespace {

constexpr std::string_view kIntroduction = R"(Usage: vendral-cli TOOL SOURCE... [OPTIONS] [-o DIR]

Prepares multiFASTA files. Each tool writes one file into the output folder
DIR, named after SOURCE, its tag and extension, and prints "Done!". With
several sources each is run in turn (or up to N at a time with -j N), as if
each were run alone; messages then start with the source they belong to, in
the order given. A source may be compressed with gzip (also several members
or blocked gzip), zstd, xz or bzip2: the format is recognised by the file's
first bytes, and the output is the one of the decompressed bytes, named
after the source as it is (x.fa.gz gives x.fa.gz.GC-Content.csv).
)";

constexpr std::string_view kExitStatuses =
    R"(Exit status: 0 done; 1 a run failed (the message is on stderr); 2 an input
file is missing ("Define correct file!!!" or, for listrel, "Define correct
files!!!"); 64 bad arguments. With several sources: 1 when any run failed,
otherwise 2 when any input was missing.
)";

// One line for each option that the window has no field for.
constexpr std::string_view kExamples = R"(Examples:
    vendral-cli ordinel reads.fa --lf --stdout | head
    vendral-cli lenmark reads.fa --min 100 --max 200 -o out
    vendral-cli gc genes.fa --skip-letters NnXx- -o out
    vendral-cli ordinel reads.fa --prefix read_ --start 0 --map names.tsv
    vendral-cli listrel reads.fa --filter names.txt --by-name --extract -o out
)";

// Where an entry's text starts, under "Tools:" and under "Options:".
constexpr std::size_t kToolTextColumn = 21;
constexpr std::size_t kOptionTextColumn = 19;

// "  HEAD  text", the text's lines starting at column; a head too long to
// leave two spaces before it stands on a line of its own.
void AppendEntry(std::string& help, std::string_view head, std::string_view text, std::size_t column) {
  help += "  ";
  help += head;
  if (2 + head.size() + 2 > column) {
    help += '\n';
    help.append(column, ' ');
  } else {
    help.append(column - 2 - head.size(), ' ');
  }
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    help += text.substr(start, end - start);
    help += '\n';
    if (end == std::string_view::npos) break;
    help.append(column, ' ');
    start = end + 1;
  }
}

// "-o DIR", "-h, --help".
std::string Usage(const OptionSpec& option) {
  std::string usage;
  for (std::string_view name : option.names) {
    if (!usage.empty()) usage += ", ";
    usage += name;
  }
  if (!option.value_name.empty()) usage += ' ' + std::string(option.value_name);
  return usage;
}

// "listrel SOURCE... --filter FILE [--extract | --exclude]".
std::string Synopsis(const ToolSpec& tool) {
  std::string synopsis = std::string(tool.name) + " SOURCE...";
  for (const OptionSpec& option : OptionTable()) {
    if (ListedUnderOptions(option) || !option.taken_by(tool.options)) continue;
    if (option.alternative_to_previous) {
      synopsis.insert(synopsis.size() - 1, " | " + Usage(option));  // inside the previous "[...]"
    } else {
      synopsis += option.required ? ' ' + Usage(option) : " [" + Usage(option) + ']';
    }
  }
  return synopsis;
}

}  // namespace

bool ListedUnderOptions(const OptionSpec& option) {
  const auto taken = [&](const ToolSpec& tool) { return option.taken_by(tool.options); };
  return std::all_of(ToolTable().begin(), ToolTable().end(), taken) ||
         std::none_of(ToolTable().begin(), ToolTable().end(), taken);
}

std::string HelpText() {
  std::string help(kIntroduction);
  help += "\nTools:\n";
  for (const ToolSpec& tool : ToolTable()) AppendEntry(help, Synopsis(tool), tool.help, kToolTextColumn);
  help += "\nOptions:\n";
  for (const OptionSpec& option : OptionTable()) {
    if (ListedUnderOptions(option)) AppendEntry(help, Usage(option), option.help, kOptionTextColumn);
  }
  help += '\n';
  help += kExamples;
  help += '\n';
  help += kExitStatuses;
  return help;
}

std::string_view VersionText() { return "vendral-cli " VENDRAL_VERSION "\n"; }

}  // namespace vendral
