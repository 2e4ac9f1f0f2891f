// Listrel on an arbitrary filter file, source and choice of criteria: the
// output file against the records kept by the reference, or the conversion
// failure of the first filter line or record number that is no integer.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "block_spread.h"
#include "conversion_ending.h"
#include "core/listrel.h"
#include "core/parse_integer.h"
#include "core/scan/description_line.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "line_rules.h"
#include "tool_run.h"

namespace vendral::fuzz {
namespace {

struct Record {
  std::string number_text;  // characters 2 to 21 of the description line
  std::string text;         // the lines after it, up to and with a blank one, joined by LF
};

std::vector<Record> ReferenceRecords(const std::vector<std::string>& lines) {
  std::vector<Record> records;
  bool inside = false;
  for (const std::string& line : lines) {
    if (IsDescription(line)) {
      records.push_back({line.substr(1, 20), {}});
      inside = true;
    } else if (inside) {
      Record& record = records.back();
      record.text += line;
      record.text += '\n';
      inside = !IsBlankLine(line);
    }
  }
  for (Record& record : records) {
    if (!record.text.empty()) record.text.pop_back();  // no LF after the last line
  }
  return records;
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  FuzzInput input(data, size);
  const bool extract = input.Byte() & 1;
  const std::string filter = AsText(std::string(input.Bytes(input.Byte())));
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("filter.txt", filter);
  PutScratchFile("source.fa", source);
  const ToolOutcome outcome = RunTool(
      [&](vendral::RunHost& host) {
        vendral::RunListrel(host, ScratchPath("source.fa"), ScratchPath("filter.txt"),
                            extract ? vendral::ListrelCriteria::kExtract : vendral::ListrelCriteria::kExclude);
      },
      "source.fa.Listrel.fas");

  // The filter file is converted first, then every record number.
  std::vector<std::string> number_texts = ReferenceLines(filter);
  const std::size_t filter_size = number_texts.size();
  const std::vector<Record> records = ReferenceRecords(ReferenceLines(source));
  for (const Record& record : records) number_texts.push_back(record.number_text);
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

  const auto listed_end = numbers.begin() + static_cast<std::ptrdiff_t>(filter_size);
  std::string expected;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::int32_t number = numbers[filter_size + i];
    const bool listed = std::find(numbers.begin(), listed_end, number) != listed_end;
    if (listed == extract) expected += ">" + std::to_string(number) + "\r\n" + records[i].text + "\r\n";
  }
  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the output file", expected, outcome.output);
  return 0;
}
