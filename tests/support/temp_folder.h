// A fresh folder per test, removed afterwards, and whole-file helpers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/native_path.h"

namespace vendral::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending with the path separator.
  const std::string& path() const { return path_; }
  // A path inside the folder; name's "/" become the system's separator.
  std::string operator/(const std::string& name) const { return path_ + Native(name); }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace vendral::testing
