// Ordinel, Lenmark and Listrel read whole stretches of a block at once;
// here each is held against the plain reading of its rules, one whole line
// at a time, on random sources whose lines, breaks, blanks and description
// lines fall across every block boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/block_size.h"
#include "core/lenmark.h"
#include "core/line_file.h"
#include "core/listrel.h"
#include "core/ordinel.h"
#include "core/parse_integer.h"
#include "core/record_reader.h"
#include "core/run_frame.h"
#include "core/scan/description_line.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::string> ReadLines(const std::string& path) {
  LineFile source(path);
  source.OpenForReading();
  std::vector<std::string> lines;
  while (!source.AtEnd()) lines.push_back(source.ReadLine());
  return lines;
}

std::string ReferenceOrdinel(const std::vector<std::string>& lines) {
  std::string output;
  int number = 0;
  for (const std::string& line : lines) {
    output += IsDescription(line) ? ">" + std::to_string(++number) : line;
    output += "\r\n";
  }
  return output;
}

struct LenmarkRecord {
  std::string description;
  std::string text;
  std::int64_t length = 0;
};

std::vector<LenmarkRecord> ReferenceLenmarkRecords(const std::vector<std::string>& lines) {
  std::vector<LenmarkRecord> records;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsDescription(lines[i])) continue;
    LenmarkRecord record{lines[i], {}, 0};
    bool first = true;
    for (std::size_t j = i + 1; j < lines.size() && !IsDescription(lines[j]); ++j) {
      if (IsBlank(lines[j])) continue;
      if (!first) record.text += '\n';
      first = false;
      record.text += lines[j];
      record.length += static_cast<std::int64_t>(lines[j].size());
    }
    records.push_back(std::move(record));
  }
  return records;
}

std::string ReferenceLenmark(const std::vector<LenmarkRecord>& records, char comparison, std::int64_t threshold) {
  std::string output;
  for (const LenmarkRecord& record : records) {
    const bool passes = comparison == '<'   ? record.length < threshold
                        : comparison == '=' ? record.length == threshold
                                            : record.length > threshold;
    if (passes) output += record.description + "\r\n" + record.text + "\r\n";
  }
  return output;
}

std::string ReferenceListrel(const std::vector<std::string>& lines, const std::vector<std::int32_t>& listed,
                             bool extract) {
  std::string output;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsDescription(lines[i])) continue;
    const std::int32_t number = ParseInteger(std::string_view(lines[i]).substr(1, 20));
    std::string text;
    for (std::size_t j = i + 1; j < lines.size() && !IsDescription(lines[j]); ++j) {
      if (j > i + 1) text += '\n';
      text += lines[j];
      if (IsBlank(lines[j])) break;
    }
    if ((std::count(listed.begin(), listed.end(), number) > 0) == extract) {
      output += '>';
      output += std::to_string(number);
      output += "\r\n" + text + "\r\n";
    }
  }
  return output;
}

// Mostly plain sequence lines, with numbered description lines in the forms
// that a record number takes, blank lines, lone and paired CRs, ">" inside
// lines, some lines longer than a block, a last line without a break and
// byte 26 now and then.
std::string RandomSource(std::mt19937& random, int numbers) {
  static const std::string kPlain = "ACGTNacgt";
  static const std::string kOdd = "ACGT \t\r>\x01";
  std::string bytes;
  const std::size_t target = 1000 + random() % 200000;
  while (bytes.size() < target) {
    const unsigned kind = random() % 40;
    if (kind < 3) {
      static const char* const kForms[] = {">%d", "\r>%d", ">00%d", "> %d", ">+%d"};
      char description[32];
      std::snprintf(description, sizeof description, kForms[random() % 5],
                    static_cast<int>(random() % numbers));
      bytes += description;
    } else if (kind == 3) {
      bytes += std::string(70000 + random() % 5000, "GCAT"[random() % 4]);
    } else if (kind == 4) {
      bytes += std::string(random() % 3, " \r"[random() % 2]);
    } else {
      // Led by a letter, so that only the descriptions above are numbered.
      bytes += kPlain[random() % kPlain.size()];
      const std::size_t length = random() % 150;
      const bool plain = random() % 8 != 0;
      for (std::size_t i = 0; i < length; ++i) {
        bytes += plain ? kPlain[random() % kPlain.size()] : kOdd[random() % kOdd.size()];
      }
    }
    bytes += random() % 4 == 0 ? "\r\n" : "\n";
  }
  if (random() % 3 == 0) bytes.resize(bytes.size() - 1 - random() % 3);  // no break at the end
  if (random() % 10 == 0) bytes += '\x1a' + std::string(">1\nGGGG\n");
  return bytes;
}

