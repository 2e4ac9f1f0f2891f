// The record tools from the command line: defaults, options and exit
// statuses; the files are the same bytes the core tests check.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

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

const std::string kSource = ">1 a\nAC\nGT\n>2\n" + std::string(1000, 'A') + "\n>3\r\nT\r\n";

TEST(RecordToolsCli, OrdinelNumbersAndThenRefusesToOverwrite) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kSource);
  const auto first = RunCli(folder.path(), {"ordinel", "s.fa", "-o", "out"});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, "Done!\n");
  const std::string numbered = ">1\r\nAC\r\nGT\r\n>2\r\n" + std::string(1000, 'A') + "\r\n>3\r\nT\r\n";
  EXPECT_EQ(ReadBytes(folder / "out/s.fa.Ordinel.fas"), numbered);
  const auto second = RunCli(folder.path(), {"ordinel", "s.fa", "-o", "out"});
  EXPECT_EQ(second.status, 1);
  EXPECT_EQ(second.err, "I/O error 103.\nvendral-cli: " + Native("out/s.fa.Ordinel.fas") +
                            " exists, and Ordinel never overwrites\n");
  EXPECT_EQ(ReadBytes(folder / "out/s.fa.Ordinel.fas"), numbered);
}

TEST(RecordToolsCli, LenmarkDefaultsToBelow1000) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kSource);
  const auto result = RunCli(folder.path(), {"lenmark", "s.fa"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "s.fa.Lenmark.fas"), ">1 a\r\nAC\nGT\r\n>3\r\nT\r\n");
}

TEST(RecordToolsCli, LenmarkTakesItsTextsUnchanged) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kSource);
  auto result = RunCli(folder.path(), {"lenmark", "s.fa", "--compare", ">", "--length", "$3E7"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "s.fa.Lenmark.fas"), ">2\r\n" + std::string(1000, 'A') + "\r\n");
  result = RunCli(folder.path(), {"lenmark", "s.fa", "--compare", "=", "--length", "-1"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "s.fa.Lenmark.fas"), "");
  result = RunCli(folder.path(), {"lenmark", "s.fa", "--length", "12a"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "'12a' is not a valid integer value.\nvendral-cli: that text is the value of --length\n");
  EXPECT_EQ(ReadBytes(folder / "s.fa.Lenmark.fas"), "");
  result = RunCli(folder.path(), {"lenmark", "s.fa", "--compare", "<=", "--length", ""});
  EXPECT_EQ(result.status, 0) << result.err;  // no comparison: the length is never read
}

TEST(RecordToolsCli, ListrelExcludesByDefault) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", ">1\nAC\nGT\n>2\n" + std::string(1000, 'A') + "\n>3\r\nT\r\n");
  WriteBytes(folder / "list", "2\n");
  const std::string others = ">1\r\nAC\nGT\r\n>3\r\nT\r\n";
  const std::string listed = ">2\r\n" + std::string(1000, 'A') + "\r\n";
  auto result = RunCli(folder.path(), {"listrel", "s.fa", "--filter", "list", "-o", "out"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "out/s.fa.Listrel.fas"), others);
  result = RunCli(folder.path(), {"listrel", "s.fa", "--extract", "--filter", "list", "-o", "out"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "out/s.fa.Listrel.fas"), listed);
  result = RunCli(folder.path(), {"listrel", "s.fa", "--filter", "list", "--extract", "--exclude", "-o", "out"});
  EXPECT_EQ(ReadBytes(folder / "out/s.fa.Listrel.fas"), others);  // the last flag counts
}

TEST(RecordToolsCli, MissingInputsAreNoticesWithStatus2) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kSource);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"ordinel", "absent.fa", "-o", "out"}, "Define correct file!!!\n"},
      {{"lenmark", "absent.fa", "-o", "out"}, "Define correct file!!!\n"},
      {{"listrel", "absent.fa", "--filter", "s.fa", "-o", "out"}, "Define correct files!!!\n"},
      {{"listrel", "s.fa", "--filter", "absent", "-o", "out"}, "Define correct files!!!\n"}};
  for (const auto& [args, notice] : cases) {
    const auto result = RunCli(folder.path(), args);
    EXPECT_EQ(result.status, 2) << args[0];
    EXPECT_EQ(result.err, notice);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
  }
}

TEST(RecordToolsCli, BadArgumentsAreUsageErrors) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kSource);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"listrel", "s.fa"},
           {"listrel", "s.fa", "--filter"},
           {"lenmark", "s.fa", "--compare"},
           {"lenmark", "s.fa", "--extract"},
           {"ordinel", "s.fa", "--length", "5"},
           {"ordinel"}}) {
    EXPECT_EQ(RunCli(folder.path(), args).status, 64) << args.back();
  }
  // Refused before any run: no output file appears.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()), 1);
  const auto help = RunCli(folder.path(), {"--help"});
  for (const char* tool : {"ordinel SOURCE...", "lenmark SOURCE...", "listrel SOURCE... --filter FILE"}) {
    EXPECT_NE(help.out.find(tool), std::string::npos) << tool;
  }
}

}  // namespace
}  // namespace vendral
