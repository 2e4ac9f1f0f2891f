#include "core/tools/composition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

const std::string kGcHeader = "Single-line description,,,GC%\r\n";
const std::string kArdentaHeader = "Single-line description,,,thermostability index\r\n";

struct CompositionCase {
  const char* name;
  std::string_view mode;
  std::string source;
  std::string rows;  // the CSV without its header
};

void PrintTo(const CompositionCase& c, std::ostream* os) { *os << c.name; }

// Runs one mode on the source bytes and returns the whole CSV file.
std::string RunMode(std::string_view mode, const std::string& source_bytes, RecordingHost& host,
                const TempFolder& folder) {
  WriteBytes(folder / "in.fa", source_bytes);
  ToolMode = mode;
  Action1Execute(host, folder / "in.fa", folder / "in.fa");
  return ReadBytes(folder / (mode == kGcLetters ? "out/in.fa.GC-Content.csv" : "out/in.fa.Ardenta.csv"));
}

class Composition : public ::testing::TestWithParam<CompositionCase> {};

TEST_P(Composition, WritesOneLinePerDescription) {
  TempFolder folder;
  RecordingHost host(folder / "out");
  const auto& c = GetParam();
  const std::string header = c.mode == kGcLetters ? kGcHeader : kArdentaHeader;
  EXPECT_EQ(RunMode(c.mode, c.source, host, folder), header + c.rows);
  EXPECT_EQ(host.last(), "notice:Done!");
  EXPECT_EQ(host.events.size(), 1u) << "no cursor change, one notice";
}

