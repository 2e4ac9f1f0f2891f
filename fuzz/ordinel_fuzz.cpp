// Ordinel on arbitrary source bytes: one output line for every source
// line, description lines replaced by running numbers.
#include <cstdint>
#include <string>

#include "block_spread.h"
#include "core/tools/ordinel.h"
#include "core/scan/description_line.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/reference_lines.h"
#include "support/reference_tools.h"
#include "tool_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  using vendral::testing::ReferenceLines;
  using vendral::testing::ReferenceOrdinel;
  FuzzInput input(data, size);
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("source.fa", source);
  const ToolOutcome outcome =
      RunInScratchFolder([](vendral::RunHost& host) { vendral::RunOrdinel(host, ScratchPath("source.fa")); },
              "source.fa.Ordinel.fas");

  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the output file", ReferenceOrdinel(ReferenceLines(source)), outcome.output);
  return 0;
}
