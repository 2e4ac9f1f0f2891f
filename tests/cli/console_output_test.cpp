// What vendral-cli prints, byte for byte, and what it does when it cannot.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::CliStreams;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::WriteBytes;

// A message is bytes: a byte 0 in the text that failed does not cut it.
TEST(ConsoleOutput, FailureMessagesKeepByte0) {
  const std::string zero(1, '\0');
  const std::string message = "'1" + zero + "2' is not a valid integer value.\n";
  TempFolder folder;
  WriteBytes(folder / "s.fa", ">1\nAC\n>1" + zero + "2\nGT\n");
  WriteBytes(folder / "filter", "1\n");
  WriteBytes(folder / "bad-filter", "1" + zero + "2\n");
  // The line after the message says where the text came from.
  for (const auto& [filter, origin] : {std::pair{"bad-filter", "line 1 of bad-filter"},
                                       std::pair{"filter", "the description of record 2 of s.fa"}}) {
    const auto result = RunCli(folder.path(), {"listrel", "s.fa", "--filter", filter});
    EXPECT_EQ(result.status, 1) << filter;
    EXPECT_EQ(result.out, "") << filter;
    EXPECT_EQ(result.err, message + "vendral-cli: that text is " + origin + "\n") << filter;
  }
}

// Standard output or standard error that cannot be written is a failure:
// status 1, and a word on standard error while that still takes it.
TEST(ConsoleOutput, StreamsThatCannotBeWrittenEndWithStatus1) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const std::string lost_output = "vendral-cli: standard output could not be written\n";
  const struct {
    const char* name;
    std::vector<std::string> args;
    CliStreams streams;
    int status;
    std::string out, err;
  } cases[] = {
      {"Done! lost", {"gc", "s.fa"}, {"/dev/full", ""}, 1, "", lost_output},
      {"help lost", {"--help"}, {"/dev/full", ""}, 1, "", lost_output},
      {"nothing for the full standard error", {"gc", "s.fa"}, {"", "/dev/full"}, 0, "Done!\n", ""},
      {"notice lost", {"gc", "absent.fa"}, {"", "/dev/full"}, 1, "", ""},
      {"usage lost", {"gc"}, {"", "/dev/full"}, 1, "", ""},
      {"both lost", {"gc", "s.fa"}, {"/dev/full", "/dev/full"}, 1, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "s.fa", ">a\nGC\n");
    const auto result = RunCli(folder.path(), c.args, nullptr, c.streams);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    if (c.args == std::vector<std::string>{"gc", "s.fa"}) {
      // The run itself went well: its file is whole.
      EXPECT_EQ(ReadBytes(folder / "s.fa.GC-Content.csv"),
                "Single-line description,,,GC%\r\n>a,,,100\r\n");
    }
  }
}

}  // namespace
}  // namespace vendral
