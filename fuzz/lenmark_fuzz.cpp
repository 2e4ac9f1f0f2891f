// Lenmark on arbitrary source bytes, comparison and length text: the
// output file against the records kept by the reference, or the
// conversion failure when the length text is no integer.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "block_spread.h"
#include "conversion_ending.h"
#include "core/lenmark.h"
#include "core/parse_integer.h"
#include "core/scan/description_line.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "line_rules.h"
#include "tool_run.h"

namespace vendral::fuzz {
namespace {

struct Record {
  std::string description;
  std::string text;  // the sequence lines joined by LF; blank lines left out
  std::int64_t length = 0;
};

std::vector<Record> ReferenceRecords(const std::vector<std::string>& lines) {
  std::vector<Record> records;
  for (const std::string& line : lines) {
    if (IsDescription(line)) {
      records.push_back({line, {}, 0});
    } else if (!records.empty() && !IsBlankLine(line)) {
      Record& record = records.back();
      if (!record.text.empty()) record.text += '\n';  // sequence lines are never empty
      record.text += line;
      record.length += static_cast<std::int64_t>(line.size());
    }
  }
  return records;
}

bool Passes(std::string_view comparison, std::int64_t length, std::int32_t threshold) {
  if (comparison == "<") return length < threshold;
  if (comparison == "=") return length == threshold;
  return length > threshold;
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  static constexpr std::array<const char*, 4> kComparisons = {"<", "=", ">", "< "};
  FuzzInput input(data, size);
  const std::string comparison = kComparisons[input.Byte() % kComparisons.size()];
  const std::string length_text(input.Line());
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("source.fa", source);
  const ToolOutcome outcome = RunTool(
      [&](vendral::RunHost& host) {
        vendral::RunLenmark(host, ScratchPath("source.fa"), comparison, length_text);
      },
      "source.fa.Lenmark.fas");

  const std::vector<Record> records = ReferenceRecords(ReferenceLines(source));
  const bool compares = comparison.size() == 1 && !records.empty();
  const auto threshold = vendral::TryParseInteger(length_text);
  if (compares && !threshold) {
    RequireConversionFailure(outcome.ending, length_text);
    RequireEqual("the output file after the failure", "", outcome.output);
    return 0;
  }
  std::string expected;
  for (const Record& record : records) {
    if (compares && Passes(comparison, record.length, *threshold)) {
      expected += record.description + "\r\n" + record.text + "\r\n";
    }
  }
  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the output file", expected, outcome.output);
  return 0;
}
