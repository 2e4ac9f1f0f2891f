// The tools read whole stretches of a block at once; here each is held
// against the plain reading of its rules, one whole line at a time, on
// random sources whose lines, breaks, blanks and description lines fall
// across every block boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/tools/composition.h"
#include "core/tools/lenmark.h"
#include "core/tools/listrel.h"
#include "core/tools/ordinel.h"
#include "core/run/run_frame.h"
#include "support/recording_host.h"
#include "support/reference_lines.h"
#include "support/reference_tools.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::LenmarkRecord;
using testing::ListrelRecord;
using testing::ReadBytes;
using testing::RecordingHost;
using testing::ReferenceCompositionCsv;
using testing::ReferenceLenmark;
using testing::ReferenceLenmarkRecords;
using testing::ReferenceLines;
using testing::ReferenceListrel;
using testing::ReferenceListrelByName;
using testing::ReferenceListrelRecords;
using testing::ReferenceOrdinel;
using testing::ReferenceOrdinelMap;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::size_t kBlock = 64 * 1024;  // the line file's block size

std::vector<std::string> SourceLines(const TempFolder& folder) {
  return ReferenceLines(ReadBytes(folder / "in.fa"));
}

// Runs GC-content and Ardenta on the source in `folder` and compares their
// CSV files; also with skipped letters (a hit letter, a lower-case one, a
// blank and a control character), which take a path of their own.
void ExpectCompositionAsReference(const TempFolder& folder, const std::string& context) {
  const std::vector<std::string> lines = SourceLines(folder);
  for (const std::string_view mode : {kGcLetters, kArdentaLetters}) {
    for (const std::string skipped : {"", "Gn\t\x01"}) {
      RecordingHost host(folder / "out");
      ToolMode = mode;
      if (skipped.empty()) {
        Action1Execute(host, folder / "in.fa", folder / "in.fa");
      } else {
        RunComposition(host, mode, folder / "in.fa", {.skip_letters = skipped});
      }
      const std::string output =
          folder / (mode == kGcLetters ? "out/in.fa.GC-Content.csv" : "out/in.fa.Ardenta.csv");
      ASSERT_EQ(ReadBytes(output), ReferenceCompositionCsv(mode, lines, skipped))
          << context << ", " << mode << ", skipped " << skipped.size();
    }
  }
}

// Runs Ordinel, Lenmark and Listrel on the source in `folder` and compares
// their output files; Lenmark with every comparison against each threshold,
// and against the lengths of the first and the longest record and their
// neighbours, where a record's fate shows only at its last byte.
void ExpectRecordToolsAsReference(const TempFolder& folder, const std::string& context,
                                  std::vector<std::int64_t> thresholds = {1, 150, 100000}) {
  const std::string source = folder / "in.fa";
  const std::vector<std::string> lines = SourceLines(folder);
  std::filesystem::remove_all(folder / "out");
  RecordingHost host(folder / "out");
  RunGuarded(host, [&] { RunOrdinel(host, source); });
  ASSERT_EQ(host.last(), "notice:Done!") << context;
  ASSERT_EQ(ReadBytes(folder / "out/in.fa.Ordinel.fas"), ReferenceOrdinel(lines)) << context;
  // The map takes the old descriptions piece by piece, across blocks.
  std::filesystem::remove(folder / "out/in.fa.Ordinel.fas");
  RunGuarded(host,
             [&] { RunOrdinel(host, source, {.prefix = "n", .start = 98, .map_path = folder / "map"}); });
  ASSERT_EQ(host.last(), "notice:Done!") << context;
  ASSERT_EQ(ReadBytes(folder / "map"), ReferenceOrdinelMap(lines, "n", 98)) << context;
  std::filesystem::remove(folder / "map");

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
  const std::vector<ListrelRecord> numbered = ReferenceListrelRecords(lines);
  for (const ListrelCriteria criteria : {ListrelCriteria::kExtract, ListrelCriteria::kExclude}) {
    RunGuarded(host, [&] { RunListrel(host, source, folder / "filter.txt", criteria); });
    ASSERT_EQ(host.last(), "notice:Done!") << context;
    ASSERT_EQ(ReadBytes(folder / "out/in.fa.Listrel.fas"),
              ReferenceListrel(numbered, listed, criteria == ListrelCriteria::kExtract))
        << context;
  }
  // By name, also in the forms ">005" and ">+3" that are numbers alike.
  const std::vector<std::string> names = {"2", "005", "+3", "13", "7"};
  WriteBytes(folder / "names.txt", "2\r\n005\n\n+3\n13\n7");
  for (const ListrelCriteria criteria : {ListrelCriteria::kExtract, ListrelCriteria::kExclude}) {
    RunGuarded(host, [&] { RunListrel(host, source, folder / "names.txt", criteria, {.by_name = true}); });
    ASSERT_EQ(host.last(), "notice:Done!") << context;
    ASSERT_EQ(ReadBytes(folder / "out/in.fa.Listrel.fas"),
              ReferenceListrelByName(lines, names, criteria == ListrelCriteria::kExtract))
        << context << ", by name";
  }
}

