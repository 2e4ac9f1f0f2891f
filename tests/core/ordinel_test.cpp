#include "core/tools/ordinel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/run/run_frame.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

// As the window runs it: a failure becomes the error box.
void RunAsWindow(RecordingHost& host, const std::string& source) {
  RunGuarded(host, [&] { RunOrdinel(host, source); });
}

struct OrdinelCase {
  const char* name;
  std::string source;
  std::string output;
};

void PrintTo(const OrdinelCase& c, std::ostream* os) { *os << c.name; }

class OrdinelOutput : public ::testing::TestWithParam<OrdinelCase> {};

TEST_P(OrdinelOutput, IsTheSourceWithNumberedDescriptions) {
  TempFolder folder;
  WriteBytes(folder / "reads.fa", GetParam().source);
  RecordingHost host(folder / "out");
  RunAsWindow(host, folder / "reads.fa");
  EXPECT_EQ(host.events, (std::vector<std::string>{"notice:Done!"}));  // no cursor change
  EXPECT_EQ(ReadBytes(folder / "out/reads.fa.Ordinel.fas"), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrdinelOutput,
    ::testing::Values(
        OrdinelCase{"EmptySource", "", ""},
        OrdinelCase{"NoDescriptionIsACopy", "AC\n\n  GT \r\n", "AC\r\n\r\n  GT \r\n"},
        OrdinelCase{"FiveLines", ">sp|x desc\r\nACGT\r\nGG\r\n>two\r\nTT",
                    ">1\r\nACGT\r\nGG\r\n>2\r\nTT\r\n"},
        OrdinelCase{"DescriptionsInARow", ">a\n>b\n>c\n", ">1\r\n>2\r\n>3\r\n"},
        OrdinelCase{"LoneMarkCountsLeadingBlankDoesNot", ">\n >x\nA>B\n>", ">1\r\n >x\r\nA>B\r\n>2\r\n"},
        OrdinelCase{"LinesBeforeTheFirstRecordKept", "header\n\t\n>a\nA", "header\r\n\t\r\n>1\r\nA\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Ordinel, NeverOverwritesAnEarlierOutput) {
  for (const std::string source : {">a\nAC\n", ""}) {  // the empty one fails at the close
    TempFolder folder;
    WriteBytes(folder / "reads.fa", source);
    WriteBytes(folder / "reads.fa.Ordinel.fas", "earlier\r\n");
    RecordingHost host(folder.path());
    RunAsWindow(host, folder / "reads.fa");
    EXPECT_EQ(host.events, (std::vector<std::string>{"failure:I/O error 103."})) << source;
    EXPECT_EQ(ReadBytes(folder / "reads.fa.Ordinel.fas"), "earlier\r\n");
  }
}

TEST(Ordinel, EachRunCountsFromOne) {
  TempFolder folder;
  WriteBytes(folder / "a.fa", ">x\n>y\n");
  WriteBytes(folder / "b.fa", ">z\n");
  RecordingHost host(folder.path());
  RunAsWindow(host, folder / "a.fa");
  RunAsWindow(host, folder / "b.fa");
  EXPECT_EQ(ReadBytes(folder / "b.fa.Ordinel.fas"), ">1\r\n");
}

TEST(Ordinel, MissingSourceIsANoticeAndTouchesNothing) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "dir");
  for (const std::string& source : {std::string(), folder / "absent.fa", folder / "dir"}) {
    RecordingHost host(folder / "out");
    RunAsWindow(host, source);
    EXPECT_EQ(host.events, (std::vector<std::string>{"notice:Define correct file!!!"}));
    EXPECT_EQ(host.folder(), folder / "out/");  // normalised first
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
  }
}

}  // namespace
}  // namespace vendral
