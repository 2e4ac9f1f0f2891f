#include <gtest/gtest.h>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::RunCli;
using testing::TempFolder;

TEST(VersionCli, PrintsTheNameAndVersionAndNothingElse) {
  TempFolder folder;
  const auto version = RunCli(folder.path(), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "vendral-cli 0.99\n");
  EXPECT_EQ(version.err, "");
}

}  // namespace
}  // namespace vendral
