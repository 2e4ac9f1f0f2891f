#include "composition_fuzz.h"

#include <string>

#include "block_spread.h"
#include "core/tools/composition.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/reference_lines.h"
#include "support/reference_tools.h"
#include "tool_run.h"

namespace vendral::fuzz {

void FuzzComposition(std::string_view letters, const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("source.fa", source);
  const std::string tag = letters == kGcLetters ? "GC-Content" : "Ardenta";
  const ToolOutcome outcome = RunInScratchFolder(
      [letters](RunHost& host) { RunComposition(host, letters, ScratchPath("source.fa")); },
      "source.fa." + tag + ".csv");
  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the CSV file", testing::ReferenceCompositionCsv(letters, testing::ReferenceLines(source)),
               outcome.output);
}

}  // namespace vendral::fuzz
