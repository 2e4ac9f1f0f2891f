#include "core/tools/listrel.h"

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

constexpr auto kExtract = ListrelCriteria::kExtract;
constexpr auto kExclude = ListrelCriteria::kExclude;
const std::vector<std::string> kDone = {"busy", "default", "notice:Done!"};

// As the window runs it: a failure becomes the error box.
void RunAsWindow(RecordingHost& host, const std::string& source, const std::string& filter,
                 ListrelCriteria criteria) {
  RunGuarded(host, [&] { RunListrel(host, source, filter, criteria); });
}

struct ListrelCase {
  const char* name;
  std::string source;
  std::string filter;
  ListrelCriteria criteria;
  std::string output;
};

void PrintTo(const ListrelCase& c, std::ostream* os) { *os << c.name; }

class ListrelOutput : public ::testing::TestWithParam<ListrelCase> {};

TEST_P(ListrelOutput, HoldsTheKeptRecordsInSourceOrder) {
  const ListrelCase& c = GetParam();
  TempFolder folder;
  WriteBytes(folder / "set.fa", c.source);
  WriteBytes(folder / "list.txt", c.filter);
  RecordingHost host(folder / "out");
  RunAsWindow(host, folder / "set.fa", folder / "list.txt", c.criteria);
  EXPECT_EQ(host.events, kDone);
  EXPECT_EQ(ReadBytes(folder / "out/set.fa.Listrel.fas"), c.output);
}

const std::string kThree = ">1\nAA\n>2\nCC\n>3\nGG\n";

