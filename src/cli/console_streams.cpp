#include "cli/console_streams.h"

#include <cstdio>
#include <iostream>

#include "cli/exit_status.h"

namespace vendral {
namespace {

// The streams write through C's standard streams, so a write that failed
// earlier shows in either the C++ stream's state or the C stream's error.
bool Flushed(std::ostream& stream, std::FILE* file) {
  stream.flush();
  return std::fflush(file) == 0 && !std::ferror(file) && !stream.fail();
}

}  // namespace

int FinishConsoleOutput(int status) {
  const bool output_written = Flushed(std::cout, stdout);
  if (!output_written) std::cerr << "vendral-cli: standard output could not be written\n";
  const bool errors_written = Flushed(std::cerr, stderr);
  return output_written && errors_written ? status : kExitFailed;
}

}  // namespace vendral
