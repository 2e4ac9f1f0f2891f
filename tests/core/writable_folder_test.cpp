#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vendral {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteBytes;

TEST(IsWritableFolderTest, OnlyAnExistingFolderThatTakesNewFilesCounts) {
  TempFolder folder;
  WriteBytes(folder / "file", "x");
  struct Case {
    std::string path;
    bool writable;
  } cases[] = {
      {folder.path(), true},
      {folder / "missing", false},
      {folder / "file", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::IsWritableFolder(c.path), c.writable) << c.path;
}

TEST(IsWritableFolderTest, AFolderWithoutWritePermissionIsNot) {
#ifdef _WIN32
  GTEST_SKIP() << "a folder's read-only attribute does not keep new files out on Windows";
#else
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
#endif
  TempFolder folder;
  fs::create_directory(folder / "locked");
  fs::permissions(folder / "locked", fs::perms::owner_write | fs::perms::group_write |
                                         fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(platform::IsWritableFolder(folder / "locked"));
  fs::permissions(folder / "locked", fs::perms::owner_write, fs::perm_options::add);
  EXPECT_TRUE(platform::IsWritableFolder(folder / "locked"));
}

}  // namespace
}  // namespace vendral