// Runs every tool on the source in `folder` and compares its output file;
// Lenmark with every comparison against each threshold, and against the
// lengths of the first and the longest record and their neighbours, where
// a record's fate shows only at its last byte.
void ExpectReferenceOutputs(const TempFolder& folder, const std::string& context,
                            std::vector<std::int64_t> thresholds = {1, 150, 100000}) {
  const std::string source = folder / "in.fa";
  const std::vector<std::string> lines = ReadLines(source);
  std::filesystem::remove_all(folder / "out");
  RecordingHost host(folder / "out");
  RunGuarded(host, [&] { RunOrdinel(host, source); });
  ASSERT_EQ(host.last(), "notice:Done!") << context;
  ASSERT_EQ(ReadBytes(folder / "out/in.fa.Ordinel.fas"), ReferenceOrdinel(lines)) << context;

  const std::vector<LenmarkRecord> records = ReferenceLenmarkRecords(lines);
  if (!records.empty()) {
    const auto longest = std::max_element(records.begin(), records.end(),
                                          [](const auto& a, const auto& b) { return a.length < b.length; });
    for (const std::int64_t length : {records.front().length, longest->length}) {
      thresholds.insert(thresholds.end(), {length - 1, length, length + 1});
    }
  }
  for (const char comparison : {'<', '=', '>'}) {
    for (const std::int64_t threshold : thresholds) {
      RunGuarded(host, [&] { RunLenmark(host, source, std::string(1, comparison), std::to_string(threshold)); });
      const std::string what = context + ", " + comparison + " " + std::to_string(threshold);
      ASSERT_EQ(host.last(), "notice:Done!") << what;
      ASSERT_EQ(ReadBytes(folder / "out/in.fa.Lenmark.fas"), ReferenceLenmark(records, comparison, threshold))
          << what;
    }
  }

  const std::vector<std::int32_t> listed = {0, 2, 3, 5, 8, 13};
  std::string filter;
  for (std::int32_t number : listed) filter += std::to_string(number) + "\n";
  WriteBytes(folder / "filter.txt", filter);
  for (const ListrelCriteria criteria : {ListrelCriteria::kExtract, ListrelCriteria::kExclude}) {
    RunGuarded(host, [&] { RunListrel(host, source, folder / "filter.txt", criteria); });
    ASSERT_EQ(host.last(), "notice:Done!") << context;
    ASSERT_EQ(ReadBytes(folder / "out/in.fa.Listrel.fas"),
              ReferenceListrel(lines, listed, criteria == ListrelCriteria::kExtract))
        << context;
  }
}

TEST(RecordToolsReference, BlockReadingAgreesWithLineByLineReading) {
  std::mt19937 random(20261212);
  TempFolder folder;
  for (int round = 0; round < 40; ++round) {
    WriteBytes(folder / "in.fa", RandomSource(random, 20));
    ExpectReferenceOutputs(folder, "round " + std::to_string(round));
  }
}

// A block ends at every byte of a stretch of breaks, CRs, blanks and
// description starts in turn.
TEST(RecordToolsReference, EveryBlockBoundaryInBreaksAndBlanks) {
  const std::string plain = "GC\r\nAT\r\n\r>1\r\nGG\r\r\n\nCC\rG\nAC\r\n\r\r>2\nTTGC\r";
  const std::string blank = "GC\r\nAT \r\n\r>3\r\nGG\r\r\n\n \tC\rG\nAC\r\n>5\n\nTTGC\r";
  TempFolder folder;
  for (const std::string& snippet : {plain, blank}) {
    for (std::size_t cut = 0; cut <= snippet.size(); ++cut) {
      std::string source = ">8\n";
      while (source.size() + 61 < kBlockSize - cut) source += std::string(60, 'A') + "\n";
      source += std::string(kBlockSize - cut - source.size() - 1, 'C') + "\n";
      source += snippet + "\n>13\nGGCC";
      WriteBytes(folder / "in.fa", source);
      ExpectReferenceOutputs(folder, "block ends " + std::to_string(cut) + " bytes into the snippet");
    }
  }
}

struct LongLineCase {
  const char* name;
  std::string source;
  std::vector<std::int64_t> thresholds;  // besides the lengths of records
};

void PrintTo(const LongLineCase& c, std::ostream* os) { *os << c.name; }

class LongLines : public ::testing::TestWithParam<LongLineCase> {};

// Lines longer than a block are read in pieces: a record's fate may show in
// any piece, a blank start may span a block, and a line may start on a
// block boundary.
TEST_P(LongLines, AgreeWithLineByLineReading) {
  TempFolder folder;
  WriteBytes(folder / "in.fa", GetParam().source);
  ExpectReferenceOutputs(folder, GetParam().name, GetParam().thresholds);
}

std::string LoneCrsEvery(std::size_t step, std::string line) {
  for (std::size_t at = step; at < line.size(); at += step) line[at] = '\r';
  return line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongLines,
    ::testing::Values(
        LongLineCase{"OneLineWithoutBreak", ">8\n" + std::string(200000, 'A'),
                     {kBlockSize - 4, kBlockSize - 3, kBlockSize, 100000}},
        LongLineCase{"CrLfAndLoneCrs",
                     ">3\r\n" + std::string(60, 'T') + "\r\n" + LoneCrsEvery(40000, std::string(150000, 'G')) +
                         "\r\n>5\r\nGG\r\n",
                     {60, kBlockSize, 100000}},
        LongLineCase{"BlankStartAcrossABlock",
                     ">2\n" + LoneCrsEvery(7, std::string(70000, ' ')) + "\tACGT\n>3\nGG\n", {1, kBlockSize}},
        LongLineCase{"BlankLineLongerThanABlock",
                     ">2\nAC\n" + std::string(70000, ' ') + "\nGG\n>3\n\t \nTT\n>5\nC", {2, 3, 4}},
        LongLineCase{"LineStartsOnABlockBoundary",
                     ">2\n" + std::string(kBlockSize - 4, 'A') + "\n" + std::string(100000, 'C') +
                         "\n>3\nG\n",
                     {kBlockSize - 5, kBlockSize - 4, kBlockSize - 3, kBlockSize}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendral

