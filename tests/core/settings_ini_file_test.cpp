#include "core/settings/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/run/failure.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(IniFileTest, ReadingAMissingFileGivesDefaultsAndCreatesNothing) {
  TempFolder folder;
  IniFile ini(folder / "NONE.INI");
  EXPECT_EQ(ini.ReadString("Form1", "Edit5", "designed"), "designed");
  EXPECT_EQ(ini.ReadInteger("Form1", "Value", 17), 17);
  EXPECT_TRUE(ini.ReadBool("Form1", "Checked", true));
  ini.Close();
  EXPECT_FALSE(fs::exists(folder / "NONE.INI"));
}

TEST(IniFileTest, FirstWriteCreatesFileWithCrLfLines) {
  TempFolder folder;
  IniFile ini(folder / "NEW.INI");
  ini.WriteString("Form1", "Edit5", "D:\\data\\genes.fa");
  ini.WriteInteger("Form1", "Count", -42);
  ini.WriteBool("Form1", "Action1", false);
  ini.WriteBool("Form1", "Action2", true);
  ini.Close();
  EXPECT_EQ(ReadBytes(folder / "NEW.INI"),
            "[Form1]\r\nEdit5=D:\\data\\genes.fa\r\nCount=-42\r\nAction1=0\r\nAction2=1\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
      << "no temporary file is left beside the file";
}

TEST(IniFileTest, EditingKeepsOtherLinesAndPlacesNewOnes) {
  TempFolder folder;
  const std::string path = folder / "EDIT.INI";
  WriteBytes(path,
             "; kept comment\r\n[other]\r\nEdit5=elsewhere\r\n\r\n[FORM1]\r\nedit5 =old\r\n"
             "Keep=me\r\n\r\n[Tail]\r\nZ=9");
  IniFile ini(path);
  ini.WriteString("Form1", "Edit5", "new");
  ini.WriteString("form1", "Edit9", "added");
  ini.WriteString("New", "K", "v");
  EXPECT_EQ(ReadBytes(path),
            "; kept comment\r\n[other]\r\nEdit5=elsewhere\r\n\r\n[FORM1]\r\nedit5 =new\r\n"
            "Keep=me\r\nEdit9=added\r\n\r\n[Tail]\r\nZ=9\r\n\r\n[New]\r\nK=v\r\n");
  EXPECT_EQ(ini.ReadString("FORM1", "EDIT5", ""), "new");
  EXPECT_EQ(ini.ReadString("other", "edit5", ""), "elsewhere");
}

TEST(IniFileTest, AddedLinesFollowTheFilesLineEnds) {
  TempFolder folder;
  const std::string path = folder / "LF.INI";
  WriteBytes(path, "[Form1]\nA=1\n");
  IniFile ini(path);
  ini.WriteString("Form1", "B", "2");
  ini.WriteString("Other", "C", "3");
  EXPECT_EQ(ReadBytes(path), "[Form1]\nA=1\nB=2\n\n[Other]\nC=3\n");
}

// Every shape of line end an existing file may have: a lone CR ends a line
// as CR LF and LF do, so a stored value comes back as it was written, added
// lines follow the file's first line end, and rewriting the same values
// leaves the file as it was.
TEST(IniFileTest, EveryLineEndShapeReadsAndRewritesConsistently) {
  struct Case {
    const char* name;
    std::string existing;
    std::string kept;   // Keep's value before and after the writes
    std::string after;  // the file once Edit5 and Edit6 are written
  };
  const Case cases[] = {
      {"CR LF", "[Form1]\r\nKeep=/data/keep.fa\r\n", "/data/keep.fa",
       "[Form1]\r\nKeep=/data/keep.fa\r\nEdit5=a.fa\r\nEdit6=/data/new.fa\r\n"},
      {"LF, no end on the last line", "[Form1]\nKeep=/data/keep.fa", "/data/keep.fa",
       "[Form1]\nKeep=/data/keep.fa\nEdit5=a.fa\nEdit6=/data/new.fa\n"},
      {"lone CR at the end", "[Form1]\r\nKeep=/data/keep.fa\r", "/data/keep.fa",
       "[Form1]\r\nKeep=/data/keep.fa\rEdit5=a.fa\r\nEdit6=/data/new.fa\r\n"},
      {"CR only", "[Form1]\rKeep=/data/keep.fa\r", "/data/keep.fa",
       "[Form1]\rKeep=/data/keep.fa\rEdit5=a.fa\rEdit6=/data/new.fa\r"},
      {"CR only, no end on the last line", "[Form1]\rKeep=/data/keep.fa", "/data/keep.fa",
       "[Form1]\rKeep=/data/keep.fa\rEdit5=a.fa\rEdit6=/data/new.fa\r"},
      {"LF CR and CR CR LF", "[Form1]\n\rKeep=/data/keep.fa\r\r\n", "/data/keep.fa",
       "[Form1]\n\rKeep=/data/keep.fa\rEdit5=a.fa\nEdit6=/data/new.fa\n\r\n"},
      {"old values, CR only", "[Form1]\rEdit5=old\rEdit6=older\rKeep=/data/keep.fa\r",
       "/data/keep.fa", "[Form1]\rEdit5=a.fa\rEdit6=/data/new.fa\rKeep=/data/keep.fa\r"},
      {"other section, lone CR at the end", "[Other]\r\nKeep=elsewhere\r", "",
       "[Other]\r\nKeep=elsewhere\r\r\n[Form1]\r\nEdit5=a.fa\r\nEdit6=/data/new.fa\r\n"},
      {"a lone CR", "\r", "", "\r[Form1]\rEdit5=a.fa\rEdit6=/data/new.fa\r"},
      {"empty", "", "", "[Form1]\r\nEdit5=a.fa\r\nEdit6=/data/new.fa\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder / "SHAPE.INI";
    WriteBytes(path, c.existing);
    EXPECT_EQ(IniFile(path).ReadString("Form1", "Keep", ""), c.kept);

    // Three closes of the program, each writing the same values.
    for (int close = 0; close < 3; ++close) {
      IniFile writer(path);
      writer.WriteString("Form1", "Edit5", "a.fa");
      writer.WriteString("Form1", "Edit6", "/data/new.fa");
      writer.Close();
      EXPECT_EQ(ReadBytes(path), c.after) << "close " << close;
    }
    IniFile reader(path);
    EXPECT_EQ(reader.ReadString("Form1", "Edit5", "missing"), "a.fa");
    EXPECT_EQ(reader.ReadString("Form1", "Edit6", "missing"), "/data/new.fa");
    EXPECT_EQ(reader.ReadString("Form1", "Keep", ""), c.kept);
  }
}

// Files pieced together from the bytes that give a profile file its
// structure: whatever was there, written values read back, and writing
// them again changes nothing.
TEST(IniFileTest, WrittenValuesReadBackFromAnyExistingFile) {
  using namespace std::string_view_literals;
  const std::string_view pieces[] = {"[Form1]", "[form1", "[Other]", "Edit5=", " edit6 =", "x",
                                     ";",       "=",      " ",       "[",      "]",        "\r",
                                     "\n",      "\r\n",   "\x1a",    "\0"sv};
  std::mt19937 random(8);
  TempFolder folder;
  const std::string path = folder / "ANY.INI";
  for (int round = 0; round < 200; ++round) {
    std::string existing;
    for (int count = static_cast<int>(random() % 12); count > 0; --count) {
      existing += pieces[random() % std::size(pieces)];
    }
    SCOPED_TRACE(::testing::PrintToString(existing));
    WriteBytes(path, existing);
    auto write_both = [&](std::string_view edit5) {
      IniFile writer(path);
      writer.WriteString("Form1", "Edit5", edit5);
      writer.WriteString("Form1", "Edit6", " /data/new.fa ");
    };
    write_both("a.fa");
    const std::string written = ReadBytes(path);
    write_both("a.fa");
    EXPECT_EQ(ReadBytes(path), written) << "the same values again change nothing";
    write_both("b.fa");
    IniFile reader(path);
    EXPECT_EQ(reader.ReadString("form1", "EDIT5", "missing"), "b.fa");
    EXPECT_EQ(reader.ReadString("Form1", "Edit6", "missing"), " /data/new.fa ");
    if (HasFailure()) break;
  }
}

TEST(IniFileTest, ValuesReadBackVerbatimAndCutAt2047Characters) {
  TempFolder folder;
  IniFile ini(folder / "V.INI");
  const std::string long_value(3000, 'x');
  ini.WriteString("S", "spaced", "  a = b ; c  ");
  ini.WriteString("S", "long", long_value);
  ini.WriteString("S", "empty", "");
  ini.Close();
  EXPECT_EQ(ini.ReadString("S", "spaced", ""), "  a = b ; c  ");
  EXPECT_EQ(ini.ReadString("S", "long", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.ReadString("S", "empty", "default"), "");
  EXPECT_EQ(ini.ReadString("S", "missing", long_value), long_value) << "a default is not cut";
}

TEST(IniFileTest, ValueKeepsOnlyItsFirstLine) {
  TempFolder folder;
  const std::string path = folder / "B.INI";
  IniFile ini(path);
  ini.WriteString("S", "K", "first\r\n[Injected]\r\nX=1");
  EXPECT_EQ(ReadBytes(path), "[S]\r\nK=first\r\n");
}

TEST(IniFileTest, ReadsIntegersAndBooleans) {
  TempFolder folder;
  const std::string path = folder / "N.INI";
  struct Case {
    const char* stored;
    std::int32_t integer;  // with default 99
    bool boolean;          // with default true
  };
  const Case cases[] = {
      {"12", 12, true},         {"-7", -7, true},          {"+3", 3, true},
      {"0", 0, false},          {"0x1F", 31, true},        {"0XfF", 255, true},
      {"0xFFFFFFFF", -1, true}, {" 5 ", 5, true},          {"abc", 99, true},
      {"", 99, true},           {"12abc", 99, true},       {"+-5", 99, true},
      {"0x", 99, true},         {"99999999999", 99, true}, {"0x100000000", 99, true},
  };
  std::string contents = "[S]\r\n";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    contents += "k" + std::to_string(i) + "=" + cases[i].stored + "\r\n";
  }
  WriteBytes(path, contents);
  IniFile ini(path);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string key = "K" + std::to_string(i);
    EXPECT_EQ(ini.ReadInteger("s", key, 99), cases[i].integer) << cases[i].stored;
    EXPECT_EQ(ini.ReadBool("s", key, true), cases[i].boolean) << cases[i].stored;
  }
  EXPECT_FALSE(ini.ReadBool("s", "missing", false));
}

TEST(IniFileTest, FailedWriteNamesTheFileAndKeepsTheOldOne) {
  TempFolder folder;
  // A folder that does not exist.
  IniFile missing_folder(folder / "absent/X.INI");
  try {
    missing_folder.WriteString("S", "K", "v");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), ("Unable to write to " + (folder / "absent/X.INI")).c_str());
  }

  // The file name is a folder's.
  fs::create_directory(folder / "DIR.INI");
  EXPECT_THROW(IniFile(folder / "DIR.INI").WriteString("S", "K", "v"), Failure);
  EXPECT_TRUE(fs::is_directory(folder / "DIR.INI"));

  // An existing file whose replacement cannot be created beside it: the
  // file name is as long as a name may be, the new file's name longer.
  const std::string longest = folder / (std::string(251, 'L') + ".INI");
  WriteBytes(longest, "[S]\r\nK=old\r\n");
  IniFile ini(longest);
  EXPECT_THROW(ini.WriteString("S", "K", "new"), Failure);
  EXPECT_EQ(ReadBytes(longest), "[S]\r\nK=old\r\n");
  EXPECT_EQ(ini.ReadString("S", "K", ""), "old") << "a failed write changes nothing";
}

TEST(IniFileTest, WritesThroughASymbolicLinkToItsTarget) {
#ifdef _WIN32
  GTEST_SKIP() << "making a symbolic link takes a privilege on Windows";
#endif
  TempFolder folder;
  WriteBytes(folder / "REAL.INI", "[S]\r\nK=old\r\n");
  fs::create_symlink(folder / "REAL.INI", folder / "LINK.INI");
  IniFile(folder / "LINK.INI").WriteString("S", "K", "new");
  EXPECT_TRUE(fs::is_symlink(folder / "LINK.INI"));
  EXPECT_EQ(ReadBytes(folder / "REAL.INI"), "[S]\r\nK=new\r\n");
}

}  // namespace
}  // namespace vendral
