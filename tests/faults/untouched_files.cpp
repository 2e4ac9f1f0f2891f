#include "untouched_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_folder.h"

namespace vendral::testing {

UntouchedFiles::Snapshot UntouchedFiles::Take(const std::string& path) {
  Snapshot snapshot{path, ReadBytes(path), {}};
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) snapshot.modified = info.st_mtim;
  return snapshot;
}

void UntouchedFiles::Add(const std::string& path) { files_.push_back(Take(path)); }

void UntouchedFiles::ExpectUntouched() const {
  for (const Snapshot& before : files_) {
    struct stat info;
    ASSERT_EQ(::stat(before.path.c_str(), &info), 0) << before.path << " is gone";
    EXPECT_EQ(ReadBytes(before.path), before.bytes) << before.path << " was changed";
    EXPECT_TRUE(info.st_mtim.tv_sec == before.modified.tv_sec && info.st_mtim.tv_nsec == before.modified.tv_nsec)
        << before.path << " was written to";
  }
}

}  // namespace vendral::testing
