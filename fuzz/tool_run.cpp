#include "tool_run.h"

#include <filesystem>

#include "core/run/run_frame.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral::fuzz {
namespace {

const testing::TempFolder& Scratch() {
  static const testing::TempFolder folder;
  return folder;
}

}  // namespace

std::string ScratchPath(const std::string& name) { return Scratch() / name; }

void PutScratchFile(const std::string& name, std::string_view bytes) {
  testing::WriteBytes(ScratchPath(name), std::string(bytes));
}

void RemoveScratchFile(const std::string& name) {
  std::error_code ignored;
  std::filesystem::remove(ScratchPath(name), ignored);
}

ToolOutcome RunInScratchFolder(const std::function<void(RunHost&)>& tool, const std::string& output_name) {
  RemoveScratchFile(output_name);
  testing::RecordingHost host(Scratch().path());
  RunGuarded(host, [&] { tool(host); });
  ToolOutcome outcome;
  outcome.ending = host.last();
  outcome.output_exists = std::filesystem::exists(ScratchPath(output_name));
  if (outcome.output_exists) outcome.output = testing::ReadBytes(ScratchPath(output_name));
  return outcome;
}

}  // namespace vendral::fuzz
