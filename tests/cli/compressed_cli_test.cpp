// Every tool on the same records stored plain and compressed: the output is
// the plain run's, byte for byte, under a name made from the source's own;
// damaged data of every format ends the run as a failure, never "Done!".
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/compressed_samples.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::CliResult;
using testing::WriteBytes;

// Numbered records (Listrel needs numbers) with CR LF, blank lines and long
// lines, so that the decompressed bytes cross many blocks.
std::string Records() {
  std::string bytes;
  for (int record = 1; record <= 400; ++record) {
    bytes += ">" + std::to_string(record) + (record % 7 == 0 ? "\r\n" : "\n");
    for (int line = 0; line < record % 5 + 1; ++line) bytes += std::string(60 + record % 13, "ACGTLVWK"[(record + line) % 8]) + "\n";
    if (record % 50 == 0) bytes += std::string(70000, 'G') + "\n\n";
  }
  return bytes;
}

struct Format {
  const char* name;
  std::string (*compress)(const std::string&);
  std::string extension;
};

std::string Halves(std::string (*member)(std::string_view), const std::string& bytes) {
  const std::size_t half = bytes.size() / 2;
  return member(std::string_view(bytes).substr(0, half)) + member(std::string_view(bytes).substr(half));
}

const std::vector<Format>& Formats() {
  static const std::vector<Format> formats = {
      {"gzip", [](const std::string& b) { return testing::GzipMember(b); }, ".gz"},
      {"gzip_members", [](const std::string& b) { return Halves(testing::GzipMember, b); }, ".gz"},
      {"bgzf", [](const std::string& b) { return Halves(testing::BgzfBlock, b) + testing::kBgzfEndOfFile; }, ".gz"},
      {"zstd", [](const std::string& b) { return Halves(testing::ZstdFrame, b); }, ".zst"},
      {"xz", [](const std::string& b) { return testing::XzStream(b); }, ".xz"},
      {"bzip2", [](const std::string& b) { return Halves(testing::Bzip2Stream, b); }, ".bz2"},
  };
  return formats;
}

struct Tool {
  std::vector<std::string> args;  // after the source
  std::string tag;                // tag and extension of the output
};

const std::vector<Tool>& Tools() {
  static const std::vector<Tool> tools = {
      {{"gc"}, "GC-Content.csv"},
      {{"ardenta"}, "Ardenta.csv"},
      {{"lenmark", "--compare", ">", "--length", "200"}, "Lenmark.fas"},
      {{"listrel", "--filter", "list.txt", "--extract"}, "Listrel.fas"},
      {{"ordinel"}, "Ordinel.fas"},
  };
  return tools;
}

CliResult RunTool(const TempFolder& folder, const Tool& tool, const std::string& source, const std::string& out) {
  std::vector<std::string> args{tool.args[0], source};
  args.insert(args.end(), tool.args.begin() + 1, tool.args.end());
  args.insert(args.end(), {"-o", out});
  return RunCli(folder.path(), args);
}

class CompressedCli : public ::testing::TestWithParam<Format> {};

TEST_P(CompressedCli, EveryToolWritesWhatThePlainSourceGives) {
  TempFolder folder;
  const std::string records = Records();
  WriteBytes(folder / "s.fa", records);
  // The filter list is compressed as well.
  WriteBytes(folder / "list.txt", GetParam().compress("7\n350\n1\n400\n"));
  const std::string compressed = "s.fa" + GetParam().extension;
  WriteBytes(folder / compressed, GetParam().compress(records));
  for (const Tool& tool : Tools()) {
    const auto plain = RunTool(folder, tool, "s.fa", "plain");
    ASSERT_EQ(plain.status, 0) << plain.err;
    const auto result = RunTool(folder, tool, compressed, "packed");
    EXPECT_EQ(result.status, 0) << tool.args[0] << ": " << result.err;
    EXPECT_EQ(result.out, "Done!\n");
    EXPECT_EQ(ReadBytes(folder / "packed/" + compressed + "." + tool.tag), ReadBytes(folder / "plain/s.fa." + tool.tag))
        << tool.args[0];
  }
}

