// Vendral's command line. The window takes one file to open, so that a
// desktop's "Open with" works; --version and --help are answered on
// standard output without a window. Any other argument changes nothing.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace vendral {

// The text that --version or --help asks for, when one of them is given.
// Runs before the application object exists, so it needs no display.
std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv);

// The first argument that is not an option, as an absolute path: the
// current folder moves with every file dialog, the file should not.
// arguments: the program's name first, the toolkit's own options removed.
// Empty when there is none.
QString SourceFileArgument(const QStringList& arguments);

}  // namespace vendral
