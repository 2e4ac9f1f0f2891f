// What vendral-cli prints, byte for byte, and what it does when it cannot.
#include <gtest/gtest.h>

#include <string>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

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
  for (const char* filter : {"bad-filter", "filter"}) {
    const auto result = RunCli(folder.path(), {"listrel", "s.fa", "--filter", filter});
    EXPECT_EQ(result.status, 1) << filter;
    EXPECT_EQ(result.out, "") << filter;
    EXPECT_EQ(result.err, message) << filter;
  }
}

}  // namespace
}  // namespace vendral
