// vendral-cli: runs the tools of the window from the command line, through
// the same run frame, so that both write the same bytes.
#include <iostream>
#include <string>
#include <vector>

#include "cli/console_streams.h"
#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "cli/options.h"
#include "cli/source_runs.h"
#include "platform/platform.h"

namespace vendral {
namespace {

int Main(int argc, char** argv) {
  const CommandLine command_line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* error = std::get_if<UsageError>(&command_line)) {
    std::cerr << (error->message.empty() ? HelpText() : "vendral-cli: " + error->message + '\n');
    return kExitUsage;
  }
  if (const auto* request = std::get_if<TextRequest>(&command_line)) {
    if (*request == TextRequest::kHelp) {
      std::cout << HelpText();
    } else {
      std::cout << VersionText();
    }
    return kExitDone;
  }
  return RunSources(std::get<Call>(command_line));
}

}  // namespace
}  // namespace vendral

int main(int argc, char** argv) {
  vendral::platform::WriteStandardStreamsAsBytes();
  return vendral::FinishConsoleOutput(vendral::Main(argc, argv));
}
