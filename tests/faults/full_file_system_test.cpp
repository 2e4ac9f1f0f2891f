// A disk that fills up during a run: the run ends with the system's "disk
// full" code, the output holds a beginning of what it would have held, and
// nothing else on that disk, the settings file included, is harmed.
#include <gtest/gtest.h>

#include "core/run/failure.h"
#include "core/settings/ini_file.h"
#include "fault_scene.h"
#include "small_file_system.h"

namespace vendral::testing {
namespace {

constexpr std::size_t kDiskSize = 256 * 1024;

struct FullDiskCase {
  const char* tool;
  int records;
  std::size_t line_length;
};

void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.tool; }

class FullFileSystem : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(FullFileSystem, EndsTheRunWithDiskFullAndHarmsNothingElse) {
  SmallFileSystem disk(kDiskSize);
  if (!disk.mounted()) GTEST_SKIP() << "no full file system to write to: " << disk.why_not();
  const ToolCall& tool = ToolNamed(GetParam().tool);
  FaultScene scene(MultiFasta(GetParam().records, GetParam().line_length), disk.path());
  const std::string whole = scene.FaultlessOutput(tool);
  ASSERT_GT(whole.size(), kDiskSize);

  const CliResult result = scene.Run(tool, disk.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(MessageLine(result.err), FailureLine("I/O error 112"));
  EXPECT_EQ(result.err.substr(MessageLine(result.err).size()),
            "vendral-cli: the disk that holds " + scene.OutputOf(tool) + " is full\n");
  const std::string written = ReadBytes(scene.OutputOf(tool));
  EXPECT_LT(written.size(), whole.size());
  EXPECT_EQ(written, whole.substr(0, written.size())) << "the output is a beginning of the whole";
  // What reached the disk before it was full stays there, also of a record
  // written while it was still being read.
  EXPECT_GE(written.size(), kDiskSize / 2);
  scene.ExpectUntouched();

  // The disk is full now: saving the settings fails and keeps the old file.
  IniFile settings(scene.settings());
  try {
    settings.WriteString("Form1", "Edit6", "/data/another.fa");
    ADD_FAILURE() << "the settings were written to a full disk";
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()), "Unable to write to " + scene.settings());
  }
  scene.ExpectUntouched();
}

// Many short CSV lines, and Lenmark's one record too long for a block.
INSTANTIATE_TEST_SUITE_P(Tools, FullFileSystem,
                         ::testing::Values(FullDiskCase{"gc", 20000, 60}, FullDiskCase{"ardenta", 20000, 60},
                                           FullDiskCase{"lenmark", 1, 400000}, FullDiskCase{"listrel", 8000, 60},
                                           FullDiskCase{"ordinel", 8000, 60}),
                         [](const auto& info) { return std::string(info.param.tool); });

// Listrel writes while it reads the source. When the disk fills up, a bad
// record number further on still ends the run as it would have had every
// number been converted before the first record was written: with its
// message and an empty output.
TEST(FullFileSystemListrel, ABadRecordNumberAfterTheDiskFilledUpStillEmptiesTheOutput) {
  SmallFileSystem disk(kDiskSize);
  if (!disk.mounted()) GTEST_SKIP() << "no full file system to write to: " << disk.why_not();
  const ToolCall& listrel = ToolNamed("listrel");
  FaultScene scene(MultiFasta(8000, 60) + ">9x\nACGT\n", disk.path());
  const CliResult result = scene.Run(listrel, disk.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(MessageLine(result.err), FailureLine("'9x' is not a valid integer value"));
  EXPECT_EQ(ReadBytes(scene.OutputOf(listrel)), "");
  scene.ExpectUntouched();
}

}  // namespace
}  // namespace vendral::testing
