// vendral-cli among Windows' own rules: the sharing rule of the system
// against another program's open of the source or the output, and paths
// with drive letters and backslashes.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kSource = ">a\nACGT\n>b\nGG\n";
const std::string kGcOutput = "Single-line description,,,GC%\r\n>a,,,50\r\n>b,,,100\r\n";

// Another program's open of a file, with the access it asks for and the
// sharing it allows the others.
class OpenByAnother {
 public:
  OpenByAnother(const std::string& path, DWORD access)
      : handle_(::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~OpenByAnother() { ::CloseHandle(handle_); }
  OpenByAnother(const OpenByAnother&) = delete;
  OpenByAnother& operator=(const OpenByAnother&) = delete;
  bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

const std::string kOutputHeld =
    "I/O error 32.\nvendral-cli: another program has out\\s.fa.GC-Content.csv open and forbids this run's use\n";
const std::string kSourceHeld = "I/O error 32.\nvendral-cli: another program has s.fa open and forbids this run's use\n";

TEST(WindowsFilesCli, TheSharingRuleIsTheSystems) {
  const struct {
    const char* name;
    bool output_held;  // else the source
    DWORD access;
    int status;
    std::string err;
    std::string output;  // what the output file holds afterwards
  } cases[] = {
      {"output written by another", true, GENERIC_WRITE, 1, kOutputHeld, "before"},
      {"output read by another", true, GENERIC_READ, 1, kOutputHeld, "before"},
      // The output is opened first and keeps its header.
      {"source written by another", false, GENERIC_WRITE, 1, kSourceHeld, "Single-line description,,,GC%\r\n"},
      {"source read by another", false, GENERIC_READ, 0, "", kGcOutput},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "s.fa", kSource);
    CreateDirectoryA((folder / "out").c_str(), nullptr);
    const std::string output = folder / "out/s.fa.GC-Content.csv";
    if (c.output_held) WriteBytes(output, "before");
    const OpenByAnother other(c.output_held ? output : folder / "s.fa", c.access);
    ASSERT_TRUE(other.opened()) << c.name;
    const auto result = RunCli(folder.path(), {"gc", "s.fa", "-o", "out"});
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(result.err, c.err) << c.name;
    EXPECT_EQ(ReadBytes(output), c.output) << c.name;
  }
}

// A name's file part begins after its last backslash or colon.
TEST(WindowsFilesCli, DriveLettersAndBackslashes) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", kSource);
  const std::string drive = folder.path().substr(0, 2);  // "C:"
  const struct {
    std::string source, output_folder, written_into;
  } cases[] = {
      {folder / "s.fa", folder / "full", folder / "full"},  // C:\...\s.fa
      {drive + "s.fa", "relative", folder / "relative"},    // s.fa in drive C:'s current folder, the run's
  };
  for (const auto& c : cases) {
    const auto result = RunCli(folder.path(), {"gc", c.source, "-o", c.output_folder});
    ASSERT_EQ(result.status, 0) << c.source << ": " << result.err;
    EXPECT_EQ(ReadBytes(c.written_into + "\\s.fa.GC-Content.csv"), kGcOutput) << c.source;
  }
}

}  // namespace
}  // namespace vendral