// Lines of sequence letters, descriptions, blanks, lone and paired CRs and
// byte 26 now and then, some lines longer than a block.
std::string RandomCompositionSource(std::mt19937& random) {
  static const std::string kBytes = "ACGTacgtGGCCLVWIKRnx,, \t\r\x01";
  std::string bytes;
  const std::size_t target = 1000 + random() % 200000;
  while (bytes.size() < target) {
    const unsigned kind = random() % 20;
    if (kind == 0) {
      bytes += std::string(random() % 3, '\r') + ">d," + std::to_string(random() % 100);
      // Descriptions of every length, with commas and CRs anywhere.
      for (std::size_t i = random() % 4 == 0 ? random() % 300 : 0; i > 0; --i) bytes += "x,\r a>"[random() % 6];
    } else if (kind == 1) {
      bytes += std::string(70000 + random() % 5000, "GCAT"[random() % 4]);
    } else if (kind == 2) {
      bytes += std::string(random() % 4, ' ');
    } else {
      const std::size_t length = random() % 120;
      const bool plain = random() % 3 != 0;  // most lines hold no blank
      for (std::size_t i = 0; i < length; ++i) bytes += kBytes[random() % (plain ? 16 : kBytes.size())];
    }
    bytes += random() % 4 == 0 ? "\r\n" : "\n";
  }
  if (random() % 10 == 0) bytes += '\x1a' + std::string(">after\nGGGG\n");
  return bytes;
}

