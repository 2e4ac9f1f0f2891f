#include "core/lines/line_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/bytes/block_size.h"
#include "core/run/failure.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct ReadCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

std::vector<std::string> ReadAll(const std::string& path) {
  LineFile file(path);
  file.OpenForReading();
  std::vector<std::string> lines;
  while (!file.AtEnd()) lines.push_back(file.ReadLine());
  file.Close();
  return lines;
}

// The same lines, put together from the pieces a streaming reader gets.
std::vector<std::string> ReadAllInPieces(const std::string& path) {
  LineFile file(path);
  file.OpenForReading();
  std::vector<std::string> lines;
  while (!file.AtEnd()) {
    std::string line;
    bool line_ended = false;
    do {
      const std::string_view piece = file.ReadLinePiece(line_ended);
      EXPECT_TRUE(!piece.empty() || line_ended) << "an empty piece inside a line";
      line += piece;
    } while (!line_ended);
    lines.push_back(line);
  }
  file.Close();
  return lines;
}

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class LineFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LineFileRead, SplitsAsTheLineRulesSay) {
  TempFolder folder;
  WriteBytes(folder / "in", GetParam().bytes);
  EXPECT_EQ(ReadAll(folder / "in"), GetParam().lines);
  EXPECT_EQ(ReadAllInPieces(folder / "in"), GetParam().lines);
}

const std::string kEot(1, '\x1a');

