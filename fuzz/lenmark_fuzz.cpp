// Lenmark on arbitrary source bytes, comparison and length text: the
// output file against the records kept by the reference, or the
// conversion failure when the length text is no integer.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "block_spread.h"
#include "conversion_ending.h"
#include "core/tools/lenmark.h"
#include "core/text/parse_integer.h"
#include "core/scan/description_line.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/reference_lines.h"
#include "support/reference_tools.h"
#include "tool_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  using vendral::testing::LenmarkRecord;
  using vendral::testing::ReferenceLenmark;
  using vendral::testing::ReferenceLenmarkRecords;
  using vendral::testing::ReferenceLines;
  static constexpr std::array<const char*, 4> kComparisons = {"<", "=", ">", "< "};
  FuzzInput input(data, size);
  const std::string comparison = kComparisons[input.Byte() % kComparisons.size()];
  const std::string length_text(input.Line());
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("source.fa", source);
  const ToolOutcome outcome = RunInScratchFolder(
      [&](vendral::RunHost& host) {
        vendral::RunLenmark(host, ScratchPath("source.fa"), comparison, length_text);
      },
      "source.fa.Lenmark.fas");

  // The length text is converted at the first record, and only for a
  // comparison that compares; any other keeps no record.
  const std::vector<LenmarkRecord> records = ReferenceLenmarkRecords(ReferenceLines(source));
  const bool compares = comparison.size() == 1 && !records.empty();
  const auto threshold = vendral::TryParseInteger(length_text);
  if (compares && !threshold) {
    RequireConversionFailure(outcome.ending, length_text);
    RequireEqual("the output file after the failure", "", outcome.output);
    return 0;
  }
  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the output file", compares ? ReferenceLenmark(records, comparison[0], *threshold) : "",
               outcome.output);
  return 0;
}
