#include "cli_run.h"

#include <cstdio>

#include "support/temp_folder.h"

namespace vendral::testing {

CliResult RunCli(const std::string& folder, const std::vector<std::string>& args,
                 const std::string* input, const CliStreams& streams) {
  const std::string out_path = streams.out.empty() ? folder + ".cli-out" : streams.out;
  const std::string err_path = streams.err.empty() ? folder + ".cli-err" : streams.err;
  CliResult result;
  result.status = RunCliWithStreamsIn(folder, args, input, out_path, err_path);
  // A stream sent to a file of the caller's is not collected.
  const auto collect = [](const std::string& given, const std::string& path, std::string& into) {
    if (!given.empty()) return;
    into = ReadBytes(path);
    std::remove(path.c_str());
  };
  collect(streams.out, out_path, result.out);
  collect(streams.err, err_path, result.err);
  return result;
}

}  // namespace vendral::testing
