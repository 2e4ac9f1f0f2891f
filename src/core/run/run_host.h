// What a tool run needs of the front end that started it: the output
// folder field, the cursor and the message boxes. The window, the command
// line and the tests each implement it; the core never sees Qt.
#pragma once

#include <string>
#include <string_view>

#include "core/bytes/read_settings.h"
#include "core/run/run_record.h"

namespace vendral {

class Failure;

class RunHost {
 public:
  virtual ~RunHost() = default;

  // The whole text of the output folder field.
  virtual std::string OutputFolderPath() = 0;
  // Replaces that text; the window copies it on into its carrier field.
  virtual void SetOutputFolderPath(const std::string& path) = 0;

  virtual void SetBusyCursor() = 0;
  virtual void ClearBusyCursor() = 0;

  // A modal box without icon and one "OK" button.
  virtual void ShowNotice(std::string_view text) = 0;
  // The notice of a completed run; a host that shows it elsewhere than the
  // other notices (the command line's standard output) overrides this.
  virtual void ShowDone(std::string_view text) { ShowNotice(text); }
  // A modal box with the stop icon; text is already worded for the user.
  virtual void ShowFailure(std::string_view text) = 0;

  // Told after a failure has been shown, for a front end that says more
  // about where it came from than the window's box (the command line).
  virtual void ExplainFailure(const Failure& /*failure*/) {}
  // Told before "Done!" when the run's source held no line that begins
  // with ">"; the window shows nothing.
  virtual void NoteNoRecord(std::string_view /*source*/) {}

  // The decimal symbol that value texts are written with.
  virtual char DecimalSymbol() = 0;

  // How the run's sources are read; hosts that keep this read on the
  // tool's thread alone.
  virtual ReadSettings ReadingSettings() { return {}; }

  // True when the run's output goes to standard output instead of a file
  // in the output folder (a pipeline); then no output folder is touched.
  virtual bool OutputGoesToStandardOutput() { return false; }

  // Told, while a run reads, which tool reads which source and what share
  // of all its reading is done (0 to 1). False asks the run to stop: it
  // then ends without any box. Hosts that show no progress keep this.
  virtual bool ContinueRun(std::string_view /*tool*/, std::string_view /*source*/,
                           double /*fraction_done*/) {
    return true;
  }

  // Told once at the end of every run that got past its input checks,
  // before "Done!" or the failure shows; hosts that keep no record keep this.
  virtual void RecordRun(const RunRecord& /*record*/) {}
};

}  // namespace vendral
