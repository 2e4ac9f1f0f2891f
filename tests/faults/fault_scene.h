// The files around a vendral-cli run that a fault must not harm: a source
// and Listrel's filter file in a folder of their own, and in the output
// folder an earlier output of another run and a settings file.
#pragma once

#include <string>
#include <vector>

#include "support/cli_process.h"
#include "support/temp_folder.h"
#include "untouched_files.h"

namespace vendral::testing {

// One of the five tools as the command line names it.
struct ToolCall {
  std::string name;
  std::vector<std::string> options;  // besides the source and -o
  std::string output_suffix;         // what the output's name adds to the source's
};

const std::vector<ToolCall>& FiveTools();
const ToolCall& ToolNamed(const std::string& name);

// Records ">1" to ">count" with sequence lines of line_length letters.
std::string MultiFasta(int count, std::size_t line_length);

// What vendral-cli prints on standard error for a failure.
inline std::string FailureLine(const std::string& message) { return message + ".\n"; }
// The failure's message line of a run's standard error, without the line
// that the command line adds after it to explain where it came from.
inline std::string MessageLine(const std::string& err) { return err.substr(0, err.find('\n') + 1); }
inline constexpr const char* kDoneLine = "Done!\n";

class FaultScene {
 public:
  static constexpr const char* kSourceName = "set.fa";

  // Puts the inputs into a folder of their own and the earlier files into
  // output_folder, which must exist.
  FaultScene(const std::string& source_bytes, const std::string& output_folder,
             const std::string& filter_bytes = "1\n3\n5\n");

  std::string source() const { return inputs_ / kSourceName; }
  std::string filter() const { return inputs_ / "list.txt"; }
  std::string earlier_output() const { return output_folder_ + "keep.fa.Lenmark.fas"; }
  std::string settings() const { return output_folder_ + "INIVAL1.INI"; }
  // The output of tool in folder (the output folder when empty).
  std::string OutputOf(const ToolCall& tool, const std::string& folder = {}) const;

  // vendral-cli with the tool's command line and "-o folder".
  std::vector<std::string> Arguments(const ToolCall& tool, const std::string& folder) const;
  CliResult Run(const ToolCall& tool, const std::string& folder);
  // Starts the run without waiting for it.
  ChildProcess Start(const ToolCall& tool, const std::string& folder, const StartGate* gate = nullptr);
  // The bytes tool writes for this source when nothing goes wrong.
  std::string FaultlessOutput(const ToolCall& tool);

  // The source, the filter, the earlier output and the settings file.
  void ExpectUntouched() const { untouched_.ExpectUntouched(); }

 private:
  TempFolder inputs_;
  TempFolder roomy_;  // for faultless runs and the programs' output files
  std::string output_folder_;
  UntouchedFiles untouched_;
  int runs_ = 0;
};

}  // namespace vendral::testing
