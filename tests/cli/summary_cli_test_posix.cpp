// POSIX only: names that Windows cannot hold and child processes started
// together; on Windows the summary is appended with FILE_APPEND_DATA.
// --summary: one line of JSON per source run, read back field by field,
// for every ending of a run, and whole when several commands append at once.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/cli_process.h"
#include "support/compressed_samples.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ChildProcess;
using testing::GzipMember;
using testing::ReadBytes;
using testing::RunCli;
using testing::StartGate;
using testing::TempFolder;
using testing::WriteBytes;

// A flat JSON object's fields: strings decoded to UTF-8, numbers as their
// text, null as nullopt. Anything else, or any text after the object,
// fails the test.
using Fields = std::map<std::string, std::optional<std::string>>;

class FlatJsonParser {
 public:
  explicit FlatJsonParser(std::string_view text) : text_(text) {}

  Fields Parse() {
    Fields fields;
    Expect('{');
    do {
      const std::string name = String();
      Expect(':');
      fields[name] = Value();
    } while (Take(','));
    Expect('}');
    EXPECT_EQ(at_, text_.size()) << "text after the object";
    return fields;
  }

 private:
  void SkipSpaces() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }
  bool Take(char c) {
    SkipSpaces();
    if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
    return false;
  }
  void Expect(char c) { EXPECT_TRUE(Take(c)) << "expected " << c << " at " << at_ << " in " << text_; }

  std::optional<std::string> Value() {
    SkipSpaces();
    if (text_.substr(at_, 4) == "null") return at_ += 4, std::nullopt;
    if (at_ < text_.size() && text_[at_] == '"') return String();
    const std::size_t start = at_;
    while (at_ < text_.size() && std::string_view("0123456789.").find(text_[at_]) != std::string_view::npos) ++at_;
    EXPECT_GT(at_, start) << "no value at " << start << " in " << text_;
    return std::string(text_.substr(start, at_ - start));
  }

  std::string String() {
    Expect('"');
    std::string value;
    while (at_ < text_.size() && text_[at_] != '"') {
      const auto c = static_cast<unsigned char>(text_[at_++]);
      EXPECT_GE(c, 0x20) << "raw control character in a string";
      if (c != '\\') {
        value += static_cast<char>(c);
        continue;
      }
      const char escape = text_[at_++];
      if (escape == 'u') {
        AppendUtf8(value, std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16));
        at_ += 4;
      } else {
        const std::string_view from = "\"\\/nrt", to = "\"\\/\n\r\t";
        const std::size_t which = from.find(escape);
        EXPECT_NE(which, std::string_view::npos) << "escape " << escape;
        if (which != std::string_view::npos) value += to[which];
      }
    }
    Expect('"');
    return value;
  }

  static void AppendUtf8(std::string& text, unsigned long code) {
    if (code < 0x80) {
      text += static_cast<char>(code);
    } else if (code < 0x800) {
      text += static_cast<char>(0xC0 | code >> 6);
      text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      text += static_cast<char>(0xE0 | code >> 12);
      text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      text += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

std::vector<Fields> SummaryLines(const std::string& path) {
  std::vector<Fields> lines;
  std::istringstream file(ReadBytes(path));
  for (std::string line; std::getline(file, line);) lines.push_back(FlatJsonParser(line).Parse());
  return lines;
}

const std::vector<std::string> kFieldNames = {"message", "output", "records_read", "records_written",
                                              "seconds", "source", "status", "stored_bytes_read", "tool"};

std::vector<std::string> NamesOf(const Fields& fields) {
  std::vector<std::string> names;
  for (const auto& [name, value] : fields) names.push_back(name);
  return names;
}

struct Expected {
  std::string source;
  std::optional<std::string> output;
  std::string status;
  std::string message;
  std::uint64_t records_read;
  std::uint64_t records_written;
  std::optional<std::uint64_t> stored_bytes_read;  // nullopt: some, up to what the file has
};

void ExpectLine(const Fields& line, const std::string& tool, const Expected& expected, std::uint64_t file_size) {
  SCOPED_TRACE(expected.source);
  EXPECT_EQ(NamesOf(line), kFieldNames);
  EXPECT_EQ(line.at("tool"), tool);
  EXPECT_EQ(line.at("source"), expected.source);
  EXPECT_EQ(line.at("output"), expected.output);
  EXPECT_EQ(line.at("status"), expected.status);
  EXPECT_EQ(line.at("message"), expected.message);
  EXPECT_EQ(line.at("records_read"), std::to_string(expected.records_read));
  EXPECT_EQ(line.at("records_written"), std::to_string(expected.records_written));
  const std::uint64_t bytes_read = std::stoull(line.at("stored_bytes_read").value_or("x"));
  if (expected.stored_bytes_read) {
    EXPECT_EQ(bytes_read, *expected.stored_bytes_read);
  } else {
    EXPECT_GT(bytes_read, 0u);
    EXPECT_LE(bytes_read, file_size);
  }
  EXPECT_GE(std::stod(line.at("seconds").value_or("x")), 0.0);
}

std::uint64_t SizeOf(const TempFolder& folder, const std::string& name) {
  return ReadBytes(folder / name).size();
}

const std::string kFourRecords = ">1\nACGTA\n>2\nGG\n>3\nACGTTT\n\n>4\nA\n";

// Not UTF-8: a lone byte, an overlong form, a surrogate; then a four-byte
// character, a quote, a backslash and a control character, which stay.
const std::string kStrangeName = "s\xff\xc0\x80\xed\xa0\x80\xf0\x9f\x98\x80\"\\\x01.fa";
const std::string kStrangeNameAsRead =
    "s\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xf0\x9f\x98\x80\"\\\x01.fa";

TEST(SummaryCli, EveryEndingOfARunIsOneLineOfItsOwn) {
  TempFolder folder;
  WriteBytes(folder / "plain.fa", kFourRecords);
  WriteBytes(folder / "packed.fa.gz", GzipMember(kFourRecords));
  std::string many;
  for (int i = 0; i < 3000; ++i) many += ">" + std::to_string(i) + "\nACGTACGTACGTACGTACGTACGTTT\n";
  const std::string damaged = GzipMember(many);
  WriteBytes(folder / "damaged.fa.gz", damaged.substr(0, damaged.size() / 2));
  WriteBytes(folder / kStrangeName, kFourRecords);
  const auto result = RunCli(folder.path(), {"lenmark", "plain.fa", "packed.fa.gz", "missing.fa", "damaged.fa.gz",
                                             kStrangeName, "--compare", ">", "--length", "4", "-o", "out", "-j",
                                             "2", "--summary", "runs.jsonl"});
  EXPECT_EQ(result.status, 1) << result.err;
  const auto lines = SummaryLines(folder / "runs.jsonl");
  ASSERT_EQ(lines.size(), 5u);
  const std::uint64_t plain_size = SizeOf(folder, "plain.fa");
  ExpectLine(lines[0], "lenmark",
             {"plain.fa", "out/plain.fa.Lenmark.fas", "done", "Done!", 4, 2, plain_size}, plain_size);
  ExpectLine(lines[1], "lenmark",
             {"packed.fa.gz", "out/packed.fa.gz.Lenmark.fas", "done", "Done!", 4, 2,
              SizeOf(folder, "packed.fa.gz")},
             0);
  ExpectLine(lines[2], "lenmark", {"missing.fa", std::nullopt, "missing", "Define correct file!!!", 0, 0, 0}, 0);
  // A failed run counts what it read and wrote up to the failure.
  const Fields& failed = lines[3];
  const std::uint64_t failed_read = std::stoull(failed.at("records_read").value_or("0"));
  EXPECT_GT(failed_read, 0u);
  EXPECT_LT(failed_read, 3000u);
  ExpectLine(failed, "lenmark",
             {"damaged.fa.gz", std::nullopt, "failed", "Damaged compressed data.", failed_read, failed_read,
              std::nullopt},
             SizeOf(folder, "damaged.fa.gz"));
  ExpectLine(lines[4], "lenmark",
             {kStrangeNameAsRead, "out/" + kStrangeNameAsRead + ".Lenmark.fas", "done", "Done!", 4, 2, plain_size},
             0);
}

// Records written are those the output holds: Listrel takes back what it
// wrote when a later record number is bad, standard output cannot.
TEST(SummaryCli, ListrelCountsWhatItsOutputHolds) {
  TempFolder folder;
  const std::string source = ">1\nAC\n>2\nGG\n>x\nTT\n";
  WriteBytes(folder / "s.fa", source);
  WriteBytes(folder / "list.txt", "1\n2\n");
  const std::string message = "'x' is not a valid integer value.";
  const std::uint64_t size = source.size() + 4;  // the filter, then the source
  RunCli(folder.path(), {"listrel", "s.fa", "--filter", "list.txt", "--extract", "--summary", "a.jsonl"});
  ExpectLine(SummaryLines(folder / "a.jsonl").at(0), "listrel",
             {"s.fa", std::nullopt, "failed", message, 3, 0, std::nullopt}, size + 1);
  const std::string input = source;
  RunCli(folder.path(), {"listrel", "-", "--filter", "list.txt", "--extract", "--stdout", "--summary", "b.jsonl"},
         &input);
  ExpectLine(SummaryLines(folder / "b.jsonl").at(0), "listrel",
             {"-", std::nullopt, "failed", message, 3, 2, size}, 0);
}

TEST(SummaryCli, StandardOutputIsNoOutputFile) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kFourRecords);
  const auto result = RunCli(folder.path(), {"ordinel", "s.fa", "--stdout", "--summary", "runs.jsonl"});
  EXPECT_EQ(result.status, 0) << result.err;
  ExpectLine(SummaryLines(folder / "runs.jsonl").at(0), "ordinel",
             {"s.fa", std::nullopt, "done", "Done!", 4, 4, kFourRecords.size()}, 0);
}

