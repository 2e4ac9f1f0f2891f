// A source that another program changes while a run reads it. Nothing on
// this system stops that, so the run notices it: at the end of the input
// the source's size and modification time are not those it had when it was
// opened, and the run ends with a failure instead of "Done!".
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "core/lines/staged_file.h"
#include "fault_scene.h"

namespace vendral::testing {
namespace {

namespace fs = std::filesystem;

enum class Change { kTruncated, kRewrittenInPlace };

struct ChangeCase {
  const char* name;
  const char* tool;
  Change change;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

void ChangeSource(const std::string& path, Change change) {
  if (change == Change::kTruncated) {
    fs::resize_file(path, fs::file_size(path) / 2);
    return;
  }
  // Same size, other bytes, and a modification time that surely differs.
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  const int fd = ::open(path.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::pwrite(fd, ">0\n", 3, 0), 3);
  timespec times[2] = {info.st_atim, info.st_mtim};
  times[1].tv_sec += 5;
  ASSERT_EQ(::futimens(fd, times), 0);
  ::close(fd);
  ASSERT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(info.st_size));
}

class ChangingSource : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ChangingSource, EndsWithSourceChanged) {
  const ToolCall& tool = ToolNamed(GetParam().tool);
  // Caught as soon as it has written its first block into its own file
  // (the output takes the name only when the run is done), and held still while
  // the source changes, so that the change surely falls inside the run. A
  // run that ends between the look at its output and the stop is started
  // again (Listrel writes only after reading the source once).
  for (int attempt = 0; attempt < 5; ++attempt) {
    TempFolder out;
    FaultScene scene(MultiFasta(400000, 60), out.path());
    ChildProcess run = scene.Start(tool, out.path());
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code no_file;
    const std::string own_file = StagedFile::OwnName(scene.OutputOf(tool), run.pid());
    while ((fs::file_size(own_file, no_file) == 0 || no_file) && !run.HasEnded()) {
      ASSERT_LT(std::chrono::steady_clock::now(), give_up);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (::kill(run.pid(), SIGSTOP) != 0 || run.HasEnded()) {
      run.Wait();
      continue;
    }
    ChangeSource(scene.source(), GetParam().change);
    ASSERT_EQ(::kill(run.pid(), SIGCONT), 0);

    const CliResult result = run.Wait();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(MessageLine(result.err), FailureLine("Source changed while it was read"));
    return;
  }
  FAIL() << "every run ended before it was caught";
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangingSource,
    ::testing::Values(ChangeCase{"Truncated", "gc", Change::kTruncated},
                      ChangeCase{"RewrittenInPlace", "gc", Change::kRewrittenInPlace},
                      ChangeCase{"ListrelSourceTruncated", "listrel", Change::kTruncated}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendral::testing
