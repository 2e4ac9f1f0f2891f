// The run host of the command line: the output folder is a string, notices
// go to the console, and the outcome becomes the exit status.
#pragma once

#include <string>

#include "cli/progress_bar.h"
#include "core/run_host.h"

namespace vendral {

class ConsoleHost : public RunHost {
 public:
  // show_progress: a progress bar on standard error while a run reads.
  ConsoleHost(std::string output_folder, bool show_progress);

  std::string OutputFolderPath() override { return output_folder_; }
  void SetOutputFolderPath(const std::string& path) override { output_folder_ = path; }
  void SetBusyCursor() override {}
  void ClearBusyCursor() override {}
  void ShowNotice(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  char DecimalSymbol() override { return decimal_symbol_; }
  bool ContinueRun(std::string_view tool, std::string_view source, double fraction_done) override;

  // 0 after "Done!", 2 after any other notice, 1 after a failure.
  int ExitStatus() const { return exit_status_; }

 private:
  std::string output_folder_;
  char decimal_symbol_;
  int exit_status_ = 0;
  bool show_progress_;
  ProgressBar progress_bar_;
};

}  // namespace vendral
