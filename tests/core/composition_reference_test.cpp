// The composition run reads whole stretches of a block at once; here it is
// held against the plain reading of the rules, one whole line at a time, on
// random sources whose lines, breaks and blanks fall across every block
// boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/block_size.h"
#include "core/composition.h"
#include "core/line_file.h"
#include "core/scan/description_line.h"
#include "core/value_text.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

std::int64_t TrimmedLength(std::string_view line) {
  const auto first = line.find_first_not_of(std::string_view("\0\x01\x02\x03\x04\x05\x06\x07\x08\t\n\x0b\x0c\r"
                                                             "\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19"
                                                             "\x1a\x1b\x1c\x1d\x1e\x1f ", 33));
  if (first == std::string_view::npos) return 0;
  std::size_t last = line.size();
  while (static_cast<unsigned char>(line[last - 1]) <= ' ') --last;
  return static_cast<std::int64_t>(last - first);
}

// The CSV rows as the rules read: every description line, then its
// sequence lines up to the next description line, one whole line at a time.
std::string ReferenceRows(const std::string& path, std::string_view letters) {
  LineFile source(path);
  source.OpenForReading();
  std::vector<std::string> lines;
  while (!source.AtEnd()) lines.push_back(source.ReadLine());
  std::string rows;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsDescription(lines[i])) continue;
    std::string cell = lines[i];
    std::replace(cell.begin(), cell.end(), ',', '.');
    std::int64_t hits = 0;
    std::int64_t total = 0;
    for (std::size_t j = i + 1; j < lines.size() && !IsDescription(lines[j]); ++j) {
      total += TrimmedLength(lines[j]);
      for (char c : lines[j]) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        hits += letters.find(c) != std::string_view::npos;
      }
    }
    cell += ",,,";
    if (total == 0) {
      cell += "error: ";
    } else {
      AppendPercentageText(cell, hits, total, '.');
    }
    rows += cell + "\r\n";
  }
  return rows;
}

// Lines of sequence letters, descriptions, blanks, lone and paired CRs and
// byte 26 now and then, some lines longer than a block.
std::string RandomSource(std::mt19937& random) {
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

TEST(CompositionReference, BlockReadingAgreesWithLineByLineReading) {
  std::mt19937 random(20261209);
  TempFolder folder;
  for (int round = 0; round < 60; ++round) {
    const std::string source = RandomSource(random);
    WriteBytes(folder / "in.fa", source);
    for (const std::string_view mode : {kGcLetters, kArdentaLetters}) {
      RecordingHost host(folder / "out");
      ToolMode = mode;
      Action1Execute(host, folder / "in.fa", folder / "in.fa");
      const std::string header = mode == kGcLetters ? "Single-line description,,,GC%\r\n"
                                                    : "Single-line description,,,thermostability index\r\n";
      const std::string output = folder / (mode == kGcLetters ? "out/in.fa.GC-Content.csv" : "out/in.fa.Ardenta.csv");
      ASSERT_EQ(ReadBytes(output), header + ReferenceRows(folder / "in.fa", mode)) << "round " << round;
    }
  }
}

// A block ends at every byte of a stretch of breaks, CRs, blanks and
// description starts in turn.
TEST(CompositionReference, EveryBlockBoundaryInBreaksAndBlanks) {
  // Without blanks other than breaks and CRs (lengths follow from counts),
  // and with them (line by line).
  const std::string plain = "GC\r\nAT\r\n\r>b,c\r\nGG\r\r\n\nCC\rG\nAC\r\n\r\r>d\nTTGC\r";
  const std::string blank = "GC\r\nAT \r\n\r>b,c\r\nGG\r\r\n\n \tC\rG\nAC\r\n>d\nTTGC\r";
  TempFolder folder;
  for (const std::string& snippet : {plain, blank})
  for (std::size_t cut = 0; cut <= snippet.size(); ++cut) {
    std::string source = ">a\n";
    while (source.size() + 61 < kBlockSize - cut) source += std::string(60, 'A') + "\n";
    source += std::string(kBlockSize - cut - source.size() - 1, 'C') + "\n";
    source += snippet + "\n>e\nGGCC";
    WriteBytes(folder / "in.fa", source);
    RecordingHost host(folder / "out");
    ToolMode = kGcLetters;
    Action1Execute(host, folder / "in.fa", folder / "in.fa");
    ASSERT_EQ(ReadBytes(folder / "out/in.fa.GC-Content.csv"),
              "Single-line description,,,GC%\r\n" + ReferenceRows(folder / "in.fa", kGcLetters))
        << "block ends " << cut << " bytes before the end of the snippet's start";
  }
}

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
  RecordingHost host(folder / "out");
  ToolMode = kGcLetters;
  Action1Execute(host, folder / "in.fa", folder / "in.fa");
  EXPECT_EQ(ReadBytes(folder / "out/in.fa.GC-Content.csv"),
            "Single-line description,,,GC%\r\n" + ReferenceRows(folder / "in.fa", kGcLetters));
}

}  // namespace
}  // namespace vendral
