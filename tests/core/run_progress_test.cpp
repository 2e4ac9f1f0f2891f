#include "core/run/run_progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/tools/composition.h"
#include "core/run/failure.h"
#include "core/tools/lenmark.h"
#include "core/lines/line_file.h"
#include "core/tools/listrel.h"
#include "core/tools/ordinel.h"
#include "core/run/run_frame.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::NamesIn;
using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

// Numbered records, several reading blocks long, that every tool takes.
std::string LargeSource() {
  std::string source;
  for (int record = 1; source.size() < 600 * 1024; ++record) {
    source += ">" + std::to_string(record) + "\n";
    for (int line = 0; line < 5; ++line) source += std::string(60, "ACGT"[(record + line) % 4]) + "\n";
  }
  return source;
}

struct Tool {
  const char* name;    // as the host is told
  const char* output;  // the output file in the output folder
  bool busy_cursor;
  std::function<void(RunHost&, const std::string& source, const std::string& filter)> run;
};

void PrintTo(const Tool& tool, std::ostream* os) { *os << tool.name; }

const Tool kTools[] = {
    {"Ardenta", "set.fa.Ardenta.csv", false,
     [](RunHost& host, const std::string& source, const std::string&) {
       ToolMode = kArdentaLetters;
       Action1Execute(host, source, "");
     }},
    {"GC-content", "set.fa.GC-Content.csv", false,
     [](RunHost& host, const std::string& source, const std::string&) {
       ToolMode = kGcLetters;
       Action1Execute(host, "", source);
     }},
    {"Lenmark", "set.fa.Lenmark.fas", true,
     [](RunHost& host, const std::string& source, const std::string&) { RunLenmark(host, source, ">", "100"); }},
    {"Listrel", "set.fa.Listrel.fas", true,
     [](RunHost& host, const std::string& source, const std::string& filter) {
       RunListrel(host, source, filter, ListrelCriteria::kExtract);
     }},
    {"Ordinel", "set.fa.Ordinel.fas", false,
     [](RunHost& host, const std::string& source, const std::string&) { RunOrdinel(host, source); }},
};

// A source and a filter file, and a host whose output folder does not exist yet.
struct Stage {
  Stage() : host(folder / "out") {
    WriteBytes(source, LargeSource());
    WriteBytes(filter, "1\n3\n");
  }
  void Run(const Tool& tool) {
    RunGuarded(host, [&] { tool.run(host, source, filter); });
  }
  std::string Output(const Tool& tool) const { return folder / "out/" + tool.output; }

  TempFolder folder;
  std::string source = folder / "set.fa";
  std::string filter = folder / "filter.txt";
  RecordingHost host;
};

class EveryTool : public ::testing::TestWithParam<Tool> {};

TEST_P(EveryTool, ReportsItsReadingUpToTheWhole) {
  Stage stage;
  stage.Run(GetParam());
  EXPECT_EQ(stage.host.last(), "notice:Done!");
  ASSERT_GE(stage.host.progress.size(), 2u);
  double previous = 0;
  for (const auto& report : stage.host.progress) {
    EXPECT_EQ(report.tool, GetParam().name);
    EXPECT_EQ(report.source, stage.source);
    EXPECT_GT(report.fraction_done, previous);
    previous = report.fraction_done;
  }
  EXPECT_EQ(stage.host.progress.back().fraction_done, 1.0);
}

