// The run host of the command line: the output folder is a string, and
// notices go to the console.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/progress_bar.h"
#include "core/run/run_host.h"

namespace vendral {

class ConsoleHost : public RunHost {
 public:
  // to_standard_output: the runs write their output to standard output,
  // so "Done!" goes to standard error with every other message.
  // show_progress: a progress bar on standard error while a run reads.
  ConsoleHost(std::string output_folder, bool to_standard_output = false, bool show_progress = false);

  // Starts the next run: its messages start with label and ": " when label
  // is not empty.
  void BeginRun(std::string label);

  // From now on messages are kept, in order, until WriteHeldMessages: a run
  // beside others shows its messages once those of the runs before it are.
  void HoldMessages() { holding_ = true; }
  void WriteHeldMessages();

  std::string OutputFolderPath() override { return output_folder_; }
  void SetOutputFolderPath(const std::string& path) override { output_folder_ = path; }
  void SetBusyCursor() override {}
  void ClearBusyCursor() override {}
  void ShowNotice(std::string_view text) override;
  void ShowDone(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  void ExplainFailure(const Failure& failure) override;
  void NoteNoRecord(std::string_view source) override;
  char DecimalSymbol() override { return decimal_symbol_; }
  bool OutputGoesToStandardOutput() override { return to_standard_output_; }
  bool ContinueRun(std::string_view tool, std::string_view source, double fraction_done) override;
  ReadSettings ReadingSettings() override { return reading_; }
  void SetReadingSettings(ReadSettings reading) { reading_ = reading; }
  void RecordRun(const RunRecord& record) override { record_ = record; }

  // What the last run told: its record and the last message it showed.
  const RunRecord& record() const { return record_; }
  const std::string& last_message() const { return last_message_; }

 private:
  // A message of the run, after its label; the last one is kept.
  void Print(std::ostream& stream, std::string_view text);
  // A whole line, written now or held with the run's messages.
  void Emit(std::ostream& stream, std::string line);

  struct HeldMessage {
    std::ostream* stream;
    std::string line;
  };

  std::string output_folder_;
  bool to_standard_output_;
  std::string label_;
  char decimal_symbol_;
  bool show_progress_;
  ProgressBar progress_bar_;
  ReadSettings reading_;
  bool holding_ = false;
  std::vector<HeldMessage> held_;
  RunRecord record_;
  std::string last_message_;
};

}  // namespace vendral
