// A run host that remembers everything a run asked of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/run/run_host.h"

namespace vendral::testing {

class RecordingHost : public RunHost {
 public:
  explicit RecordingHost(std::string folder = {}, char decimal_symbol = '.')
      : folder_(std::move(folder)), decimal_symbol_(decimal_symbol) {}

  std::string OutputFolderPath() override { return folder_; }
  void SetOutputFolderPath(const std::string& path) override {
    folder_ = path;
    ++folder_changes;
  }
  void SetBusyCursor() override { events.push_back("busy"); busy = true; }
  void ClearBusyCursor() override { events.push_back("default"); busy = false; }
  void ShowNotice(std::string_view text) override { events.push_back("notice:" + std::string(text)); }
  void ShowFailure(std::string_view text) override { events.push_back("failure:" + std::string(text)); }
  char DecimalSymbol() override { return decimal_symbol_; }
  // Notes the report; answers stop at report number stop_at_report.
  bool ContinueRun(std::string_view tool, std::string_view source, double fraction_done) override;

  const std::string& folder() const { return folder_; }
  // The last notice or failure, as "notice:..." or "failure:...".
  std::string last() const;

  struct Progress {
    std::string tool;
    std::string source;
    double fraction_done;
  };
  std::vector<Progress> progress;
  std::size_t stop_at_report = 0;  // counted from 1; 0: never

  std::vector<std::string> events;
  int folder_changes = 0;
  bool busy = false;

 private:
  std::string folder_;
  char decimal_symbol_;
};

}  // namespace vendral::testing