INSTANTIATE_TEST_SUITE_P(
    Cases, LineFileRead,
    ::testing::Values(
        ReadCase{"Empty", "", {}},
        ReadCase{"OnlyCrLf", "\r\n", {""}},
        ReadCase{"CrLfBothEnded", "A\r\nB\r\n", {"A", "B"}},
        ReadCase{"CrLfLastUnended", "A\r\nB", {"A", "B"}},
        ReadCase{"BareLf", "A\nB", {"A", "B"}},
        ReadCase{"LoneCrDropped", "A\rB", {"AB"}},
        ReadCase{"CrCrLf", "A\r\r\nB", {"A", "B"}},
        ReadCase{"TrailingCr", "A\r", {"A"}},
        ReadCase{"LfCrSeparators", "A\n\rB\n\r", {"A", "B", ""}},
        ReadCase{"EotAfterLine", "A\r\n" + kEot + "more\r\ntext", {"A"}},
        ReadCase{"EotInsideLine", "AB" + kEot + "CD", {"AB"}},
        ReadCase{"EotFirst", kEot + "A", {}},
        ReadCase{"EmptyLines", "\n\n\nX", {"", "", "", "X"}},
        ReadCase{"OddBytesKept", std::string("a\0b\t\x7f\x80\xff", 7) + "\n", {std::string("a\0b\t\x7f\x80\xff", 7)}},
        ReadCase{"ByteOrderMarkKept", "\xEF\xBB\xBF>x\r\n", {"\xEF\xBB\xBF>x"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineFile, LongLinesComeBackWhole) {
  TempFolder folder;
  for (const std::size_t length : {127u, 128u, 255u, 100000u, 256u * 1024u, 256u * 1024u + 1u, 700000u}) {
    std::string line;
    for (std::size_t i = 0; i < length; ++i) line += static_cast<char>('A' + i % 26);
    // The CR of the break may sit at the very end of a block.
    WriteBytes(folder / "in", line + "\r\n" + line + "\n" + line);
    EXPECT_EQ(ReadAll(folder / "in"), (std::vector<std::string>{line, line, line})) << length;
    EXPECT_EQ(ReadAllInPieces(folder / "in"), (std::vector<std::string>{line, line, line})) << length;
  }
}

TEST(LineFile, ReadLineAfterTheEndGivesEmptyStrings) {
  TempFolder folder;
  WriteBytes(folder / "in", "A\n");
  LineFile file(folder / "in");
  file.OpenForReading();
  EXPECT_EQ(file.ReadLine(), "A");
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.ReadLine(), "");
  EXPECT_EQ(file.ReadLine(), "");
  EXPECT_TRUE(file.AtEnd());
}

TEST(LineFile, EmptyFileIsAtEndAndReadsEmpty) {
  TempFolder folder;
  WriteBytes(folder / "in", "");
  LineFile file(folder / "in");
  file.OpenForReading();
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.ReadLine(), "");
}

TEST(LineFile, OpeningAgainStartsAtTheFirstLine) {
  TempFolder folder;
  WriteBytes(folder / "in", "one\ntwo\n");
  LineFile file(folder / "in");
  file.OpenForReading();
  EXPECT_EQ(file.ReadLine(), "one");
  EXPECT_EQ(file.ReadLine(), "two");
  EXPECT_TRUE(file.AtEnd());
  file.OpenForReading();
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(file.ReadLine(), "one");
}

// CR LF unless the file is set to end its lines with LF; every way of
// writing a line ends it with the file's break.
TEST(LineFile, WritesItsLineBreakAndLeavesInnerBytes) {
  for (const LineBreaks line_break : {LineBreaks::kCrLf, LineBreaks::kLf}) {
    const std::string eol = line_break == LineBreaks::kCrLf ? "\r\n" : "\n";
    TempFolder folder;
    LineFile file(folder / "out");
    if (line_break == LineBreaks::kLf) file.SetLineBreak(line_break);
    file.OpenForWriting();
    file.WriteLine("");
    file.WriteLine("a\nb");
    file.WriteLine(std::string("c\r\x1a\0d", 5));
    const std::string big(300000, 'G');
    file.WriteLine(big);
    file.WriteLine("end");
    file.WriteRawLines("x\r\ny\n");
    file.WroteLine(std::string_view("room").copy(file.WriteRoom(), 4));
    file.Close();
    EXPECT_EQ(ReadBytes(folder / "out"), eol + "a\nb" + eol + std::string("c\r\x1a\0d", 5) + eol + big + eol + "end" +
                                             eol + "x" + eol + "y" + eol + "room" + eol);
  }
}

TEST(LineFile, WriteAddsNoLineBreak) {
  TempFolder folder;
  LineFile file(folder / "out");
  file.OpenForWriting();
  const std::string big(200000, 'A');
  file.Write(">1");
  file.Write("");
  file.WriteLine(",,,50");
  file.Write(big);
  file.Write("\r\n");
  file.Close();
  EXPECT_EQ(ReadBytes(folder / "out"), ">1,,,50\r\n" + big + "\r\n");
}

// Writes are collected into whole blocks; texts of every size, from a few
// bytes to several blocks, texts stored into the room, and raw lines whose
// breaks become CR LF, come out in order whatever the block boundaries cut.
TEST(LineFile, WritesOfEverySizeComeOutInOrder) {
  std::mt19937 random(20261213);
  TempFolder folder;
  for (int round = 0; round < 20; ++round) {
    LineFile file(folder / "out");
    file.OpenForWriting();
    std::string expected;
    for (int write = 0; write < 40; ++write) {
      const std::size_t size = random() % 4 == 0 ? random() % 200000 : random() % 3000;
      std::string text(size, 'G');
      for (std::size_t i = 0; i < size / 50; ++i) text[random() % size] = "\n\r>"[random() % 3];
      switch (random() % 5) {
        case 0:
          file.Write(text);
          expected += text;
          break;
        case 1:
          file.WriteLine(text);
          expected += text + "\r\n";
          break;
        case 2: {  // stored into the room, with or without a line break
          text.resize(std::min(text.size(), LineFile::kWriteRoom - 2));
          std::copy(text.begin(), text.end(), file.WriteRoom());
          const bool line = random() % 2 == 0;
          line ? file.WroteLine(text.size()) : file.Wrote(text.size());
          expected += line ? text + "\r\n" : text;
          break;
        }
        case 3:
          file.WriteRawLines(text);
          std::erase(text, '\r');
          for (char c : text) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
          break;
        default:  // as the lines of a record text are joined
          file.WriteRawLines(text, MarkedLines::kCopied, LineBreaks::kLf);
          std::erase(text, '\r');
          expected += text;
      }
    }
    file.Close();
    ASSERT_EQ(ReadBytes(folder / "out"), expected) << "round " << round;
  }
}

struct TakeBackCase {
  std::size_t kept;     // written before the mark
  std::size_t dropped;  // written after it, then taken back
};

void PrintTo(const TakeBackCase& c, std::ostream* os) { *os << c.kept << " kept, " << c.dropped << " dropped"; }

class LineFileTakeBack : public ::testing::TestWithParam<TakeBackCase> {};

// Whether the dropped bytes are still in the block or have reached the
// file, and whether the mark lies on a block boundary or not, the file
// holds the kept bytes, and later writes follow them.
TEST_P(LineFileTakeBack, LeavesTheBytesBeforeTheMark) {
  const auto [kept, dropped] = GetParam();
  TempFolder folder;
  LineFile file(folder / "out");
  file.OpenForWriting();
  std::string kept_bytes;
  for (std::size_t i = 0; i < kept; ++i) kept_bytes += static_cast<char>('a' + i % 26);
  file.Write(kept_bytes);
  const std::uint64_t mark = file.WrittenSize();
  EXPECT_EQ(mark, kept);
  file.Write(std::string(dropped, 'X'));
  EXPECT_EQ(file.WrittenSize(), kept + dropped);
  file.TakeBackTo(mark);
  EXPECT_EQ(file.WrittenSize(), kept);
  file.WriteLine("after");
  file.Close();
  EXPECT_EQ(ReadBytes(folder / "out"), kept_bytes + "after\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    MarksAndSizes, LineFileTakeBack,
    ::testing::Values(TakeBackCase{0, 0}, TakeBackCase{0, 10}, TakeBackCase{10, 10},
                      TakeBackCase{10, 3 * kBlockSize}, TakeBackCase{kBlockSize - 1, 1},
                      TakeBackCase{kBlockSize - 1, 2}, TakeBackCase{kBlockSize, 1},
                      TakeBackCase{kBlockSize, kBlockSize}, TakeBackCase{kBlockSize + 5, 2 * kBlockSize + 7},
                      TakeBackCase{3 * kBlockSize + 100, 0}));

// Another program that truncates or rewrites the source during a run is
// not stopped by the advisory lock; the run must not end as if all was read.
TEST(LineFile, ASourceChangedWhileReadFailsOnClose) {
#ifdef _WIN32
  GTEST_SKIP() << "the sharing rule keeps every writer out of a file that a line file reads";
#endif
  TempFolder folder;
  const std::string lines = std::string(300000, 'A') + "\n" + std::string(300000, 'C') + "\n";
  for (const bool truncate : {true, false}) {
    WriteBytes(folder / "in", lines);
    LineFile file(folder / "in");
    file.OpenForReading();
    EXPECT_EQ(file.ReadLine().size(), 300000u);
    if (truncate) {
      std::filesystem::resize_file(folder / "in", 1000);
    } else {  // same size, new content and time
      std::filesystem::last_write_time(folder / "in", std::filesystem::last_write_time(folder / "in") +
                                                          std::chrono::seconds(5));
    }
    while (!file.AtEnd()) file.ReadLine();
    try {
      file.Close();
      ADD_FAILURE() << "no failure, truncate=" << truncate;
    } catch (const IoError& error) {
      EXPECT_EQ(error.code(), IoError::kSourceChanged);
      EXPECT_EQ(std::string(error.what()), "Source changed while it was read");
    }
    EXPECT_FALSE(file.IsOpen());
    file.OpenForReading();  // the failed close released the file
    file.Close();
  }
}

TEST(LineFile, OpenForWritingEmptiesAnExistingFile) {
  TempFolder folder;
  WriteBytes(folder / "out", "old content");
  LineFile file(folder / "out");
  file.OpenForWriting();
  file.Close();
  EXPECT_EQ(ReadBytes(folder / "out"), "");
}

TEST(LineFile, AFileLeftOpenIsWrittenOutWhenItGoesAway) {
  TempFolder folder;
  {
    LineFile file(folder / "out");
    file.OpenForWriting();
    file.WriteLine("kept");
  }
  EXPECT_EQ(ReadBytes(folder / "out"), "kept\r\n");
}

int CodeOf(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const IoError& error) {
    return error.code();
  }
  return 0;
}

TEST(LineFile, UnopenedOperationsRaise103And104AndTouchNothing) {
  TempFolder folder;
  WriteBytes(folder / "existing", "untouched");
  LineFile file(folder / "existing");
  EXPECT_EQ(CodeOf([&] { file.WriteLine("x"); }), 103);
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 103);
  EXPECT_EQ(CodeOf([&] { file.WriteRoom(); }), 103);
  EXPECT_EQ(CodeOf([&] { file.AtEnd(); }), 104);
  EXPECT_EQ(CodeOf([&] { file.ReadLine(); }), 104);
  EXPECT_EQ(ReadBytes(folder / "existing"), "untouched");

  LineFile never(folder / "never");
  EXPECT_EQ(CodeOf([&] { never.WriteLine("x"); }), 103);
  EXPECT_FALSE(std::filesystem::exists(folder / "never"));

  // Reading operations on a file open for writing are just as refused.
  LineFile writing(folder / "w");
  writing.OpenForWriting();
  EXPECT_EQ(CodeOf([&] { writing.ReadLine(); }), 104);
  writing.Close();
  EXPECT_EQ(CodeOf([&] { writing.Close(); }), 103);
}

