// Listrel on an arbitrary filter file, source and choice of criteria: the
// output file against the records kept by the reference, or the conversion
// failure of the first filter line or record number that is no integer.
#include <cstdint>
#include <string>
#include <vector>

#include "block_spread.h"
#include "conversion_ending.h"
#include "core/tools/listrel.h"
#include "core/text/parse_integer.h"
#include "core/scan/description_line.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/reference_lines.h"
#include "support/reference_tools.h"
#include "tool_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  using vendral::testing::ListrelRecord;
  using vendral::testing::ReferenceLines;
  using vendral::testing::ReferenceListrel;
  using vendral::testing::ReferenceListrelRecords;
  FuzzInput input(data, size);
  const bool extract = input.Byte() & 1;
  const std::string filter = AsText(std::string(input.Bytes(input.Byte())));
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("filter.txt", filter);
  PutScratchFile("source.fa", source);
  const ToolOutcome outcome = RunInScratchFolder(
      [&](vendral::RunHost& host) {
        vendral::RunListrel(host, ScratchPath("source.fa"), ScratchPath("filter.txt"),
                            extract ? vendral::ListrelCriteria::kExtract : vendral::ListrelCriteria::kExclude);
      },
      "source.fa.Listrel.fas");

  // The filter file is converted first, then every record number.
  std::vector<std::string> number_texts = ReferenceLines(filter);
  const std::size_t filter_size = number_texts.size();
  const std::vector<ListrelRecord> records = ReferenceListrelRecords(ReferenceLines(source));
  for (const ListrelRecord& record : records) number_texts.push_back(record.number_text);
  std::vector<std::int32_t> numbers;
  for (const std::string& text : number_texts) {
    const auto number = vendral::TryParseInteger(text);
    if (!number) {
      RequireConversionFailure(outcome.ending, text);
      RequireEqual("the output file after the failure", "", outcome.output);
      return 0;
    }
    numbers.push_back(*number);
  }
  numbers.resize(filter_size);  // the filter's; ReferenceListrel converts the records' own

  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the output file", ReferenceListrel(records, numbers, extract), outcome.output);
  return 0;
}