// Mostly plain sequence lines, with description lines numbered below 20 in
// the forms that a record number takes, blank lines, lone and paired CRs,
// ">" inside lines, some lines longer than a block, a last line without a
// break and byte 26 now and then.
std::string RandomRecordSource(std::mt19937& random) {
  static const std::string kPlain = "ACGTNacgt";
  static const std::string kOdd = "ACGT \t\r>\x01";
  std::string bytes;
  const std::size_t target = 1000 + random() % 200000;
  while (bytes.size() < target) {
    const unsigned kind = random() % 40;
    if (kind < 3) {
      static const char* const kForms[] = {">%d", "\r>%d", ">00%d", "> %d", ">+%d"};
      char description[32];
      std::snprintf(description, sizeof description, kForms[random() % 5], static_cast<int>(random() % 20));
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

// The tools that share one kind of source: composition sources have commas
// in their descriptions, record sources numbers.
struct ToolFamily {
  const char* name;
  void (*expect_as_reference)(const TempFolder& folder, const std::string& context);
  std::string (*random_source)(std::mt19937& random);
  unsigned seed;
  int rounds;
  // A source's first and last record, and what lies between them where a
  // block ends: one snippet without blanks other than breaks and CRs
  // (lengths follow from counts), one with them (line by line).
  const char* first_record;
  std::vector<std::string> snippets;
  const char* last_record;
};

void PrintTo(const ToolFamily& family, std::ostream* os) { *os << family.name; }

class ToolsReference : public ::testing::TestWithParam<ToolFamily> {};

TEST_P(ToolsReference, BlockReadingAgreesWithLineByLineReading) {
  const ToolFamily& family = GetParam();
  std::mt19937 random(family.seed);
  TempFolder folder;
  for (int round = 0; round < family.rounds; ++round) {
    WriteBytes(folder / "in.fa", family.random_source(random));
    family.expect_as_reference(folder, "round " + std::to_string(round));
  }
}

// A block ends at every byte of a stretch of breaks, CRs, blanks and
// description starts in turn.
TEST_P(ToolsReference, EveryBlockBoundaryInBreaksAndBlanks) {
  const ToolFamily& family = GetParam();
  TempFolder folder;
  for (const std::string& snippet : family.snippets) {
    for (std::size_t cut = 0; cut <= snippet.size(); ++cut) {
      std::string source = family.first_record;
      while (source.size() + 61 < kBlock - cut) source += std::string(60, 'A') + "\n";
      source += std::string(kBlock - cut - source.size() - 1, 'C') + "\n";
      source += snippet + "\n" + family.last_record;
      WriteBytes(folder / "in.fa", source);
      family.expect_as_reference(folder, "block ends " + std::to_string(cut) + " bytes into the snippet");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, ToolsReference,
    ::testing::Values(
        ToolFamily{"Composition", ExpectCompositionAsReference, RandomCompositionSource, 20261209, 60, ">a\n",
                   {"GC\r\nAT\r\n\r>b,c\r\nGG\r\r\n\nCC\rG\nAC\r\n\r\r>d\nTTGC\r",
                    "GC\r\nAT \r\n\r>b,c\r\nGG\r\r\n\n \tC\rG\nAC\r\n>d\nTTGC\r"},
                   ">e\nGGCC"},
        ToolFamily{"RecordTools", [](const TempFolder& folder, const std::string& context) {
                     ExpectRecordToolsAsReference(folder, context);
                   },
                   RandomRecordSource, 20261212, 40, ">8\n",
                   {"GC\r\nAT\r\n\r>1\r\nGG\r\r\n\nCC\rG\nAC\r\n\r\r>2\nTTGC\r",
                    "GC\r\nAT \r\n\r>3\r\nGG\r\r\n\n \tC\rG\nAC\r\n>5\n\nTTGC\r"},
                   ">13\nGGCC"}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs of reads of one length with every share of hits, so that the same
// counts come back and, at 600 characters, hits 256 apart meet; now and
// then a read of another length or with a blank between.
TEST(CompositionReference, ReadsOfOneLength) {
  std::mt19937 random(150);
  std::string source;
  for (int read = 0; read < 4000; ++read) {
    const std::size_t length = read % 500 == 499 ? 1 + random() % 700 : (read / 1000 % 2 == 0 ? 150 : 600);
    const std::size_t hits = random() % (length + 1);
    std::string line(length, 'A');
    for (std::size_t i = 0; i < hits; ++i) line[random() % length] = "GCgc"[random() % 4];
    if (read % 97 == 0) line[length / 2] = ' ';
    source += ">r" + std::to_string(read) + (read % 3 == 0 ? "\r\n" : "\n") + line + "\n";
  }
  TempFolder folder;
  WriteBytes(folder / "in.fa", source);
  ExpectCompositionAsReference(folder, "reads");
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
  ExpectRecordToolsAsReference(folder, GetParam().name, GetParam().thresholds);
}

std::string LoneCrsEvery(std::size_t step, std::string line) {
  for (std::size_t at = step; at < line.size(); at += step) line[at] = '\r';
  return line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongLines,
    ::testing::Values(
        LongLineCase{"OneLineWithoutBreak", ">8\n" + std::string(200000, 'A'), {kBlock - 4, kBlock - 3, kBlock, 100000}},
        LongLineCase{"CrLfAndLoneCrs",
                     ">3\r\n" + std::string(60, 'T') + "\r\n" + LoneCrsEvery(40000, std::string(150000, 'G')) +
                         "\r\n>5\r\nGG\r\n",
                     {60, kBlock, 100000}},
        LongLineCase{"BlankStartAcrossABlock",
                     ">2\n" + LoneCrsEvery(7, std::string(70000, ' ')) + "\tACGT\n>3\nGG\n", {1, kBlock}},
        LongLineCase{"BlankLineLongerThanABlock",
                     ">2\nAC\n" + std::string(70000, ' ') + "\nGG\n>3\n\t \nTT\n>5\nC", {2, 3, 4}},
        LongLineCase{"LineStartsOnABlockBoundary",
                     ">2\n" + std::string(kBlock - 4, 'A') + "\n" + std::string(100000, 'C') + "\n>3\nG\n",
                     {kBlock - 5, kBlock - 4, kBlock - 3, kBlock}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendral
