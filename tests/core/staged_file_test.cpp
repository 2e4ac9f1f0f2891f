#include "core/lines/staged_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/lines/line_file.h"
#include "platform/platform.h"
#include "support/native_path.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::NamesIn;
using testing::Native;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(StagedFile, OwnNameSaysWhatItIsAndFitsWhereTheOutputFits) {
  EXPECT_EQ(StagedFile::OwnName(Native("/out/a.fa.GC-Content.csv"), 4711),
            Native("/out/a.fa.GC-Content.csv.partial-4711"));
  // A name at the longest a file may have loses its end, the same whatever
  // the process number.
  const std::string long_name = Native("/out/") + std::string(250, 'n');
  for (const long process : {7L, 4194304L, 2147483647L}) {
    const std::string own = StagedFile::OwnName(long_name, process);
    const std::string file_part = own.substr(5);
    EXPECT_LE(file_part.size(), 255u) << process;
    EXPECT_LE(own.size(), LineFile::kMaxNameLength) << process;
    EXPECT_EQ(own.substr(0, own.find(".partial-")), StagedFile::OwnName(long_name, 1).substr(0, own.find(".partial-")));
  }
}

// What killed runs left for this output goes: a number that no process
// has, and this process's own number where nobody holds the file (a
// process of that number before this one). Files of running processes,
// of other outputs and of other names stay.
TEST(StagedFile, OpeningRemovesWhatKilledRunsLeftForTheSameOutput) {
  TempFolder folder;
  const std::string output = folder / "a.csv";
  const std::vector<std::string> left = {"a.csv.partial-999999999", "a.csv.partial-" + std::to_string(platform::ProcessId())};
  std::vector<std::string> kept = {"a.csv.partial-x1", "a.csv.partial-", "b.csv.partial-999999999",
                                   "a.csv.partial-999999999.bak"};
#ifndef _WIN32
  kept.push_back("a.csv.partial-1");  // init's number
#endif
  for (const auto& name : left) WriteBytes(folder / name, "left\n");
  for (const auto& name : kept) WriteBytes(folder / name, "kept\n");
  {
    LineFile file(output, LineFile::Target::kStagedFile);
    file.OpenForWriting();
    file.WriteLine("new");
    file.Close();
    ASSERT_TRUE(file.PutInPlace(LineFile::Overwrite::kReplace));
  }
  std::vector<std::string> expected = kept;
  expected.push_back("a.csv");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(folder.path()), expected);
  EXPECT_EQ(ReadBytes(output), "new\r\n");
}

// A file of the name that appears while the run writes is another run's:
// a run that may not overwrite fails at the end, a failed run without an
// earlier output does not take its place, and either way the own file goes.
TEST(StagedFile, ANameTakenDuringTheRunIsNeverReplacedWhereThatIsNotAllowed) {
  for (const bool done : {true, false}) {
    TempFolder folder;
    const std::string output = folder / "a.fas";
    {
      LineFile file(output, LineFile::Target::kStagedFile);
      file.OpenForWriting();
      file.WriteLine("ours");
      WriteBytes(output, "theirs\n");
      if (done) {
        file.Close();
        EXPECT_FALSE(file.PutInPlace(LineFile::Overwrite::kNever));
      }
    }  // not done: the line file goes as a failed run's does
    EXPECT_EQ(ReadBytes(output), "theirs\n") << done;
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"a.fas"}) << done;
  }
}

}  // namespace
}  // namespace vendral
