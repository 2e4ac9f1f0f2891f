// The run host of the command line: the output folder is a string, notices
// go to the console, and the outcome becomes the exit status.
#pragma once

#include <string>

#include "core/run_host.h"

namespace vendral {

class ConsoleHost : public RunHost {
 public:
  explicit ConsoleHost(std::string output_folder);

  std::string OutputFolderPath() override { return output_folder_; }
  void SetOutputFolderPath(const std::string& path) override { output_folder_ = path; }
  void SetBusyCursor() override {}
  void ClearBusyCursor() override {}
  void ShowNotice(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  char DecimalSymbol() override { return decimal_symbol_; }

  // 0 after "Done!", 2 after any other notice, 1 after a failure.
  int ExitStatus() const { return exit_status_; }

 private:
  std::string output_folder_;
  char decimal_symbol_;
  int exit_status_ = 0;
};

}  // namespace vendral
