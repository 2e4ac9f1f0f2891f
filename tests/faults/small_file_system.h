// A small tmpfs mounted on a fresh folder for the length of a test: a disk
// that fills up, or one that is read-only. Mounting needs root; where it is
// refused, mounted() is false and why_not() says why.
#pragma once

#include <cstddef>
#include <string>

namespace vendral::testing {

class SmallFileSystem {
 public:
  explicit SmallFileSystem(std::size_t bytes);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why_not() const { return why_not_; }
  // The mount point, ending with the path separator.
  const std::string& path() const { return path_; }

  // Remounts it read-only; false when that is refused.
  bool MakeReadOnly();

 private:
  std::string options_;
  std::string path_;
  std::string why_not_;
  bool mounted_ = false;
};

}  // namespace vendral::testing
