#include "core/run/run_frame.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "core/run/failure.h"
#include "support/native_path.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::kOtherSeparator;
using testing::Native;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

TEST(NormalizeOutputFolder, AddsOneSeparatorOnlyWhenMissing) {
  const std::string other(1, kOtherSeparator);  // an ordinary character of a name here
  const struct {
    std::string before, after;
    int changes;
  } cases[] = {{"", Native("/"), 1},
               {"out", Native("out/"), 1},
               {Native("/data/out"), Native("/data/out/"), 1},
               {Native("out/"), Native("out/"), 0},
               {Native("/"), Native("/"), 0},
               {"out" + other, "out" + other + platform::kPathSeparator, 1},
#ifdef _WIN32
               {"C:", "C:\\", 1},
#endif
  };
  for (const auto& c : cases) {
    RecordingHost host(c.before);
    NormalizeOutputFolder(host);
    EXPECT_EQ(host.folder(), c.after) << c.before;
    EXPECT_EQ(host.folder_changes, c.changes) << c.before;
  }
}

TEST(EnsureOutputFolder, CreatesOneLevel) {
  TempFolder folder;
  RecordingHost host(folder / "out/");
  EnsureOutputFolder(host);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "out"));
  EnsureOutputFolder(host);  // an existing folder is fine
}

TEST(EnsureOutputFolder, RefusesWhatItCannotCreate) {
  TempFolder folder;
  WriteBytes(folder / "file", "x");
  for (const std::string& path : {folder / "a/b/", folder / "file/", folder / "file/sub/"}) {
    RecordingHost host(path);
    try {
      EnsureOutputFolder(host);
      FAIL() << path;
    } catch (const IoError&) {
      FAIL() << "plain failure expected";
    } catch (const Failure& failure) {
      EXPECT_EQ(std::string(failure.what()), "Cannot create folder:  " + path);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "a"));
}

TEST(IsExistingFile, NamesFilesNotFolders) {
  TempFolder folder;
  WriteBytes(folder / "set1.fa", ">a\n");
  WriteBytes(folder / "old.fa", ">a\n");
  // Dated 1970, as files from some archives are.
  std::filesystem::last_write_time(folder / "old.fa", std::chrono::file_clock::from_sys(std::chrono::sys_seconds{}));
  EXPECT_TRUE(IsExistingFile(folder / "set1.fa"));
  EXPECT_TRUE(IsExistingFile(folder / "old.fa"));
  EXPECT_FALSE(IsExistingFile(folder.path()));
  EXPECT_FALSE(IsExistingFile(folder / "missing.fa"));
  EXPECT_FALSE(IsExistingFile(""));
#ifndef _WIN32  // Windows drops a name's trailing blanks itself
  EXPECT_FALSE(IsExistingFile(folder / "set1.fa "));  // not trimmed
#endif
  // Wildcards are ordinary characters here.
  EXPECT_FALSE(IsExistingFile(folder / "*.fa"));
  EXPECT_FALSE(IsExistingFile(folder / "set?.fa"));
#ifndef _WIN32  // no Windows name may hold a wildcard
  WriteBytes(folder / "*.fa", "literal");
  EXPECT_TRUE(IsExistingFile(folder / "*.fa"));
#endif
}

TEST(MakeOutputFileName, JoinsFolderNameTagAndExtension) {
  RecordingHost host(Native("/out/"));
  const auto name = [&](const std::string& source, const char* tag, const char* extension) {
    return MakeOutputFileName(host, source, tag, extension);
  };
  EXPECT_EQ(name(Native("/data/set1.fa"), "Lenmark", ".fas"), Native("/out/set1.fa.Lenmark.fas"));
  EXPECT_EQ(name(Native("/data/set1.fa"), "GC-Content", ".csv"), Native("/out/set1.fa.GC-Content.csv"));
  EXPECT_EQ(name("set1.fa", "Ordinel", ".fas"), Native("/out/set1.fa.Ordinel.fas"));
  EXPECT_EQ(name("", "Ardenta", ".csv"), Native("/out/.Ardenta.csv"));
  EXPECT_EQ(name(Native("/data/"), "Ardenta", ".csv"), Native("/out/.Ardenta.csv"));
#ifdef _WIN32
  EXPECT_EQ(name("D:set1.fa", "Lenmark", ".fas"), "\\out\\set1.fa.Lenmark.fas");  // a drive's current folder
  EXPECT_EQ(name("D:\\data/set1.fa", "Lenmark", ".fas"), "\\out\\data/set1.fa.Lenmark.fas");
#endif
}

