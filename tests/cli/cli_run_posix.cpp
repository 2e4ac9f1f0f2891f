#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "cli_run.h"

namespace vendral::testing {

int RunCliWithStreamsIn(const std::string& folder, const std::vector<std::string>& args,
                        const std::string* input, const std::string& out_path, const std::string& err_path) {
  const CommandLine command(VENDRAL_CLI_PATH, args);
  int pipe_ends[2] = {-1, -1};
  if (input && ::pipe(pipe_ends) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (input) {
      ::dup2(pipe_ends[0], 0);
      ::close(pipe_ends[0]);
      ::close(pipe_ends[1]);
    }
    if (::chdir(folder.c_str()) != 0) ::_exit(120);
    if (!std::freopen(out_path.c_str(), "w", stdout) || !std::freopen(err_path.c_str(), "w", stderr)) ::_exit(121);
    command.Exec();
  }
  if (input) {
    // The program may stop reading early; that must not end the test.
    ::signal(SIGPIPE, SIG_IGN);
    ::close(pipe_ends[0]);
    for (std::size_t done = 0; done < input->size();) {
      const ssize_t n = ::write(pipe_ends[1], input->data() + done, input->size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(pipe_ends[1]);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vendral::testing