struct OpenFailure {
  const char* name;
  std::string path;  // relative to the test folder
  bool for_writing;
  int code;
  std::string message;
};

void PrintTo(const OpenFailure& c, std::ostream* os) { *os << c.name; }

class LineFileOpenFailure : public ::testing::TestWithParam<OpenFailure> {};

TEST_P(LineFileOpenFailure, RaisesTheMappedCode) {
  TempFolder folder;
  WriteBytes(folder / "file", "content");
  std::filesystem::create_directory(folder / "dir");
  const auto& param = GetParam();
  const std::string path = param.path[0] == '/' ? param.path : folder / param.path;
  LineFile file(path);
  try {
    param.for_writing ? file.OpenForWriting() : file.OpenForReading();
    FAIL() << "opened " << path;
  } catch (const IoError& error) {
    EXPECT_EQ(error.code(), param.code);
    EXPECT_EQ(std::string(error.what()), param.message);
  }
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadBytes(folder / "file"), "content");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineFileOpenFailure,
    ::testing::Values(
        OpenFailure{"MissingFile", "nothing.fa", false, 2, "File not found"},
        OpenFailure{"MissingFolderReading", "nofolder/x.fa", false, 3, "Invalid filename"},
        OpenFailure{"MissingFolderWriting", "nofolder/x.csv", true, 3, "Invalid filename"},
        OpenFailure{"FileAsFolder", "file/x.csv", true, 3, "Invalid filename"},
        OpenFailure{"FolderWriting", "dir", true, 5, "File access denied"},
        OpenFailure{"FolderReading", "dir", false, 5, "File access denied"},
        OpenFailure{"RefusedCharacter", std::string("a\0b", 3), true, 123, "I/O error 123"},
        OpenFailure{"NameTooLong", std::string(300, 'n'), true, 3, "Invalid filename"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineFile, NameOver259CharactersIsRefusedBeforeTouchingAFile) {
  TempFolder folder;
  std::string name = folder.path();
  name += std::string(LineFile::kMaxNameLength + 1 - name.size(), 'x');
  LineFile file(name);
  EXPECT_EQ(CodeOf([&] { file.OpenForWriting(); }), 3);
  EXPECT_FALSE(std::filesystem::exists(name));
}

TEST(LineFile, FullDiskRaises112) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  LineFile file("/dev/full");
  file.OpenForWriting();
  file.WriteLine("a line that the full device refuses");
  try {
    file.Close();
    FAIL() << "closed without error";
  } catch (const IoError& error) {
    EXPECT_EQ(error.code(), 112);
    EXPECT_EQ(std::string(error.what()), "I/O error 112");
  }
}

