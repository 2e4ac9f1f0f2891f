#include "cli_run.h"

namespace vendral::testing {

CliResult RunCli(const std::string& folder, const std::vector<std::string>& args) {
  return ChildProcess(VENDRAL_CLI_PATH, args, folder, folder + ".cli").Wait();
}

}  // namespace vendral::testing
