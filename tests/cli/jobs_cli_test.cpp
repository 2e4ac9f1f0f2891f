// Several sources side by side (--jobs): every output file, every message,
// their order and the exit status are those of one job.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/compressed_samples.h"
#include "support/native_path.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::GzipMember;
using testing::NamesIn;
using testing::Native;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::WriteBytes;

// Numbered records, the first source long enough that the ones after it end
// first when they run beside it.
std::string Records(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += ">" + std::to_string(i) + "\nACGTTGCAGGCCATTA\nGGC\n";
  return text;
}

struct JobsCase {
  std::vector<std::string> tool_args;  // the tool and its options
};

class JobsCli : public ::testing::TestWithParam<JobsCase> {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder_ / "sub");
    WriteBytes(folder_ / "long.fa", Records(60000));
    WriteBytes(folder_ / "short.fa.gz", GzipMember(Records(3)));
    const std::string damaged = GzipMember(Records(500));
    WriteBytes(folder_ / "damaged.fa.gz", damaged.substr(0, damaged.size() / 2));
    WriteBytes(folder_ / "sub/short.fa.gz", GzipMember(Records(2)));
    WriteBytes(folder_ / "list.txt", "2\n3\n");
  }

  testing::CliResult Run(const std::vector<std::string>& more) {
    std::vector<std::string> args = GetParam().tool_args;
    args.insert(args.end(), {"long.fa", "short.fa.gz", "missing.fa", "damaged.fa.gz", Native("sub/short.fa.gz")});
    args.insert(args.end(), more.begin(), more.end());
    return RunCli(folder_.path(), args);
  }

  TempFolder folder_;
};

TEST_P(JobsCli, SideBySideRunsWriteAndSayWhatOneJobDoes) {
  // Reading on 1 thread or on 8 changes nothing either.
  const auto one = Run({"-o", "one", "--threads", "1"});
  const auto two = Run({"-o", "two", "-j", "2", "--threads", "8"});
  EXPECT_EQ(two.status, one.status);
  EXPECT_EQ(two.out, one.out);
  // An explanation may name the output folder, which differs.
  std::string err = two.err;
  const std::string two_folder = Native("two/"), one_folder = Native("one/");
  for (std::size_t at; (at = err.find(two_folder)) != std::string::npos;) err.replace(at, 4, one_folder);
  EXPECT_EQ(err, one.err);
  // The messages name their sources in the order given.
  EXPECT_LT(one.out.find("long.fa: Done!"), one.out.find("short.fa.gz: Done!"));
  ASSERT_EQ(NamesIn(folder_ / "two"), NamesIn(folder_ / "one"));
  for (const std::string& name : NamesIn(folder_ / "one")) {
    EXPECT_EQ(ReadBytes(folder_ / "two/" + name), ReadBytes(folder_ / "one/" + name)) << name;
  }
}

TEST_P(JobsCli, OutputsOnStandardOutputFollowOneAnotherWhole) {
  const auto one = Run({"--stdout"});
  const auto all_cores = Run({"--stdout", "-j", "0"});
  EXPECT_EQ(all_cores.status, one.status);
  EXPECT_EQ(all_cores.out, one.out);
  EXPECT_EQ(all_cores.err, one.err);
}

INSTANTIATE_TEST_SUITE_P(Tools, JobsCli,
                         ::testing::Values(JobsCase{{"gc"}}, JobsCase{{"lenmark", "--compare", ">", "--length", "10"}},
                                           JobsCase{{"listrel", "--filter", "list.txt", "--extract"}},
                                           JobsCase{{"ordinel"}}),
                         [](const auto& info) { return info.param.tool_args.front(); });

}  // namespace
}  // namespace vendral
