// vendral-cli in pipelines: several sources in one call, output on
// standard output, standard input as a source, and the exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

const std::string kNumbered = ">1\nACGTGG\nAC\n>2\r\nMKLV\n\n>3\nGGCC\n>4\n";

struct ToolCase {
  const char* name;
  std::vector<std::string> args;  // after the source
  std::string output;             // the output file's name for source s.fa
};

const std::vector<ToolCase>& ToolCases() {
  static const std::vector<ToolCase> cases = {
      {"gc", {}, "s.fa.GC-Content.csv"},
      {"ardenta", {}, "s.fa.Ardenta.csv"},
      {"lenmark", {"--compare", ">", "--length", "3"}, "s.fa.Lenmark.fas"},
      {"listrel", {"--filter", "list.txt", "--extract"}, "s.fa.Listrel.fas"},
      {"ordinel", {}, "s.fa.Ordinel.fas"},
  };
  return cases;
}

std::vector<std::string> Args(const ToolCase& tool, std::vector<std::string> sources,
                              std::vector<std::string> more) {
  std::vector<std::string> args{tool.name};
  args.insert(args.end(), sources.begin(), sources.end());
  args.insert(args.end(), tool.args.begin(), tool.args.end());
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

class PipelineCli : public ::testing::TestWithParam<ToolCase> {
 protected:
  void SetUp() override {
    WriteBytes(folder_ / "s.fa", kNumbered);
    WriteBytes(folder_ / "list.txt", "3\n1\n");
    const auto result = RunCli(folder_.path(), Args(GetParam(), {"s.fa"}, {"-o", "files"}));
    ASSERT_EQ(result.status, 0) << result.err;
    expected_ = ReadBytes(folder_ / "files/" + GetParam().output);
  }

  TempFolder folder_;
  std::string expected_;  // what the run writes into its output file
};

TEST_P(PipelineCli, StdoutCarriesExactlyTheOutputFileBytes) {
  // An existing file of the output's name, even Ordinel's, is no matter.
  std::filesystem::create_directory(folder_ / "keep");
  WriteBytes(folder_ / "keep/" + GetParam().output, "earlier");
  const auto result = RunCli(folder_.path(), Args(GetParam(), {"s.fa"}, {"--stdout", "-o", "keep"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, expected_);
  EXPECT_EQ(result.err, "Done!\n");
  EXPECT_EQ(ReadBytes(folder_ / "keep/" + GetParam().output), "earlier");
}

TEST_P(PipelineCli, StdoutTouchesNoOutputFolder) {
  const auto result = RunCli(folder_.path(), Args(GetParam(), {"s.fa"}, {"--stdout", "-o", "new"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(std::filesystem::exists(folder_ / "new"));
}

TEST_P(PipelineCli, SeveralSourcesFollowOneAnotherOnStdout) {
  WriteBytes(folder_ / "t.fa", kNumbered);
  const auto result = RunCli(folder_.path(), Args(GetParam(), {"s.fa", "t.fa"}, {"--stdout"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, expected_ + expected_);
  EXPECT_EQ(result.err, "s.fa: Done!\nt.fa: Done!\n");
}

TEST_P(PipelineCli, StandardInputThroughAPipe) {
  const auto result = RunCli(folder_.path(), Args(GetParam(), {"-"}, {"--stdout"}), &kNumbered);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, expected_);
}

TEST_P(PipelineCli, SeveralSourcesEachWriteTheirOwnFile) {
  std::filesystem::create_directory(folder_ / "sub");
  const std::string sub = Native("sub/s.fa");
  WriteBytes(folder_ / sub, kNumbered);
  const auto result = RunCli(folder_.path(), Args(GetParam(), {"s.fa", sub}, {"-o", "both"}));
  // The second run has the first one's file name: Ordinel refuses it.
  if (std::string(GetParam().name) == "ordinel") {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "s.fa: Done!\n");
    EXPECT_EQ(result.err, sub + ": I/O error 103.\n" + "vendral-cli: " + Native("both/s.fa.Ordinel.fas") +
                              " exists, and Ordinel never overwrites\n");
  } else {
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "s.fa: Done!\n" + sub + ": Done!\n");
  }
  EXPECT_EQ(ReadBytes(folder_ / "both/" + GetParam().output), expected_);
}

INSTANTIATE_TEST_SUITE_P(Tools, PipelineCli, ::testing::ValuesIn(ToolCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PipelineCliStatus, TheWorstOutcomeOfSeveralRunsIsTheExitStatus) {
  TempFolder folder;
  WriteBytes(folder / "good.fa", kNumbered);
  WriteBytes(folder / "bad.fa", ">1z\nAC\n");
  WriteBytes(folder / "list.txt", "1\n");
  struct Case {
    std::vector<std::string> sources;
    int status;
  };
  for (const Case& c : std::vector<Case>{{{"good.fa", "good.fa"}, 0},
                                         {{"good.fa", "missing.fa"}, 2},
                                         {{"missing.fa", "bad.fa", "good.fa"}, 1},
                                         {{"bad.fa", "missing.fa"}, 1}}) {
    std::vector<std::string> args{"listrel"};
    args.insert(args.end(), c.sources.begin(), c.sources.end());
    args.insert(args.end(), {"--filter", "list.txt", "-o", "out"});
    const auto result = RunCli(folder.path(), args);
    EXPECT_EQ(result.status, c.status) << c.sources.size() << " sources, first " << c.sources[0];
  }
  const auto result = RunCli(folder.path(), {"listrel", "missing.fa", "bad.fa", "good.fa", "--filter",
                                             "list.txt", "-o", "out"});
  EXPECT_EQ(result.err,
            "missing.fa: Define correct files!!!\n"
            "bad.fa: '1z' is not a valid integer value.\n"
            "vendral-cli: that text is the description of record 1 of bad.fa\n");
  EXPECT_EQ(result.out, "good.fa: Done!\n");
}

TEST(PipelineCliStatus, RefusedArgumentsRunNothing) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kNumbered);
  const std::string input = kNumbered;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"gc", "-"},                                           // no file name for the output
           {"gc", "-", "-", "--stdout"},                          // standard input twice
           {"listrel", "s.fa", "--filter", "-", "--stdout"},      // the filter from standard input
           {"gc", "--stdout"}}) {                                 // no source
    const auto result = RunCli(folder.path(), args, &input);
    EXPECT_EQ(result.status, 64) << args[1] << " " << args.back();
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()), 1);
}

TEST(PipelineCliStatus, DoubleDashEndsTheOptions) {
  TempFolder folder;
  WriteBytes(folder / "--stdout", ">a\nGC\n");
  const auto result = RunCli(folder.path(), {"gc", "--", "--stdout"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "--stdout.GC-Content.csv"), "Single-line description,,,GC%\r\n>a,,,100\r\n");
}

TEST(PipelineCliStatus, VersionNamesTheProgram) {
  TempFolder folder;
  const auto result = RunCli(folder.path(), {"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "vendral-cli 0.99\n");
}

// From a pipe the source can be read once only, so a bad record number ends
// the run after the records before it instead of before all of them.
TEST(PipelineCliStatus, ListrelFromAPipeReadsTheSourceOnce) {
  TempFolder folder;
  WriteBytes(folder / "list.txt", "2\n");
  const std::string input = ">1\nAA\n>2\nCC\n>bad\nGG\n";
  const auto result = RunCli(folder.path(), {"listrel", "-", "--filter", "list.txt", "--stdout"}, &input);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, ">1\r\nAA\r\n");
  EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1), "'bad' is not a valid integer value.\n");
}

}  // namespace
}  // namespace vendral
