// vendral-cli (or any program) started as a child process, its standard
// output and error going to files, its outcome collected when it ends.
// Several can be held at a start gate and let go at the same moment.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vendral::testing {

// The words that start a program, ready for execv in a child process: made
// before the fork, so that the child only execs. When VENDRAL_TEST_RUNNER
// names a program (qemu-aarch64, for a build for another processor on a
// machine that cannot start its programs directly), that program is started
// with the program's path as its first argument.
class CommandLine {
 public:
  CommandLine(const std::string& program, const std::vector<std::string>& args);
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;
  // Replaces the calling process; ends it with status 122 when that fails.
  [[noreturn]] void Exec() const;

 private:
  std::vector<std::string> words_;
  std::vector<char*> argv_;
};

struct CliResult {
  int status = -1;  // the exit status; -1 when the program did not exit
  std::string out;
  std::string err;
};

// Holds every child started with it until Open().
class StartGate {
 public:
  StartGate();
  ~StartGate();
  StartGate(const StartGate&) = delete;
  StartGate& operator=(const StartGate&) = delete;
  void Open();
  // Called in a child: returns once the gate is open.
  void WaitInChild() const;

 private:
  int read_end_ = -1;
  int write_end_ = -1;
};

class ChildProcess {
 public:
  // Runs program with args in working_folder; the output goes to
  // output_prefix + ".out" and ".err", which are removed by Wait().
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::string& working_folder, const std::string& output_prefix,
               const StartGate* gate = nullptr);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ChildProcess(ChildProcess&& other) noexcept;
  ~ChildProcess();

  pid_t pid() const { return pid_; }
  // Whether the child has ended, without waiting.
  bool HasEnded();
  CliResult Wait();

 private:
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
  std::string output_prefix_;
};

}  // namespace vendral::testing
