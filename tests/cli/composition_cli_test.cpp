// The command line writes the same files as the window and reports the
// outcome through its streams and exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_run.h"
#include "support/native_path.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::Native;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kSource = ">sp|Q1|X,a,b\nMKLV\n>two\r\nAAAA\r\n>three\nMA*\n>last";

TEST(CompositionCli, ArdentaWritesItsCsvIntoTheOutputFolder) {
  TempFolder folder;
  WriteBytes(folder / "prot.fa", kSource);
  const auto result = RunCli(folder.path(), {"ardenta", "prot.fa", "-o", "out"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Done!\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadBytes(folder / "out/prot.fa.Ardenta.csv"),
            "Single-line description,,,thermostability index\r\n"
            ">sp|Q1|X.a.b,,,100\r\n"
            ">two,,,0\r\n"
            ">three,,,33.3333333333333\r\n"
            ">last,,,error: \r\n");
}

TEST(CompositionCli, GcWritesIntoTheCurrentFolderByDefault) {
  TempFolder folder;
  WriteBytes(folder / "genes.fa", ">a\nACGT\n>b\nacgtn\n>c\nACGT\nGG\n");
  const auto result = RunCli(folder.path(), {"gc", "genes.fa"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "genes.fa.GC-Content.csv"),
            "Single-line description,,,GC%\r\n>a,,,50\r\n>b,,,40\r\n>c,,,66.6666666666667\r\n");
}

TEST(CompositionCli, MissingSourceIsANoticeWithStatus2) {
  TempFolder folder;
  const auto result = RunCli(folder.path(), {"gc", "absent.fa", "-o", "out"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Define correct file!!!\n");
  // The output folder is made before the source is looked at.
  EXPECT_TRUE(std::filesystem::is_directory(folder / "out"));
}

TEST(CompositionCli, FailureIsWordedAsTheErrorBoxWithStatus1) {
  TempFolder folder;
  WriteBytes(folder / "genes.fa", ">a\nACGT\n");
  const auto result = RunCli(folder.path(), {"gc", "genes.fa", "-o", Native("deep/er")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Cannot create folder:  " + Native("deep/er/") + ".\n");
}

TEST(CompositionCli, BadArgumentsAreRefusedWithUsage) {
  TempFolder folder;
  EXPECT_EQ(RunCli(folder.path(), {}).status, 64);
  EXPECT_EQ(RunCli(folder.path(), {"nosuchtool", "x"}).status, 64);
  EXPECT_EQ(RunCli(folder.path(), {"gc"}).status, 64);
  EXPECT_EQ(RunCli(folder.path(), {"gc", "a", "-o"}).status, 64);
  const auto help = RunCli(folder.path(), {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("ardenta SOURCE"), std::string::npos);
  EXPECT_NE(help.out.find("gc SOURCE"), std::string::npos);
}

}  // namespace
}  // namespace vendral
