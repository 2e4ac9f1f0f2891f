// The output's name already taken by something that is not a file: a
// folder named like the output file, and an output folder named like an
// existing file. The run ends with the program's message and the folder or
// file that was there stays as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "fault_scene.h"

namespace vendral::testing {
namespace {

namespace fs = std::filesystem;

TEST(OutputNameTaken, AFolderNamedLikeTheOutputFileIsAccessDeniedForEveryTool) {
  TempFolder out;
  FaultScene scene(MultiFasta(5, 30), out.path());
  for (const ToolCall& tool : FiveTools()) {
    SCOPED_TRACE(tool.name);
    const std::string folder = scene.OutputOf(tool);
    fs::create_directory(folder);
    WriteBytes(folder + "/inside.txt", "stays\n");

    const CliResult result = scene.Run(tool, out.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(MessageLine(result.err), FailureLine("File access denied"));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(ReadBytes(folder + "/inside.txt"), "stays\n");
  }
  scene.ExpectUntouched();
}

TEST(OutputNameTaken, AnOutputFolderNamedLikeAFileCannotBeCreated) {
  TempFolder out;
  FaultScene scene(MultiFasta(5, 30), out.path());
  for (const ToolCall& tool : FiveTools()) {
    SCOPED_TRACE(tool.name);
    const CliResult result = scene.Run(tool, scene.earlier_output());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(MessageLine(result.err), FailureLine("Cannot create folder:  " + scene.earlier_output() + "/"));
  }
  scene.ExpectUntouched();
}

}  // namespace
}  // namespace vendral::testing
