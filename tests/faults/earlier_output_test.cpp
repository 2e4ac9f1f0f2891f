// A run over an earlier output of the same name that does not complete:
// a bad filter line, a bad record number deep in the source, a damaged
// compressed source, a full disk, a kill in the middle, a racing run. The
// earlier output stays byte for byte as it was, and the run's own file is
// gone (a killed run's is removed by the next run of that output).
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "core/lines/staged_file.h"
#include "fault_scene.h"
#include "small_file_system.h"
#include "support/compressed_samples.h"

namespace vendral::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEarlier = "an earlier run's output\r\n";

struct FailingCase {
  const char* name;
  const char* tool;
  std::string source;          // empty: the scene's good source
  std::string filter;          // empty: the scene's filter
  std::string message;
};

void PrintTo(const FailingCase& c, std::ostream* os) { *os << c.name; }

class FailingRun : public ::testing::TestWithParam<FailingCase> {};

TEST_P(FailingRun, LeavesTheEarlierOutputAsItWas) {
  const FailingCase& c = GetParam();
  const ToolCall& tool = ToolNamed(c.tool);
  TempFolder out;
  FaultScene scene(c.source.empty() ? MultiFasta(40, 70) : c.source, out.path(),
                   c.filter.empty() ? "1\n3\n5\n" : c.filter);
  WriteBytes(scene.OutputOf(tool), kEarlier);
  const std::vector<std::string> before = NamesIn(out.path());

  const CliResult result = scene.Run(tool, out.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(MessageLine(result.err), FailureLine(c.message));
  EXPECT_EQ(ReadBytes(scene.OutputOf(tool)), kEarlier);
  EXPECT_EQ(NamesIn(out.path()), before);
  scene.ExpectUntouched();
}

// Long enough that whole blocks of output reach the run's own file before
// the fault.
std::string LongSource() { return MultiFasta(20000, 60); }

std::string DamagedGzip() {
  const std::string whole = GzipMember(LongSource());
  return whole.substr(0, whole.size() * 2 / 3);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailingRun,
    ::testing::Values(
        FailingCase{"BadFilterLine", "listrel", "", "1\nx\n3\n", "'x' is not a valid integer value"},
        FailingCase{"BadRecordNumberDeepInTheSource", "listrel", LongSource() + ">9x\nACGT\n", "",
                    "'9x' is not a valid integer value"},
        FailingCase{"DamagedGzipGc", "gc", DamagedGzip(), "", "Damaged compressed data"},
        FailingCase{"DamagedGzipArdenta", "ardenta", DamagedGzip(), "", "Damaged compressed data"},
        FailingCase{"DamagedGzipLenmark", "lenmark", DamagedGzip(), "", "Damaged compressed data"},
        FailingCase{"DamagedGzipListrel", "listrel", DamagedGzip(), "", "Damaged compressed data"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FullDisk, LeavesTheEarlierOutputAsItWas) {
  SmallFileSystem disk(256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "no full file system to write to: " << disk.why_not();
  for (const char* name : {"gc", "lenmark"}) {
    SCOPED_TRACE(name);
    const ToolCall& tool = ToolNamed(name);
    FaultScene scene(MultiFasta(20000, 60), disk.path());
    WriteBytes(scene.OutputOf(tool), kEarlier);
    const std::vector<std::string> before = NamesIn(disk.path());
    const CliResult result = scene.Run(tool, disk.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(MessageLine(result.err), FailureLine("I/O error 112"));
    EXPECT_EQ(ReadBytes(scene.OutputOf(tool)), kEarlier);
    EXPECT_EQ(NamesIn(disk.path()), before);
    scene.ExpectUntouched();
    fs::remove(scene.OutputOf(tool));
  }
}

// Killed while it writes: the earlier output is as it was, the run's own
// file stays under its telling name, and the next run of the same output
// is done and removes it.
TEST(KilledRun, LeavesTheEarlierOutputAndItsOwnFileForTheNextRun) {
  const ToolCall& tool = ToolNamed("gc");
  TempFolder out;
  FaultScene scene(MultiFasta(400000, 60), out.path());
  WriteBytes(scene.OutputOf(tool), kEarlier);
  ChildProcess run = scene.Start(tool, out.path());
  const std::string own = StagedFile::OwnName(scene.OutputOf(tool), run.pid());
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::error_code no_file;
  while ((fs::file_size(own, no_file) == 0 || no_file) && !run.HasEnded()) {
    ASSERT_LT(std::chrono::steady_clock::now(), give_up);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ASSERT_EQ(::kill(run.pid(), SIGKILL), 0);
  const CliResult killed = run.Wait();
  if (killed.status == 0) GTEST_SKIP() << "the run was done before it could be killed";
  EXPECT_EQ(ReadBytes(scene.OutputOf(tool)), kEarlier);
  EXPECT_TRUE(fs::exists(own));

  const CliResult again = scene.Run(tool, out.path());
  EXPECT_EQ(again.out, kDoneLine);
  EXPECT_EQ(ReadBytes(scene.OutputOf(tool)), scene.FaultlessOutput(tool));
  EXPECT_FALSE(fs::exists(own));
  scene.ExpectUntouched();
}

// Two runs at once over one earlier output, again and again: each run is
// done or loses the output to the other with the sharing failure, and the
// output then holds exactly what a run writes.
TEST(RacingRuns, OverOneEarlierOutput) {
  TempFolder out;
  FaultScene scene(MultiFasta(300, 120), out.path());
  const ToolCall& tool = ToolNamed("lenmark");
  const std::string faultless = scene.FaultlessOutput(tool);
  std::map<std::string, int> endings;
  int wrong_files = 0;
  for (int pair = 0; pair < 60; ++pair) {
    WriteBytes(scene.OutputOf(tool), kEarlier);
    StartGate gate;
    ChildProcess first = scene.Start(tool, out.path(), &gate);
    ChildProcess second = scene.Start(tool, out.path(), &gate);
    gate.Open();
    for (ChildProcess* run : {&first, &second}) {
      const CliResult result = run->Wait();
      ++endings[std::to_string(result.status) + " " + result.out + MessageLine(result.err)];
    }
    if (ReadBytes(scene.OutputOf(tool)) != faultless) ++wrong_files;
  }
  for (const auto& [ending, count] : endings) {
    EXPECT_TRUE(ending == "0 Done!\n" || ending == "1 " + FailureLine("I/O error 32")) << count << " x " << ending;
  }
  EXPECT_EQ(wrong_files, 0);
  EXPECT_EQ(NamesIn(out.path()).size(), 3u) << "a run's own file was left";
  scene.ExpectUntouched();
}

}  // namespace
}  // namespace vendral::testing