INSTANTIATE_TEST_SUITE_P(
    Gc, Composition,
    ::testing::Values(
        CompositionCase{"Empty", kGcLetters, "", ""},
        CompositionCase{"NoDescription", kGcLetters, "ACGT\nGGCC\n", ""},
        CompositionCase{"Acgt", kGcLetters, ">a\nACGT\n", ">a,,,50\r\n"},
        CompositionCase{"LowerCaseAndN", kGcLetters, ">a\nacgtn\n", ">a,,,40\r\n"},
        CompositionCase{"OnlyN", kGcLetters, ">a\nNNNN", ">a,,,0\r\n"},
        CompositionCase{"AllGc", kGcLetters, ">a\r\nGGCC\r\n", ">a,,,100\r\n"},
        CompositionCase{"InnerBlankCounts", kGcLetters, ">a\nGC GC\n", ">a,,,80\r\n"},
        CompositionCase{"TwoLines", kGcLetters, ">a\nACGT\nGG\n", ">a,,,66.6666666666667\r\n"},
        CompositionCase{"EndsTrimmed", kGcLetters, ">a\n \tGC\t \r\n\x01GG\x02\n", ">a,,,100\r\n"},
        CompositionCase{"BlankLinesAddNothing", kGcLetters, ">a\n\n   \nAC\n\t\n", ">a,,,50\r\n"},
        CompositionCase{"LinesBeforeFirstRecordDropped", kGcLetters, "GGGG\n\n>a\nAT\n", ">a,,,0\r\n"},
        CompositionCase{"ByteOrderMarkHidesFirstRecord", kGcLetters, "\xEF\xBB\xBF>a\nGG\n>b\nAT\n", ">b,,,0\r\n"},
        CompositionCase{"BlankBeforeMarkHidesRecord", kGcLetters, " >a\nGG\n>b\nGA\n", ">b,,,50\r\n"},
        CompositionCase{"InnerMarkIsSequence", kGcLetters, ">a\nG>C\n", ">a,,,66.6666666666667\r\n"},
        CompositionCase{"TwoDescriptionsInARow", kGcLetters, ">a\n>b\nGC\n", ">a,,,error: \r\n>b,,,100\r\n"},
        CompositionCase{"OnlyADescription", kGcLetters, ">only", ">only,,,error: \r\n"},
        CompositionCase{"LastLineIsADescription", kGcLetters, ">a\nGC\n>z\n", ">a,,,100\r\n>z,,,error: \r\n"},
        CompositionCase{"BlankSequenceIsError", kGcLetters, ">a\n   \n\t\n>b\nC", ">a,,,error: \r\n>b,,,100\r\n"},
        CompositionCase{"CommasBecomeStops", kGcLetters, ">sp|Q1|X,a,b\nG\n", ">sp|Q1|X.a.b,,,100\r\n"},
        CompositionCase{"TrailingBlanksKept", kGcLetters, ">a  \nG\n", ">a  ,,,100\r\n"},
        CompositionCase{"QuotesUntouched", kGcLetters, ">\"a\"\nG\n", ">\"a\",,,100\r\n"},
        CompositionCase{"NonAsciiIsNoHit", kGcLetters, ">a\n\xC7\xE7GC\n", ">a,,,50\r\n"},
        CompositionCase{"StopsAtEndOfText", kGcLetters, ">a\nGC\x1a\n>b\nAT\n", ">a,,,100\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Ardenta, Composition,
    ::testing::Values(CompositionCase{"AllResidues", kArdentaLetters, ">p\nMKLV\n", ">p,,,100\r\n"},
                      CompositionCase{"NoResidue", kArdentaLetters, ">p\nAAAA\n", ">p,,,0\r\n"},
                      CompositionCase{"StopCodonCounts", kArdentaLetters, ">p\nMA*\n", ">p,,,33.3333333333333\r\n"},
                      CompositionCase{"EveryLetterBothCases", kArdentaLetters,
                                      ">p\nLVWIFMPCDEKR\nlvwifmpcdekr\nAGHNQSTY\n", ">p,,,75\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompositionRun, ValueBelowOneTenThousandthInExponentForm) {
  TempFolder folder;
  RecordingHost host(folder / "out");
  const std::string sequence(1 << 20, 'A');
  std::string source = ">big\nG";
  source.append(sequence.data(), sequence.size() - 1).append("\n");
  EXPECT_EQ(RunMode(kGcLetters, source, host, folder), kGcHeader + ">big,,,9.5367431640625E-5\r\n");
}

TEST(CompositionRun, DecimalCommaAddsAField) {
  TempFolder folder;
  RecordingHost host(folder / "out", ',');
  EXPECT_EQ(RunMode(kGcLetters, ">a\nGAT\n", host, folder), kGcHeader + ">a,,,33,3333333333333\r\n");
}

TEST(CompositionRun, BothModesWriteSeparateFiles) {
  TempFolder folder;
  RecordingHost host(folder / "out");
  const std::string gc = RunMode(kGcLetters, ">a\nGK\n", host, folder);
  const std::string ardenta = RunMode(kArdentaLetters, ">a\nGK\n", host, folder);
  EXPECT_EQ(gc, kGcHeader + ">a,,,50\r\n");
  EXPECT_EQ(ardenta, kArdentaHeader + ">a,,,50\r\n");
}

TEST(CompositionRun, ReplacesAnEarlierOutput) {
  TempFolder folder;
  RecordingHost host(folder / "out");
  std::filesystem::create_directory(folder / "out");
  WriteBytes(folder / "out/in.fa.GC-Content.csv", std::string(1000, 'x'));
  EXPECT_EQ(RunMode(kGcLetters, ">a\nG\n", host, folder), kGcHeader + ">a,,,100\r\n");
}

TEST(CompositionRun, MissingSourceIsANoticeAfterTheFolderIsMade) {
  TempFolder folder;
  for (const std::string& source : {std::string(), folder / "absent.fa", folder.path()}) {
    RecordingHost host(folder / "out");
    ToolMode = kGcLetters;
    Action1Execute(host, "", source);
    EXPECT_EQ(host.last(), "notice:Define correct file!!!") << source;
    EXPECT_EQ(host.folder(), folder / "out/");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "out"));
    EXPECT_FALSE(std::filesystem::exists(folder / "out/absent.fa.GC-Content.csv"));
  }
}

TEST(CompositionRun, PicksTheSourceFieldByMode) {
  TempFolder folder;
  WriteBytes(folder / "prot.fa", ">p\nMA\n");
  RecordingHost host(folder / "out");
  ToolMode = kArdentaLetters;
  Action1Execute(host, folder / "prot.fa", folder / "absent.fa");
  EXPECT_EQ(host.last(), "notice:Done!");
  ToolMode = kGcLetters;
  Action1Execute(host, folder / "prot.fa", folder / "absent.fa");
  EXPECT_EQ(host.last(), "notice:Define correct file!!!");
}

TEST(CompositionRun, FolderFailureComesBeforeTheSourceIsLookedAt) {
  TempFolder folder;
  RecordingHost host(folder / "no/such");
  ToolMode = kGcLetters;
  EXPECT_EQ(RunGuarded(host, [&] { return Action1Execute(host, "", ""); }), RunOutcome::kFailed);
  EXPECT_EQ(host.last(), "failure:Cannot create folder:  " + (folder / "no/such/") + ".");
}

TEST(CompositionRun, OutputLockedByAnotherOpenFailsBeforeTheSourceIsRead) {
  TempFolder folder;
  WriteBytes(folder / "in.fa", ">a\nG\n");
  std::filesystem::create_directory(folder / "out");
  WriteBytes(folder / "out/in.fa.GC-Content.csv", "earlier");
  LineFile other(folder / "out/in.fa.GC-Content.csv");
  other.OpenForReading();
  RecordingHost host(folder / "out");
  ToolMode = kGcLetters;
  EXPECT_EQ(RunGuarded(host, [&] { return Action1Execute(host, "", folder / "in.fa"); }), RunOutcome::kFailed);
  EXPECT_EQ(host.last(), "failure:I/O error 32.");
  other.Close();
  EXPECT_EQ(ReadBytes(folder / "out/in.fa.GC-Content.csv"), "earlier");
}

TEST(CompositionRun, SourceThatCannotBeOpenedLeavesTheHeaderAndNoLock) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", ">a\nG\n");
  RecordingHost host(folder / "out");
  ToolMode = kGcLetters;
  {
    LineFile writer(folder / "s.fa");  // another open is writing the source
    writer.OpenForWriting();
    EXPECT_EQ(RunGuarded(host, [&] { return Action1Execute(host, "", folder / "s.fa"); }), RunOutcome::kFailed);
    EXPECT_EQ(host.last(), "failure:I/O error 32.");
  }
  EXPECT_EQ(ReadBytes(folder / "out/s.fa.GC-Content.csv"), kGcHeader);
  // The failed run has let go of its output.
  LineFile again(folder / "out/s.fa.GC-Content.csv");
  again.OpenForWriting();
  again.Close();
}

}  // namespace
}  // namespace vendral
