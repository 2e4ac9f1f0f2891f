// Files that a failing run must leave alone: their bytes and modification
// times, taken before the run and compared after it.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace vendral::testing {

class UntouchedFiles {
 public:
  void Add(const std::string& path);
  // One test failure for every file whose bytes or modification time changed.
  void ExpectUntouched() const;

 private:
  struct Snapshot {
    std::string path;
    std::string bytes;
    timespec modified{};
  };
  static Snapshot Take(const std::string& path);
  std::vector<Snapshot> files_;
};

}  // namespace vendral::testing
