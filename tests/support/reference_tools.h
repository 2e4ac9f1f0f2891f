// What each tool writes for a source, worked out from the reference lines
// one whole line at a time: the models that the tests and the fuzz targets
// hold the tools' block reading against.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vendral::testing {

// GC-content's or Ardenta's whole CSV file, by the tool mode's letters: one
// row per description line; lines before the first one count nowhere. The
// skipped characters count neither as hits nor in the total.
std::string ReferenceCompositionCsv(std::string_view letters, const std::vector<std::string>& lines,
                                    std::string_view skipped = {});

// Ordinel's output: every line, description lines replaced by running numbers.
std::string ReferenceOrdinel(const std::vector<std::string>& lines);
// Ordinel's map file for numbers after prefix from start.
std::string ReferenceOrdinelMap(const std::vector<std::string>& lines, const std::string& prefix,
                                std::int64_t start);

struct LenmarkRecord {
  std::string description;
  std::string text;  // the sequence lines joined by LF; blank lines left out
  std::int64_t length = 0;
};

std::vector<LenmarkRecord> ReferenceLenmarkRecords(const std::vector<std::string>& lines);

// Lenmark's output: the records whose length compares to threshold as
// comparison ('<', '=' or '>') says.
std::string ReferenceLenmark(const std::vector<LenmarkRecord>& records, char comparison,
                             std::int64_t threshold);

struct ListrelRecord {
  std::string number_text;  // characters 2 to 21 of the description line
  std::string text;         // the lines after it, up to and with a blank one, joined by LF
};

std::vector<ListrelRecord> ReferenceListrelRecords(const std::vector<std::string>& lines);

// Listrel's output: the records whose numbers are listed (extract) or are
// not (exclude), under their numbers. Every number text must be an integer.
std::string ReferenceListrel(const std::vector<ListrelRecord>& records,
                             const std::vector<std::int32_t>& listed, bool extract);

// Listrel's output by name: the records, each its description line and
// every line up to the next one, whose first word is listed (extract) or
// is not (exclude), written as they stand.
std::string ReferenceListrelByName(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& names, bool extract);

}  // namespace vendral::testing
