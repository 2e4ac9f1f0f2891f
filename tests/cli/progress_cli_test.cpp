// The progress bar of the command line: on standard error when asked for,
// drawn again in place, and out of the way of what the run prints after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::WriteBytes;

// Numbered records, several reading blocks long.
std::string LargeSource() {
  std::string source;
  for (int record = 1; source.size() < 400 * 1024; ++record) {
    source += ">" + std::to_string(record) + "\nACGTTGCAAC\nGGCCAATT\n";
  }
  return source;
}

// The frames between the carriage returns, the first one empty.
std::vector<std::string> Frames(const std::string& err) {
  std::vector<std::string> frames;
  std::size_t begin = 0;
  for (std::size_t cr = err.find('\r'); cr != std::string::npos; cr = err.find('\r', begin)) {
    frames.push_back(err.substr(begin, cr - begin));
    begin = cr + 1;
  }
  frames.push_back(err.substr(begin));
  return frames;
}

TEST(ProgressCli, BarOnStandardErrorWhenAsked) {
  TempFolder folder;
  WriteBytes(folder / "genes.fa", LargeSource());
  const auto quiet = RunCli(folder.path(), {"gc", "genes.fa", "-o", "quiet"});
  const auto result = RunCli(folder.path(), {"gc", "genes.fa", "--progress", "-o", "out"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Done!\n");
  const std::vector<std::string> frames = Frames(result.err);
  ASSERT_GE(frames.size(), 3u) << result.err;
  EXPECT_EQ(frames[0], "");
  EXPECT_EQ(frames.back(), "GC-content genes.fa [##############################] 100%\n");
  // Each frame is drawn once, with a larger percentage than the one before.
  int previous = -1;
  for (std::size_t i = 1; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i].rfind("GC-content genes.fa [", 0), 0u) << frames[i];
    const int percent = std::stoi(frames[i].substr(frames[i].find(']') + 1));
    EXPECT_GT(percent, previous);
    previous = percent;
  }
  // The bar changes nothing in what the run writes.
  EXPECT_EQ(ReadBytes(folder / "out/genes.fa.GC-Content.csv"), ReadBytes(folder / "quiet/genes.fa.GC-Content.csv"));
}

TEST(ProgressCli, LastOfTheTwoFlagsCounts) {
  TempFolder folder;
  WriteBytes(folder / "genes.fa", ">1\nACGT\n");
  struct Case {
    std::vector<std::string> flags;
    bool bar;
  };
  // The tests' standard error is no terminal: no bar unless asked.
  const Case cases[] = {{{}, false},
                        {{"--no-progress"}, false},
                        {{"--progress"}, true},
                        {{"--progress", "--no-progress"}, false},
                        {{"--no-progress", "--progress"}, true}};
  for (const Case& c : cases) {
    std::vector<std::string> args = {"ordinel", "genes.fa", "-o", "out"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    std::filesystem::remove_all(folder / "out");
    const auto result = RunCli(folder.path(), args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, c.bar ? "\rOrdinel genes.fa [##############################] 100%\n" : "")
        << ::testing::PrintToString(c.flags);
  }
}

TEST(ProgressCli, MessagesAfterTheBarStartOnALineOfTheirOwn) {
  TempFolder folder;
  WriteBytes(folder / "set.fa", LargeSource());
  WriteBytes(folder / "filter.txt", "1\nx\n");
  const auto result = RunCli(folder.path(), {"listrel", "set.fa", "--filter", "filter.txt", "--progress"});
  EXPECT_EQ(result.status, 1);
  const std::string message =
      "\n'x' is not a valid integer value.\nvendral-cli: that text is line 2 of filter.txt\n";
  ASSERT_GT(result.err.size(), message.size());
  EXPECT_EQ(result.err.substr(result.err.size() - message.size()), message);
  EXPECT_EQ(result.err.rfind("\rListrel set.fa [", 0), 0u) << result.err;
}

}  // namespace
}  // namespace vendral
