// The one skeleton of every tool run: the frame's steps around the tool's
// own reading and writing, in the order the tool takes them, and the
// output's ending: in place once the run is done, an earlier output kept
// when it fails or is stopped.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lines/line_file.h"
#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/run/run_progress.h"

namespace vendral {

// Where the tools differ in the frame's steps.
struct RunOrder {
  enum class Folder {
    kBeforeInputCheck,  // the output folder is made even when an input is missing
    kAfterInputCheck,   // a missing input leaves the folder as it is
  };
  enum class Cursor { kDefault, kBusy };

  Folder folder;
  Cursor cursor;
  LineFile::Overwrite overwrite;
};

inline constexpr RunOrder kCompositionOrder{RunOrder::Folder::kBeforeInputCheck, RunOrder::Cursor::kDefault,
                                            LineFile::Overwrite::kReplace};
inline constexpr RunOrder kFilterOrder{RunOrder::Folder::kAfterInputCheck, RunOrder::Cursor::kBusy,
                                       LineFile::Overwrite::kReplace};
// Ordinel never overwrites an output: one that exists fails the run with
// the not-open error before anything is opened, and one that appears
// during the run fails it at the end.
inline constexpr RunOrder kRenumberingOrder{RunOrder::Folder::kAfterInputCheck, RunOrder::Cursor::kDefault,
                                            LineFile::Overwrite::kNever};

struct ToolPlan {
  std::string_view name;  // the tool as the progress report names it; outlives the run
  std::string_view tag;
  std::string_view extension;
  // Checked before anything is opened; the first is the source, which
  // names the output and the run.
  std::vector<std::string> inputs;
  std::string_view missing_text;
  RunOrder order;
  // Every reading of a file the run makes, for the share of progress.
  std::vector<std::string_view> readings;
  // What ends each line the run writes; the joins inside a record text
  // are LF either way.
  LineBreaks line_break = LineBreaks::kCrLf;
  // Files the run writes besides its output, which it never overwrites:
  // one that exists fails the run as an existing output of Ordinel does.
  std::vector<std::string> never_overwritten = {};
};

// The tool's own steps: reads its inputs, each watched by progress, and
// writes the output, which is open and empty. It may close the output
// itself where an input is closed after it; any it leaves open is closed
// once it returns. Returns whether the source held a record (a line that
// begins with ">").
using ToolWork = std::function<bool(LineFile& output, RunProgress& progress)>;

// Runs the plan: done or missing input as the outcome; a failure or a stop
// (RunCancelled) is raised, with the output ended as such a run ends it.
RunOutcome RunTool(RunHost& host, const ToolPlan& plan, const ToolWork& work);

}  // namespace vendral
