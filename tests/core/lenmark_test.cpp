#include "core/tools/lenmark.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/lines/line_file.h"
#include "core/run/run_frame.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

const std::vector<std::string> kDone = {"busy", "default", "notice:Done!"};

// As the window runs it: a failure becomes the error box.
void RunAsWindow(RecordingHost& host, const std::string& source, const std::string& comparison,
                 const std::string& length) {
  RunGuarded(host, [&] { RunLenmark(host, source, comparison, length); });
}

std::string Letters(std::size_t count) { return std::string(count, 'A'); }

struct LenmarkCase {
  const char* name;
  std::string source;
  std::string comparison;
  std::string length;
  std::string output;
};

void PrintTo(const LenmarkCase& c, std::ostream* os) { *os << c.name; }

class LenmarkOutput : public ::testing::TestWithParam<LenmarkCase> {};

TEST_P(LenmarkOutput, HoldsThePassingRecords) {
  const LenmarkCase& c = GetParam();
  TempFolder folder;
  WriteBytes(folder / "set1.fa", c.source);
  RecordingHost host(folder / "out");
  RunAsWindow(host, folder / "set1.fa", c.comparison, c.length);
  EXPECT_EQ(host.events, kDone);
  EXPECT_EQ(ReadBytes(folder / "out/set1.fa.Lenmark.fas"), c.output);
}

const std::string kAroundThousand =
    ">short\n" + Letters(999) + "\n>even\n" + Letters(1000) + "\n>long\n" + Letters(1001) + "\n";
const std::string kSplit = Letters(60) + "\n" + Letters(60) + "\n" + Letters(30);

INSTANTIATE_TEST_SUITE_P(
    Cases, LenmarkOutput,
    ::testing::Values(
        LenmarkCase{"Below", kAroundThousand, "<", "1000", ">short\r\n" + Letters(999) + "\r\n"},
        LenmarkCase{"Equal", kAroundThousand, "=", "1000", ">even\r\n" + Letters(1000) + "\r\n"},
        LenmarkCase{"Above", kAroundThousand, ">", "1000", ">long\r\n" + Letters(1001) + "\r\n"},
        LenmarkCase{"MeasuredOverAllLinesJoinedByLf", ">r x\r\n" + kSplit + "\r\n", "=", "150",
                    ">r x\r\n" + kSplit + "\r\n"},
        LenmarkCase{"BlankLinesNeitherCountNorEndARecord", ">a\nAC\n\n \t\nGT\n\n>b\nT\n\n", "=", "4",
                    ">a\r\nAC\nGT\r\n"},
        LenmarkCase{"SpacesInsideALineCount", ">a\n AC  \n>b\nAC\n", "=", "5", ">a\r\n AC  \r\n"},
        LenmarkCase{"DescriptionsInARowMakeEmptyRecords", ">a\n>b\nAC\n>c", "<", "1",
                    ">a\r\n\r\n>c\r\n\r\n"},
        LenmarkCase{"LastLineWithoutBreak", ">a\nAC\nGTT", "=", "5", ">a\r\nAC\nGTT\r\n"},
        LenmarkCase{"LinesBeforeTheFirstRecordSkipped", "junk\nACGT\n>a\nA\n", "<", "1000",
                    ">a\r\nA\r\n"},
        LenmarkCase{"ThresholdInAnyIntegerForm", ">a\nAAAAAAAAAAAAAAAA\n>b\nA\n", "=", " $10",
                    ">a\r\nAAAAAAAAAAAAAAAA\r\n"},
        LenmarkCase{"NegativeThreshold", ">a\n>b\nA\n", ">", "-1", ">a\r\n\r\n>b\r\nA\r\n"},
        LenmarkCase{"EmptySource", "", "<", "1000", ""},
        LenmarkCase{"NoDescriptionLine", "ACGT\nAC\n", "<", "1000", ""},
        LenmarkCase{"BlankLinesOnly", "\n  \r\n\t\n", "<", "1000", ""},
        // Without records, or without a comparison, the threshold is never read.
        LenmarkCase{"NoRecordsNeverConvertTheThreshold", "ACGT\n", "<", "12a", ""},
        LenmarkCase{"EmptyComparison", ">a\nA\n", "", "x", ""},
        LenmarkCase{"ComparisonWithBlank", ">a\nA\n", "< ", "x", ""},
        LenmarkCase{"TwoCharacterComparison", ">a\nA\n", "<=", "x", ""},
        LenmarkCase{"OtherSign", ">a\nA\n", "!", "5", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lenmark, ReplacesAnEarlierOutput) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", ">a\nAC\n");
  WriteBytes(folder / "s.fa.Lenmark.fas", "earlier output, longer than the new one\r\n");
  RecordingHost host(folder.path());
  RunAsWindow(host, folder / "s.fa", "<", "1000");
  EXPECT_EQ(ReadBytes(folder / "s.fa.Lenmark.fas"), ">a\r\nAC\r\n");
}

TEST(Lenmark, RejectedThresholdEndsTheRunAtTheFirstRecord) {
  for (const std::string length : {"12a", "", "-", "1,5", "1000 "}) {
    TempFolder folder;
    WriteBytes(folder / "s.fa", "junk\n>a\nAC\n>b\nGT\n");
    RecordingHost host(folder.path());
    RunAsWindow(host, folder / "s.fa", "<", length);
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "busy", "default", "failure:'" + length + "' is not a valid integer value."}));
    EXPECT_EQ(ReadBytes(folder / "s.fa.Lenmark.fas"), "");
    // The failed run has let go of its files.
    LineFile output(folder / "s.fa.Lenmark.fas");
    EXPECT_NO_THROW(output.OpenForWriting());
    LineFile source(folder / "s.fa");
    EXPECT_NO_THROW(source.OpenForWriting());
  }
}

TEST(Lenmark, MissingSourceIsANoticeBeforeAnythingElse) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "dir");
  for (const std::string& source : {std::string(), folder / "absent.fa", folder / "dir"}) {
    RecordingHost host(folder / "out");
    RunAsWindow(host, source, "<", "1000");
    EXPECT_EQ(host.events, (std::vector<std::string>{"notice:Define correct file!!!"}));
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
  }
}

TEST(Lenmark, UncreatableFolderFailsBeforeTheCursorChanges) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", ">a\n");
  RecordingHost host(folder / "no/such");
  RunAsWindow(host, folder / "s.fa", "<", "1000");
  EXPECT_EQ(host.events, (std::vector<std::string>{"failure:Cannot create folder:  " +
                                                   (folder / "no/such/") + "."}));
}

}  // namespace
}  // namespace vendral
