// Two runs started at the same moment on one new output in one new output
// folder, again and again: each run either is done or loses the file to
// the other with the sharing failure, and the file holds exactly what one
// run writes.
#include <gtest/gtest.h>

#include <map>

#include "fault_scene.h"

namespace vendral::testing {
namespace {

constexpr int kPairs = 200;

// How a run ended, as one line for the summary; the pair's folder is
// named FOLDER so that like endings count together.
std::string Ending(const CliResult& result, const std::string& folder = {}) {
  std::string ending =
      std::to_string(result.status) + " out:\"" + result.out + "\" err:\"" + MessageLine(result.err) + "\"";
  if (const auto at = ending.find(folder); !folder.empty() && at != std::string::npos) {
    ending.replace(at, folder.size(), "FOLDER/");
  }
  return ending;
}

TEST(RacingRuns, OneNewOutputInOneNewFolder) {
  TempFolder out;
  FaultScene scene(MultiFasta(300, 120), out.path());
  // Ordinel is left out: it never replaces an output, so a late loser
  // rightly fails with "not open".
  std::vector<ToolCall> tools;
  for (const ToolCall& tool : FiveTools()) {
    if (tool.name != "ordinel") tools.push_back(tool);
  }
  std::vector<std::string> faultless;
  for (const ToolCall& tool : tools) faultless.push_back(scene.FaultlessOutput(tool));
  const std::string done = Ending({0, kDoneLine, ""});
  const std::string lost = Ending({1, "", FailureLine("I/O error 32")});

  std::map<std::string, int> endings;
  int wrong_files = 0;
  for (int pair = 0; pair < kPairs; ++pair) {
    const std::size_t which = static_cast<std::size_t>(pair) % tools.size();
    const std::string folder = out / ("race" + std::to_string(pair) + "/");
    StartGate gate;
    ChildProcess first = scene.Start(tools[which], folder, &gate);
    ChildProcess second = scene.Start(tools[which], folder, &gate);
    gate.Open();
    const std::string endings_of_pair[] = {Ending(first.Wait(), folder), Ending(second.Wait(), folder)};
    for (const std::string& ending : endings_of_pair) ++endings[ending];
    const bool any_done = endings_of_pair[0] == done || endings_of_pair[1] == done;
    const std::string output = scene.OutputOf(tools[which], folder);
    if (!any_done || !std::filesystem::exists(output) || ReadBytes(output) != faultless[which]) ++wrong_files;
  }

  for (const auto& [ending, count] : endings) {
    EXPECT_TRUE(ending == done || ending == lost) << count << " runs ended with " << ending;
  }
  EXPECT_EQ(wrong_files, 0) << "pairs without a run that was done with the whole file";
  scene.ExpectUntouched();
}

}  // namespace
}  // namespace vendral::testing
