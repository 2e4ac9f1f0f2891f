#include "core/run/tool_run.h"

#include <optional>

#include "core/run/failure.h"
#include "core/run/run_cancelled.h"
#include "core/run/run_frame.h"

namespace vendral {

RunOutcome RunTool(RunHost& host, const ToolPlan& plan, const ToolWork& work) {
  NormalizeOutputFolder(host);
  if (plan.order.folder == RunOrder::Folder::kBeforeInputCheck) EnsureOutputFolder(host);
  const std::string output_name = MakeOutputFileName(host, plan.inputs.front(), plan.tag, plan.extension);
  for (const std::string& input : plan.inputs) {
    if (!IsExistingFile(input)) {
      host.ShowNotice(plan.missing_text);
      return RunOutcome::kMissingInput;
    }
  }
  if (plan.order.folder == RunOrder::Folder::kAfterInputCheck) EnsureOutputFolder(host);
  std::optional<BusyCursor> busy;
  if (plan.order.cursor == RunOrder::Cursor::kBusy) busy.emplace(host);

  LineFile output(output_name, OutputTarget(host));
  const bool never_overwrite = plan.order.overwrite == LineFile::Overwrite::kNever;
  if (never_overwrite && !output.WritesStandardOutput() && IsExistingFile(output_name)) {
    throw IoError(IoError::kNotOpen).SetFile(output_name, true);
  }
  for (const std::string& file : plan.never_overwritten) {
    if (IsExistingFile(file)) throw IoError(IoError::kNotOpen).SetFile(file, true);
  }
  output.SetLineBreak(plan.line_break);
  output.OpenForWriting();
  RunProgress progress(host, plan.name, plan.inputs.front(), plan.readings);
  bool held_record = false;
  try {
    try {
      held_record = work(output, progress);
    } catch (const RunCancelled&) {
      output.Discard();
      throw;
    }
    if (output.IsOpen()) output.Close();
    if (!output.PutInPlace(plan.order.overwrite)) throw IoError(IoError::kNotOpen).SetFile(output_name, true);
  } catch (...) {
    host.RecordRun(progress.record());
    throw;
  }
  if (!output.WritesStandardOutput()) progress.record().output = output_name;
  host.RecordRun(progress.record());
  busy.reset();
  if (!held_record) host.NoteNoRecord(plan.inputs.front());
  ReportDone(host);
  return RunOutcome::kDone;
}

}  // namespace vendral