TEST(SummaryCli, ASummaryThatCannotBeWrittenFailsTheCommand) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kFourRecords);
  const auto result = RunCli(folder.path(), {"gc", "s.fa", "--summary", "no/such/folder.jsonl"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Done!\n");
  EXPECT_EQ(result.err, "vendral-cli: --summary no/such/folder.jsonl: Invalid filename.\n");
}

TEST(SummaryCli, CommandsAppendingAtOnceLeaveWholeLines) {
  TempFolder folder;
  constexpr int kCommands = 4;
  constexpr int kSources = 25;
  std::vector<std::string> sources;
  for (int i = 0; i < kSources; ++i) {
    sources.push_back("s" + std::to_string(i) + ".fa");
    WriteBytes(folder / sources.back(), kFourRecords);
  }
  StartGate gate;
  std::vector<ChildProcess> commands;
  for (int k = 0; k < kCommands; ++k) {
    std::vector<std::string> args{"gc", "-j", "2", "-o", "out" + std::to_string(k), "--summary", "all.jsonl"};
    args.insert(args.end(), sources.begin(), sources.end());
    commands.emplace_back(VENDRAL_CLI_PATH, args, folder.path(), folder / "c" + std::to_string(k), &gate);
  }
  gate.Open();
  for (ChildProcess& command : commands) EXPECT_EQ(command.Wait().status, 0);
  const auto lines = SummaryLines(folder / "all.jsonl");
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kCommands * kSources));
  std::map<std::string, int> outputs;
  for (const Fields& line : lines) ++outputs[line.at("output").value_or("")];
  EXPECT_EQ(outputs.size(), lines.size());
}

}  // namespace
}  // namespace vendral
