// vendral-cli: runs the tools of the window from the command line, through
// the same run frame, so that both write the same bytes.
#include <iostream>
#include <string>
#include <vector>

#include "cli/console_host.h"
#include "cli/console_streams.h"
#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "cli/options.h"
#include "cli/tool_runs.h"
#include "core/run/run_frame.h"
#include "platform/platform.h"

namespace vendral {
namespace {

// The path the core opens for a source argument.
std::string SourcePath(const std::string& argument) {
  return argument == kStandardInputArgument ? platform::StandardInputName() : argument;
}

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
  const Call& call = std::get<Call>(command_line);
  const CommonOptions& common = call.common;
  ConsoleHost host(common.output_folder ? *common.output_folder : platform::CurrentFolder(),
                   common.to_standard_output,
                   common.progress ? *common.progress : platform::StandardErrorIsTerminal());
  const bool several = common.sources.size() > 1;
  int status = kExitDone;
  for (const std::string& source : common.sources) {
    host.BeginRun(several ? source : std::string());
    const RunOutcome outcome = RunGuarded(host, [&] { return RunSource(host, call.tool, SourcePath(source)); });
    status = WorseStatus(status, ExitStatusOf(outcome));
  }
  return status;
}

}  // namespace
}  // namespace vendral

int main(int argc, char** argv) {
  vendral::platform::WriteStandardStreamsAsBytes();
  return vendral::FinishConsoleOutput(vendral::Main(argc, argv));
}
