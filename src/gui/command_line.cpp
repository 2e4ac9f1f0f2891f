#include "gui/command_line.h"

#include <QDir>
#include <QFileInfo>
#include <string_view>

namespace vendral {

namespace {

constexpr const char* kHelp = R"(Usage: Vendral [FILE]

Opens the Vendral window, which prepares multiFASTA files with one tab per
tool: Ardenta, Lenmark, Listrel, GC-content and Ordinel. The window opens on
the GC-content tab; FILE, when given, becomes that tab's source file.

Options:
  --version        prints the program's name and version
  -h, --help       this text

The window keeps its field values in INIVAL1.INI beside the program when
the user may write into the program's folder, and otherwise in
Vendral/INIVAL1.INI in the user's configuration folder ($XDG_CONFIG_HOME,
by default ~/.config), after the values of an INIVAL1.INI beside the
program. Until another output folder is chosen, the tools write into
output/ beside the program, or otherwise into Vendral/output/ in the
user's documents folder.
)";

}  // namespace

std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "--version") return std::string("Vendral " VENDRAL_VERSION "\n");
    if (argument == "-h" || argument == "--help") return std::string(kHelp);
  }
  return std::nullopt;
}

QString SourceFileArgument(const QStringList& arguments) {
  bool options_end = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!options_end && argument == QStringLiteral("--")) {
      options_end = true;
    } else if (!argument.isEmpty() && (options_end || !argument.startsWith(QLatin1Char('-')))) {
      // In the system's own form, as the file dialog gives it: the tools
      // take a path's file name after the last native separator.
      return QDir::toNativeSeparators(QFileInfo(argument).absoluteFilePath());
    }
  }
  return {};
}

}  // namespace vendral
