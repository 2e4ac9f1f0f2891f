// Runs vendral-cli as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

#include "support/cli_process.h"

namespace vendral::testing {

// Runs the program in folder with the arguments.
CliResult RunCli(const std::string& folder, const std::vector<std::string>& args);

}  // namespace vendral::testing
