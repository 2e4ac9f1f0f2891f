// A tool run on fuzz bytes, as the window runs it: in a scratch folder of
// the process's own, with a recording run host, failures reported by the
// run frame.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/run/run_host.h"

namespace vendral::fuzz {

// The path of name in the scratch folder; the folder goes when the process
// ends.
std::string ScratchPath(const std::string& name);

// Writes bytes as the whole file.
void PutScratchFile(const std::string& name, std::string_view bytes);
// Removes the file; a missing file is no error.
void RemoveScratchFile(const std::string& name);

struct ToolOutcome {
  // "notice:TEXT" or "failure:TEXT": how the run ended.
  std::string ending;
  // The bytes of the output file, or nothing when there is none.
  std::string output;
  bool output_exists = false;
};

// Runs tool with the scratch folder as output folder and collects the
// file output_name that it wrote.
ToolOutcome RunInScratchFolder(const std::function<void(RunHost&)>& tool, const std::string& output_name);

inline constexpr std::string_view kDoneEnding = "notice:Done!";

}  // namespace vendral::fuzz
