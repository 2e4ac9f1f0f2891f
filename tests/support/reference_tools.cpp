#include "support/reference_tools.h"

#include <algorithm>

#include "core/tools/composition.h"
#include "core/text/parse_integer.h"
#include "core/text/value_text.h"
#include "support/reference_lines.h"

namespace vendral::testing {
namespace {

std::int64_t Hits(std::string_view line, std::string_view letters) {
  return std::count_if(line.begin(), line.end(), [letters](char c) {
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return letters.find(upper) != std::string_view::npos;
  });
}

// The line trimmed as the total counts it, without the skipped characters.
std::string CountedPart(std::string_view line, std::string_view skipped) {
  const auto kept = [](char c) { return static_cast<unsigned char>(c) > ' '; };
  const auto first = std::find_if(line.begin(), line.end(), kept);
  const auto last = std::find_if(line.rbegin(), line.rend(), kept).base();
  std::string part;
  for (auto c = first; c < last; ++c) {
    if (skipped.find(*c) == std::string_view::npos) part += *c;
  }
  return part;
}

}  // namespace

std::string ReferenceCompositionCsv(std::string_view letters, const std::vector<std::string>& lines,
                                    std::string_view skipped) {
  std::string csv = letters == kGcLetters ? "Single-line description,,,GC%\r\n"
                                          : "Single-line description,,,thermostability index\r\n";
  auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return StartsRecord(l); });
  while (line != lines.end()) {
    std::string cell = *line++;
    std::replace(cell.begin(), cell.end(), ',', '.');
    std::int64_t hits = 0;
    std::int64_t total = 0;
    for (; line != lines.end() && !StartsRecord(*line); ++line) {
      const std::string counted = CountedPart(*line, skipped);
      hits += Hits(counted, letters);
      total += static_cast<std::int64_t>(counted.size());
    }
    csv += cell + ",,," + (total == 0 ? "error: " : PercentageText(hits, total, '.')) + "\r\n";
  }
  return csv;
}

std::string ReferenceOrdinel(const std::vector<std::string>& lines) {
  std::string output;
  std::int64_t number = 0;
  for (const std::string& line : lines) {
    output += StartsRecord(line) ? ">" + std::to_string(++number) : line;
    output += "\r\n";
  }
  return output;
}

std::string ReferenceOrdinelMap(const std::vector<std::string>& lines, const std::string& prefix,
                                std::int64_t start) {
  std::string map = "number\tdescription\n";
  std::int64_t number = start;
  for (const std::string& line : lines) {
    if (StartsRecord(line)) map += prefix + std::to_string(number++) + "\t" + line.substr(1) + "\n";
  }
  return map;
}

std::string ReferenceListrelByName(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& names, bool extract) {
  std::string output;
  bool kept = false;
  for (const std::string& line : lines) {
    if (StartsRecord(line)) {
      const std::string rest = line.substr(1);
      const std::string name = rest.substr(0, rest.find_first_of(" \t"));
      kept = (std::find(names.begin(), names.end(), name) != names.end()) == extract;
    }
    if (kept) output += line + "\r\n";
  }
  return output;
}

std::vector<LenmarkRecord> ReferenceLenmarkRecords(const std::vector<std::string>& lines) {
  std::vector<LenmarkRecord> records;
  for (const std::string& line : lines) {
    if (StartsRecord(line)) {
      records.push_back({line, {}, 0});
    } else if (!records.empty() && !IsBlankLine(line)) {
      LenmarkRecord& record = records.back();
      if (!record.text.empty()) record.text += '\n';  // sequence lines are never empty
      record.text += line;
      record.length += static_cast<std::int64_t>(line.size());
    }
  }
  return records;
}

std::string ReferenceLenmark(const std::vector<LenmarkRecord>& records, char comparison,
                             std::int64_t threshold) {
  std::string output;
  for (const LenmarkRecord& record : records) {
    const bool passes = comparison == '<'   ? record.length < threshold
                        : comparison == '=' ? record.length == threshold
                                            : record.length > threshold;
    if (passes) output += record.description + "\r\n" + record.text + "\r\n";
  }
  return output;
}

std::vector<ListrelRecord> ReferenceListrelRecords(const std::vector<std::string>& lines) {
  std::vector<ListrelRecord> records;
  bool inside = false;
  for (const std::string& line : lines) {
    if (StartsRecord(line)) {
      records.push_back({line.substr(1, 20), {}});
      inside = true;
    } else if (inside) {
      ListrelRecord& record = records.back();
      record.text += line;
      record.text += '\n';
      inside = !IsBlankLine(line);
    }
  }
  for (ListrelRecord& record : records) {
    if (!record.text.empty()) record.text.pop_back();  // no LF after the last line
  }
  return records;
}

std::string ReferenceListrel(const std::vector<ListrelRecord>& records,
                             const std::vector<std::int32_t>& listed, bool extract) {
  std::string output;
  for (const ListrelRecord& record : records) {
    const std::int32_t number = ParseInteger(record.number_text);
    const bool is_listed = std::find(listed.begin(), listed.end(), number) != listed.end();
    if (is_listed == extract) output += ">" + std::to_string(number) + "\r\n" + record.text + "\r\n";
  }
  return output;
}

}  // namespace vendral::testing
