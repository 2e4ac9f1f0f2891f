// An output folder that may not be written: every tool ends with "File
// access denied" before it creates anything, a new folder inside it cannot
// be made, and the settings file there cannot be saved; nothing is harmed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "core/run/failure.h"
#include "core/settings/ini_file.h"
#include "fault_scene.h"
#include "small_file_system.h"

namespace vendral::testing {
namespace {

namespace fs = std::filesystem;

// Root writes through the permission bits, so for root the folder is a
// file system mounted read-only; for others a folder without write rights.
class ReadOnlyFolder {
 public:
  ReadOnlyFolder() {
    if (::geteuid() == 0) {
      disk_ = std::make_unique<SmallFileSystem>(64 * 1024);
      path_ = disk_->path();
      why_not_ = disk_->why_not();
    } else {
      path_ = parent_ / "read-only/";
      fs::create_directory(path_);
    }
  }
  ~ReadOnlyFolder() {
    if (!disk_) ::chmod(path_.c_str(), 0755);  // so that it can be removed
  }

  // False when the folder cannot be made read-only; why_not() says why.
  bool usable() const { return why_not_.empty(); }
  const std::string& why_not() const { return why_not_; }
  const std::string& path() const { return path_; }

  // Takes the write rights away, once the files that must stay are in it.
  void Seal() {
    if (disk_ ? !disk_->MakeReadOnly() : ::chmod(path_.c_str(), 0555) != 0) why_not_ = "cannot make it read-only";
  }

 private:
  TempFolder parent_;
  std::unique_ptr<SmallFileSystem> disk_;
  std::string path_;
  std::string why_not_;
};

class ReadOnlyOutputFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!folder_.usable()) GTEST_SKIP() << "no read-only folder: " << folder_.why_not();
    scene_ = std::make_unique<FaultScene>(MultiFasta(5, 30), folder_.path());
    folder_.Seal();
    if (!folder_.usable()) GTEST_SKIP() << "no read-only folder: " << folder_.why_not();
  }

  ReadOnlyFolder folder_;
  std::unique_ptr<FaultScene> scene_;
};

TEST_F(ReadOnlyOutputFolder, EveryToolEndsWithFileAccessDenied) {
  for (const ToolCall& tool : FiveTools()) {
    SCOPED_TRACE(tool.name);
    const CliResult result = scene_->Run(tool, folder_.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(MessageLine(result.err), FailureLine("File access denied"));
    // The line after it names the output and its folder.
    EXPECT_EQ(result.err.find("vendral-cli: " + scene_->OutputOf(tool) + " cannot be written: the folder "),
              MessageLine(result.err).size())
        << result.err;
    EXPECT_FALSE(fs::exists(scene_->OutputOf(tool)));
  }
  scene_->ExpectUntouched();
}

TEST_F(ReadOnlyOutputFolder, ANewFolderInsideCannotBeCreated) {
  const std::string inside = folder_.path() + "new";
  const CliResult result = scene_->Run(FiveTools().front(), inside);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(MessageLine(result.err), FailureLine("Cannot create folder:  " + inside + "/"));
  EXPECT_FALSE(fs::exists(inside));
  scene_->ExpectUntouched();
}

TEST_F(ReadOnlyOutputFolder, SavingTheSettingsFailsAndKeepsTheFile) {
  IniFile settings(scene_->settings());
  try {
    settings.WriteString("Form1", "Edit6", "/data/another.fa");
    ADD_FAILURE() << "the settings were written into a read-only folder";
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()), "Unable to write to " + scene_->settings());
  }
  EXPECT_EQ(settings.ReadString("Form1", "Edit6", ""), "/data/keep.fa");
  scene_->ExpectUntouched();
}

}  // namespace
}  // namespace vendral::testing