// Stopped at its first report, or at its last one when all is read and
// most of the output written, the run leaves nothing of its output, and an
// earlier output stays as it was (Ordinel never gets that far over one).
TEST_P(EveryTool, StoppedRunLeavesNoOutputOfItsOwnAndShowsNoBox) {
  std::size_t reports = 0;
  {
    Stage complete;
    complete.Run(GetParam());
    reports = complete.host.progress.size();
  }
  const bool replaces = std::string(GetParam().name) != "Ordinel";
  for (const bool earlier : {false, true}) {
    if (earlier && !replaces) continue;
    for (const std::size_t stop_at : {std::size_t{1}, reports}) {
      Stage stage;
      std::filesystem::create_directory(stage.folder / "out");
      if (earlier) WriteBytes(stage.Output(GetParam()), "an earlier output\r\n");
      stage.host.stop_at_report = stop_at;
      stage.Run(GetParam());
      const std::string trace = "stopped at " + std::to_string(stop_at) + (earlier ? " over an earlier output" : "");
      EXPECT_EQ(stage.host.progress.size(), stop_at) << trace;
      // No box; the busy cursor, where the tool sets one, is cleared.
      const std::vector<std::string> expected_events =
          GetParam().busy_cursor ? std::vector<std::string>{"busy", "default"} : std::vector<std::string>{};
      EXPECT_EQ(stage.host.events, expected_events) << trace;
      if (earlier) {
        EXPECT_EQ(ReadBytes(stage.Output(GetParam())), "an earlier output\r\n") << trace;
        EXPECT_EQ(NamesIn(stage.folder / "out"), std::vector<std::string>{GetParam().output}) << trace;
      } else {
        EXPECT_TRUE(NamesIn(stage.folder / "out").empty()) << trace;
      }
      // Every file of the run is closed: nothing keeps a writer out.
      for (const std::string* input : {&stage.source, &stage.filter}) {
        LineFile writer(*input);
        EXPECT_NO_THROW(writer.OpenForWriting()) << *input;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tools, EveryTool, ::testing::ValuesIn(kTools), [](const auto& info) {
  std::string name = info.param.name;
  std::erase(name, '-');
  return name;
});

// Into a file, which can take back what a bad record number would have
// kept out of it, Listrel reads the source once.
TEST(ListrelProgress, TheFilterAndTheReadingOfTheSourceMakeOneWhole) {
  Stage stage;
  stage.Run(kTools[3]);
  const double filter = static_cast<double>(std::filesystem::file_size(stage.filter));
  const double source = static_cast<double>(std::filesystem::file_size(stage.source));
  const double whole = filter + source;
  ASSERT_GE(stage.host.progress.size(), 3u);
  // The filter file is smaller than a block: one report for its reading.
  EXPECT_DOUBLE_EQ(stage.host.progress[0].fraction_done, filter / whole);
  EXPECT_GT(stage.host.progress[1].fraction_done, filter / whole);
  EXPECT_EQ(stage.host.progress.back().fraction_done, 1.0);
}

TEST(RunProgress, ShareOfTheReadings) {
  TempFolder folder;
  WriteBytes(folder / "a", std::string(300, 'x'));
  WriteBytes(folder / "b", std::string(100, 'x'));
  RecordingHost host;
  RunProgress progress(host, "Tool", "a", {folder / "a", folder / "b"});
  progress.BytesRead(100);
  progress.BytesRead(200);
  progress.BytesRead(100);
  progress.BytesRead(50);  // a file that grew meanwhile
  std::vector<double> shares;
  for (const auto& report : host.progress) shares.push_back(report.fraction_done);
  EXPECT_EQ(shares, (std::vector<double>{0.25, 0.75, 1.0, 1.0}));
  EXPECT_EQ(host.progress[0].tool, "Tool");
  EXPECT_EQ(host.progress[0].source, "a");
}

TEST(RunProgress, UnknownSizeGivesNoShare) {
  TempFolder folder;
  RecordingHost host;
  RunProgress progress(host, "Tool", "gone", {folder / "gone"});
  progress.BytesRead(4096);
  ASSERT_EQ(host.progress.size(), 1u);
  EXPECT_EQ(host.progress[0].fraction_done, 0.0);
}

TEST(RunProgress, StopRaisesRunCancelledAndNoFailure) {
  RecordingHost host;
  host.stop_at_report = 2;
  RunProgress progress(host, "Tool", "", {});
  EXPECT_NO_THROW(progress.BytesRead(1));
  bool cancelled = false;
  try {
    progress.BytesRead(1);
  } catch (const RunCancelled&) {
    cancelled = true;
  }
  EXPECT_TRUE(cancelled);
}

}  // namespace
}  // namespace vendral