TEST(FailureText, AddsAFullStopAfterCharactersAboveIt) {
  const struct {
    std::string message, shown;
  } cases[] = {{"File not found", "File not found."},
               {"I/O error 103", "I/O error 103."},
               {"Cannot create folder:  /x/y/", "Cannot create folder:  /x/y/."},
               {"'12a' is not a valid integer value", "'12a' is not a valid integer value."},
               {"ends.", "ends."},
               {"ends,", "ends,"},
               {"ends!", "ends!"},
               {"ends ", "ends "},
               {"ends-", "ends-"},
               {"ends/", "ends/."},
               {"\xC3\xA9", "\xC3\xA9."},
               {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(FailureText(c.message), c.shown) << c.message;
}

TEST(RunGuarded, HandsEscapingFailuresToTheErrorBox) {
  RecordingHost host;
  EXPECT_EQ(RunGuarded(host, [&] { ReportDone(host); }), RunOutcome::kDone);
  EXPECT_EQ(host.last(), "notice:Done!");
  EXPECT_EQ(RunGuarded(host, [] { return RunOutcome::kMissingInput; }), RunOutcome::kMissingInput);
  EXPECT_EQ(RunGuarded(host, [] { throw IoError(IoError::kFileNotFound); }), RunOutcome::kFailed);
  EXPECT_EQ(host.last(), "failure:File not found.");
  EXPECT_EQ(RunGuarded(host, [] { throw Failure("plain"); }), RunOutcome::kFailed);
  EXPECT_EQ(host.last(), "failure:plain.");
}

// A message is bytes: one with byte 0 in it reaches the box whole, and the
// full stop follows its real last character.
TEST(RunGuarded, CarriesMessagesWithByte0Whole) {
  const std::string zero(1, '\0');
  const struct {
    std::function<void()> raise;
    std::string shown;
  } cases[] = {
      {[&] { throw Failure("a" + zero + "b"); }, "a" + zero + "b."},
      {[&] { throw Failure("a" + zero); }, "a" + zero},
      {[&] { throw IoError(IoError::kDamagedData, "bad" + zero + "data"); }, "bad" + zero + "data."},
      {[&] { throw ConversionError("1" + zero + "2"); },
       "'1" + zero + "2' is not a valid integer value."},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    EXPECT_EQ(RunGuarded(host, c.raise), RunOutcome::kFailed);
    EXPECT_EQ(host.last(), "failure:" + c.shown);
  }
}

TEST(RunGuarded, ShowsNothingForARunTheUserStopped) {
  RecordingHost host;
  EXPECT_EQ(RunGuarded(host, [] { throw RunCancelled(); }), RunOutcome::kCancelled);
  EXPECT_TRUE(host.events.empty());
}

TEST(BusyCursor, IsClearedOnceWhetherTheRunEndsOrFails) {
  RecordingHost host;
  {
    BusyCursor cursor(host);
    EXPECT_TRUE(host.busy);
    cursor.Clear();
    EXPECT_FALSE(host.busy);
  }
  EXPECT_EQ(host.events, (std::vector<std::string>{"busy", "default"}));
  RunGuarded(host, [&] {
    BusyCursor cursor(host);
    throw Failure("stop");
  });
  EXPECT_FALSE(host.busy);
}

TEST(ApplicationTitle, IsTheProgramNameCutAtItsFirstDot) {
  EXPECT_EQ(ApplicationTitle(Native("/opt/vendral/Vendral")), "Vendral");
  EXPECT_EQ(ApplicationTitle("Vendral.exe"), "Vendral");
  EXPECT_EQ(ApplicationTitle(Native("/x/MY.TOOL.EXE")), "My");
  EXPECT_EQ(ApplicationTitle(Native("/x.y/vENDRAL")), "vendral");
  EXPECT_EQ(ApplicationTitle(".hidden"), "");
}

}  // namespace
}  // namespace vendral