INSTANTIATE_TEST_SUITE_P(
    Selection, ListrelOutput,
    ::testing::Values(
        ListrelCase{"Extract", kThree, "3\n1\n", kExtract, ">1\r\nAA\r\n>3\r\nGG\r\n"},
        ListrelCase{"Exclude", kThree, "3\n1\n", kExclude, ">2\r\nCC\r\n"},
        ListrelCase{"SourceOrderNotFilterOrder", ">30\nA\n>-5\nC\n>10\nG\n", "10\n-5\n30", kExtract,
                    ">30\r\nA\r\n>-5\r\nC\r\n>10\r\nG\r\n"},
        ListrelCase{"SameNumberTwiceInSource", ">4\nA\n>5\nC\n>4\nG\n", "4", kExtract,
                    ">4\r\nA\r\n>4\r\nG\r\n"},
        ListrelCase{"SameNumberTwiceInFilter", kThree, "2\n2\r\n2", kExclude,
                    ">1\r\nAA\r\n>3\r\nGG\r\n"},
        ListrelCase{"EmptyFilterExtractsNothing", kThree, "", kExtract, ""},
        ListrelCase{"EmptyFilterExcludesNothing", kThree, "", kExclude,
                    ">1\r\nAA\r\n>2\r\nCC\r\n>3\r\nGG\r\n"},
        ListrelCase{"FilterInAnyIntegerForm", kThree, "  2\n$3\n0x1\n", kExtract,
                    ">1\r\nAA\r\n>2\r\nCC\r\n>3\r\nGG\r\n"},
        // Lost by the old free-entry marker; written like any other record.
        ListrelCase{"MinusOneKept", ">-1\nAC\n>2\nG\n", "2", kExclude, ">-1\r\nAC\r\n"},
        ListrelCase{"MinusOneExtracted", ">xFFFFFFFF\nAC\n>2\nG\n", "-1", kExtract, ">-1\r\nAC\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Descriptions, ListrelOutput,
    ::testing::Values(
        ListrelCase{"RebuiltInPlainDecimal", ">007\nA\n> +8\nC\n>$1F\nG\n>0X10\nT\n", "", kExclude,
                    ">7\r\nA\r\n>8\r\nC\r\n>31\r\nG\r\n>16\r\nT\r\n"},
        ListrelCase{"TextAfterCharacter21Ignored", ">00000000000000000042 anything\nA\n", "42", kExtract,
                    ">42\r\nA\r\n"},
        ListrelCase{"LargestAndSmallest", ">2147483647\nA\n>-2147483648\nC\n", "", kExclude,
                    ">2147483647\r\nA\r\n>-2147483648\r\nC\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RecordRules, ListrelOutput,
    ::testing::Values(
        ListrelCase{"LinesJoinedByLf", ">1\r\nAC\r\nGT\r\nT", "", kExclude, ">1\r\nAC\nGT\nT\r\n"},
        ListrelCase{"BlankLineEndsTheRecordBeforeIt", ">1\nAC\n\n>2\nGT\n", "", kExclude,
                    ">1\r\nAC\n\r\n>2\r\nGT\r\n"},
        ListrelCase{"BlankLineKeepsItsCharacters", ">1\nAC\n \t\nGT\n", "", kExclude, ">1\r\nAC\n \t\r\n"},
        ListrelCase{"BlankLineRightAfterTheDescription", ">1\n\nAC\nGT\n>2\nT", "", kExclude,
                    ">1\r\n\r\n>2\r\nT\r\n"},
        ListrelCase{"DescriptionAsLastLine", ">1\nA\n>2", "", kExclude, ">1\r\nA\r\n>2\r\n\r\n"},
        ListrelCase{"DescriptionsInARow", ">1\n>2\nA\n", "", kExclude, ">1\r\n\r\n>2\r\nA\r\n"},
        ListrelCase{"SeveralBlankLinesAtTheEnd", ">1\nA\n\n\n  \n\n", "", kExclude, ">1\r\nA\n\r\n"},
        ListrelCase{"LinesOutsideRecordsSkipped", "junk\n\n>1\nA\n\nstray\n>2\nC", "", kExclude,
                    ">1\r\nA\n\r\n>2\r\nC\r\n"},
        ListrelCase{"DroppedRecordsLeaveNoTrace", ">1\nA\n\nstray\n>2\nC\n>3\nG\n\n", "1\n3", kExclude,
                    ">2\r\nC\r\n"},
        ListrelCase{"NoRecords", "ACGT\n\n", "1", kExclude, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
  const char* name;
  std::string source;
  std::string filter;
  std::string rejected;  // the text that the message shows
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ListrelFailure : public ::testing::TestWithParam<FailureCase> {};

// Without an earlier output the run leaves an empty one; an earlier output
// stays as it was. Each criterion is tried once each way.
TEST_P(ListrelFailure, EndsTheRunWithAnEmptyOrTheEarlierOutputAndFreedFiles) {
  const FailureCase& c = GetParam();
  for (const ListrelCriteria criteria : {kExtract, kExclude}) {
    const bool earlier = criteria == kExclude;
    TempFolder folder;
    WriteBytes(folder / "set.fa", c.source);
    WriteBytes(folder / "list.txt", c.filter);
    if (earlier) WriteBytes(folder / "set.fa.Listrel.fas", "earlier\r\n");
    RecordingHost host(folder.path());
    RunAsWindow(host, folder / "set.fa", folder / "list.txt", criteria);
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "busy", "default", "failure:'" + c.rejected + "' is not a valid integer value."}));
    EXPECT_EQ(ReadBytes(folder / "set.fa.Listrel.fas"), earlier ? "earlier\r\n" : "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3) << "a file besides the output";
    for (const char* name : {"set.fa.Listrel.fas", "set.fa", "list.txt"}) {
      LineFile file(folder / name);
      EXPECT_NO_THROW(file.OpenForWriting()) << name;
    }
  }
}

const std::string kGood = ">1\nAC\n>2\nGT\n";

// Records enough for whole blocks of output to reach the file before the
// last description line is read.
std::string ManyGood() {
  std::string records;
  for (int number = 1; number <= 3000; ++number) records += ">" + std::to_string(number) + "\n" + std::string(60, 'A') + "\n";
  return records;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListrelFailure,
    ::testing::Values(
        FailureCase{"FilterLineNotANumber", kGood, "1\nx\n2\n", "x"},
        FailureCase{"FilterEmptyLastLine", kGood, "1\n2\n\n", ""},
        FailureCase{"FilterEmptyLineInside", kGood, "1\r\n\r\n2", ""},
        FailureCase{"FilterTrailingSpace", kGood, "1 \n", "1 "},
        FailureCase{"FilterBlankLine", kGood, "1\n\t\n", "\t"},
        // The filter is read before the source is opened.
        FailureCase{"FilterBeforeSource", ">x\nA\n", "y\n", "y"},
        // The message holds the whole text, byte 0 and what follows it included.
        FailureCase{"FilterLineWithByte0", kGood, std::string("1\0002\n", 4), std::string("1\0002", 3)},
        FailureCase{"DescriptionWithoutNumber", kGood + ">\nA\n", "1", ""},
        FailureCase{"DescriptionWithTextWithin21", kGood + ">12 abc\nA\n", "1", "12 abc"},
        FailureCase{"DescriptionWithByte0", kGood + std::string(">1\0002\nA\n", 7), "1",
                    std::string("1\0002", 3)},
        FailureCase{"DescriptionTooLarge", kGood + ">1234567890123456789012345\nA\n", "1",
                    "12345678901234567890"},
        FailureCase{"DescriptionAfterABlankLine", kGood + "\n\n>3\nA\n>three\n", "1", "three"},
        FailureCase{"DescriptionAfterBlocksOfOutput", ManyGood() + ">12x\nA\n", "7", "12x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Listrel, ReplacesAnEarlierOutput) {
  TempFolder folder;
  WriteBytes(folder / "set.fa", ">1\nA\n");
  WriteBytes(folder / "list.txt", "1\n");
  WriteBytes(folder / "set.fa.Listrel.fas", "earlier output, longer than the new one\r\n");
  RecordingHost host(folder.path());
  RunAsWindow(host, folder / "set.fa", folder / "list.txt", kExtract);
  EXPECT_EQ(ReadBytes(folder / "set.fa.Listrel.fas"), ">1\r\nA\r\n");
}

TEST(Listrel, MissingSourceOrFilterIsANoticeBeforeAnythingElse) {
  TempFolder folder;
  WriteBytes(folder / "set.fa", ">1\nA\n");
  std::filesystem::create_directory(folder / "dir");
  const std::string good = folder / "set.fa";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", good}, {folder / "absent.fa", good}, {folder / "dir", good},
      {good, ""}, {good, folder / "absent.txt"}, {good, folder / "dir"}};
  for (const auto& [source, filter] : cases) {
    RecordingHost host(folder / "out");
    RunAsWindow(host, source, filter, kExclude);
    EXPECT_EQ(host.events, (std::vector<std::string>{"notice:Define correct files!!!"}))
        << source << " " << filter;
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
  }
}

}  // namespace
}  // namespace vendral
