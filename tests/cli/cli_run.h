// Runs vendral-cli as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

#include "support/cli_process.h"

namespace vendral::testing {

// Files that the program's standard output and standard error go to, such
// as /dev/full; an empty path: collected into the result.
struct CliStreams {
  std::string out;
  std::string err;
};

// Runs the program in folder with the arguments; its standard input is a
// pipe that carries input, when given.
CliResult RunCli(const std::string& folder, const std::vector<std::string>& args,
                 const std::string* input = nullptr, const CliStreams& streams = {});

// The part of RunCli that differs between systems (cli_run_posix.cpp,
// cli_run_windows.cpp): starts the program with its standard output and
// error going to the two files and waits for it; the exit status, -1 when
// it did not exit.
int RunCliWithStreamsIn(const std::string& folder, const std::vector<std::string>& args,
                        const std::string* input, const std::string& out_path, const std::string& err_path);

}  // namespace vendral::testing
