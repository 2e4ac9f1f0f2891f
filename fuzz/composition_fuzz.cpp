#include "composition_fuzz.h"

#include <algorithm>
#include <string>
#include <vector>

#include "block_spread.h"
#include "core/composition.h"
#include "core/scan/description_line.h"
#include "core/value_text.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "line_rules.h"
#include "tool_run.h"

namespace vendral::fuzz {
namespace {

std::int64_t Hits(std::string_view line, std::string_view letters) {
  return std::count_if(line.begin(), line.end(), [letters](char c) {
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return letters.find(upper) != std::string_view::npos;
  });
}

std::int64_t TrimmedLength(std::string_view line) {
  const auto kept = [](char c) { return static_cast<unsigned char>(c) > ' '; };
  const auto first = std::find_if(line.begin(), line.end(), kept);
  const auto last = std::find_if(line.rbegin(), line.rend(), kept).base();
  return first < last ? last - first : 0;
}

// One CSV line per description line; lines before the first one count nowhere.
std::string ExpectedCsv(std::string_view letters, const std::vector<std::string>& lines) {
  std::string csv = letters == kGcLetters ? "Single-line description,,,GC%\r\n"
                                          : "Single-line description,,,thermostability index\r\n";
  auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return IsDescription(l); });
  while (line != lines.end()) {
    std::string cell = *line++;
    std::replace(cell.begin(), cell.end(), ',', '.');
    std::int64_t hits = 0;
    std::int64_t total = 0;
    for (; line != lines.end() && !IsDescription(*line); ++line) {
      hits += Hits(*line, letters);
      total += TrimmedLength(*line);
    }
    csv += cell + ",,," + (total == 0 ? "error: " : PercentageText(hits, total, '.')) + "\r\n";
  }
  return csv;
}

}  // namespace

void FuzzComposition(std::string_view letters, const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string source = SpreadOverBlocks(input);
  PutScratchFile("source.fa", source);
  const std::string tag = letters == kGcLetters ? "GC-Content" : "Ardenta";
  const ToolOutcome outcome = RunTool(
      [letters](RunHost& host) {
        ToolMode = letters;
        Action1Execute(host, ScratchPath("source.fa"), ScratchPath("source.fa"));
      },
      "source.fa." + tag + ".csv");
  RequireEqual("how the run ended", kDoneEnding, outcome.ending);
  RequireEqual("the CSV file", ExpectedCsv(letters, ReferenceLines(source)), outcome.output);
}

}  // namespace vendral::fuzz
