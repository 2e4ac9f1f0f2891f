#include "support/cli_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "support/temp_folder.h"

namespace vendral::testing {

StartGate::StartGate() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  read_end_ = ends[0];
  write_end_ = ends[1];
}

StartGate::~StartGate() {
  Open();
  ::close(read_end_);
}

// Closing the last write end lets every waiting reader see the end of the
// pipe: the parent's in Open(), each child's own copy as it starts waiting.
void StartGate::Open() {
  if (write_end_ >= 0) ::close(std::exchange(write_end_, -1));
}

void StartGate::WaitInChild() const {
  ::close(write_end_);
  char byte;
  while (::read(read_end_, &byte, 1) > 0) {
  }
}

CommandLine::CommandLine(const std::string& program, const std::vector<std::string>& args) {
  const char* runner = std::getenv("VENDRAL_TEST_RUNNER");
  if (runner && *runner) words_.push_back(runner);
  words_.push_back(program);
  words_.insert(words_.end(), args.begin(), args.end());
  for (auto& word : words_) argv_.push_back(word.data());
  argv_.push_back(nullptr);
}

void CommandLine::Exec() const {
  ::execv(argv_[0], argv_.data());
  ::_exit(122);
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& working_folder, const std::string& output_prefix,
                           const StartGate* gate)
    : output_prefix_(output_prefix) {
  // Everything the child needs is made before the fork.
  const CommandLine command(program, args);
  const std::string out_path = output_prefix + ".out";
  const std::string err_path = output_prefix + ".err";

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ > 0) return;
  if (gate) gate->WaitInChild();
  if (::chdir(working_folder.c_str()) != 0) ::_exit(120);
  if (!std::freopen(out_path.c_str(), "w", stdout) || !std::freopen(err_path.c_str(), "w", stderr)) {
    ::_exit(121);
  }
  command.Exec();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      status_(other.status_),
      ended_(other.ended_),
      output_prefix_(std::move(other.output_prefix_)) {}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !ended_) {
    ::kill(pid_, SIGKILL);
    Wait();
  }
}

bool ChildProcess::HasEnded() {
  if (!ended_ && ::waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
  return ended_;
}

CliResult ChildProcess::Wait() {
  if (!ended_) {
    while (::waitpid(pid_, &status_, 0) < 0) {
    }
    ended_ = true;
  }
  CliResult result;
  result.status = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  const std::string out_path = output_prefix_ + ".out";
  const std::string err_path = output_prefix_ + ".err";
  try {
    result.out = ReadBytes(out_path);
    result.err = ReadBytes(err_path);
  } catch (const std::runtime_error&) {
    // The child ended before it could redirect its output.
  }
  std::remove(out_path.c_str());
  std::remove(err_path.c_str());
  return result;
}

}  // namespace vendral::testing