TEST(LineFile, SharingRuleBetweenLineFiles) {
  TempFolder folder;
  WriteBytes(folder / "f", "data\n");
  {
    LineFile writer(folder / "f");
    writer.OpenForWriting();
    writer.WriteLine("new");
    LineFile reader(folder / "f");
    EXPECT_EQ(CodeOf([&] { reader.OpenForReading(); }), 32);
    LineFile second_writer(folder / "f");
    EXPECT_EQ(CodeOf([&] { second_writer.OpenForWriting(); }), 32);
    writer.Close();
  }
  EXPECT_EQ(ReadBytes(folder / "f"), "new\r\n");

  LineFile first(folder / "f");
  first.OpenForReading();
  LineFile second(folder / "f");
  second.OpenForReading();  // readers share
  EXPECT_EQ(second.ReadLine(), "new");
  LineFile writer(folder / "f");
  EXPECT_EQ(CodeOf([&] { writer.OpenForWriting(); }), 32);
  // The refused writer neither emptied the file nor disturbed the readers.
  EXPECT_EQ(first.ReadLine(), "new");
  EXPECT_EQ(ReadBytes(folder / "f"), "new\r\n");

  first.Close();
  second.Close();
  writer.OpenForWriting();  // free again once the readers have closed
  writer.Close();
}

TEST(LineFile, RefusedWriterCreatesNoFile) {
  TempFolder folder;
  // The only way a writer is refused a file that does not exist yet is a
  // missing folder; the file must not appear anywhere.
  LineFile file(folder / "missing/out.csv");
  EXPECT_EQ(CodeOf([&] { file.OpenForWriting(); }), 3);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace vendral