TEST_P(CompressedCli, DamagedDataIsAFailure) {
  TempFolder folder;
  const std::string records = Records();
  const std::string whole = GetParam().compress(records);
  WriteBytes(folder / "list.txt", "1\n");
  const std::vector<std::pair<const char*, std::string>> damages = {
      {"cut short", whole.substr(0, whole.size() * 2 / 3)},
      {"cut before its end", whole.substr(0, whole.size() - 3)},
      {"garbage after", whole + "garbage"},
      // Inside the first member's data, not in a header field that no
      // check covers (a gzip member's time stamp).
      {"a byte changed", whole.substr(0, whole.size() / 3) + static_cast<char>(whole[whole.size() / 3] ^ 0x55) +
                             whole.substr(whole.size() / 3 + 1)},
  };
  for (const auto& [what, bytes] : damages) {
    WriteBytes(folder / "d.fa", bytes);
    for (const Tool& tool : Tools()) {
      if (tool.args[0] == "ordinel") std::filesystem::remove(folder / "out/d.fa.Ordinel.fas");
      const auto result = RunTool(folder, tool, "d.fa", "out");
      EXPECT_EQ(result.status, 1) << what << ", " << tool.args[0];
      // A changed byte is found by the member's checksum at its end; what
      // was decoded before it may end Listrel's run first, as any bad
      // record number does. Either way the run fails.
      if (std::string_view(what) != "a byte changed" || tool.args[0] != "listrel") {
        EXPECT_EQ(result.err, "Damaged compressed data.\n") << what << ", " << tool.args[0];
      }
      EXPECT_EQ(result.out, "") << what << ", " << tool.args[0];
    }
  }
}

// A source whose data breaks off inside a long record: the run fails, and
// its output, a file or standard output, ends after the record before that
// one, as when every record was written only once it had been read whole;
// Listrel's is empty unless it reads a pipe, as when it converted every
// record number before it wrote.
struct BreakCase {
  const char* name;
  std::vector<std::string> args;  // "in" is the source, "-" standard input
  std::string output;             // the output file; empty: standard output
  std::string bytes = ">1\r\nAC\r\n";
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class BrokenOffSource : public ::testing::TestWithParam<BreakCase> {};

TEST_P(BrokenOffSource, EndsTheOutputAfterTheRecordBefore) {
  std::mt19937 random(20261214);
  std::string long_record(300000, 'A');
  for (char& c : long_record) c = "ACGT"[random() % 4];
  const std::string whole = testing::GzipMember(">1\nAC\n>2\n" + long_record + "\n>3\nGG\n");
  TempFolder folder;
  WriteBytes(folder / "list.txt", "3\n");
  // Early in the long record, its start still in the output's block; and
  // later, with whole blocks of it gone to the file.
  for (const std::size_t cut : {whole.size() / 10, whole.size() * 6 / 10}) {
    const std::string broken = whole.substr(0, cut);
    WriteBytes(folder / "in", broken);
    std::filesystem::remove_all(folder / "out");
    const bool from_input = GetParam().args[1] == "-";
    const auto result = RunCli(folder.path(), GetParam().args, from_input ? &broken : nullptr);
    EXPECT_EQ(result.status, 1) << cut;
    EXPECT_EQ(result.err, "Damaged compressed data.\n") << cut;
    const std::string output = GetParam().output.empty() ? result.out : ReadBytes(folder / GetParam().output);
    EXPECT_EQ(output, GetParam().bytes) << cut;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, BrokenOffSource,
    ::testing::Values(
        BreakCase{"LenmarkWrittenAsRead", {"lenmark", "in", "--compare", ">", "--length", "1", "-o", "out"},
                  "out/in.Lenmark.fas"},
        BreakCase{"LenmarkHeldUntilItsEnd", {"lenmark", "in", "--compare", "<", "--length", "1000000", "-o", "out"},
                  "out/in.Lenmark.fas"},
        BreakCase{"LenmarkToStandardOutput", {"lenmark", "in", "--compare", ">", "--length", "1", "--stdout"}, ""},
        BreakCase{"ListrelFromStandardInput", {"listrel", "-", "--filter", "list.txt", "--exclude", "--stdout"}, ""},
        BreakCase{"ListrelFromAFile", {"listrel", "in", "--filter", "list.txt", "--exclude", "-o", "out"},
                  "out/in.Listrel.fas", ""},
        BreakCase{"ListrelFromAFileToStandardOutput",
                  {"listrel", "in", "--filter", "list.txt", "--exclude", "--stdout"}, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Formats, CompressedCli, ::testing::ValuesIn(Formats()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompressedCliInput, CompressedStandardInput) {
  TempFolder folder;
  const std::string records = Records();
  WriteBytes(folder / "s.fa", records);
  const auto plain = RunCli(folder.path(), {"gc", "s.fa", "--stdout"});
  const std::string input = testing::ZstdFrame(records);
  const auto result = RunCli(folder.path(), {"gc", "-", "--stdout"}, &input);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, plain.out);
}

}  // namespace
}  // namespace vendral
