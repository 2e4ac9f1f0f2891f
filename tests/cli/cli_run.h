// Runs vendral-cli as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace vendral::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program in folder with the arguments; its standard input is a
// pipe that carries input, when given.
CliResult RunCli(const std::string& folder, const std::vector<std::string>& args,
                 const std::string* input = nullptr);

}  // namespace vendral::testing
