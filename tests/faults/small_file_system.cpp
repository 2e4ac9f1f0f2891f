#include "small_file_system.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vendral::testing {

SmallFileSystem::SmallFileSystem(std::size_t bytes) : options_("size=" + std::to_string(bytes)) {
  if (::geteuid() != 0) {
    why_not_ = "mounting a small file system needs root";
    return;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "vendral-fs-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    why_not_ = std::string("mkdtemp: ") + std::strerror(errno);
    return;
  }
  path_ = pattern + "/";
  if (::mount("tmpfs", pattern.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options_.c_str()) != 0) {
    why_not_ = std::string("mount tmpfs: ") + std::strerror(errno);
    ::rmdir(pattern.c_str());
    return;
  }
  mounted_ = true;
}

SmallFileSystem::~SmallFileSystem() {
  if (!mounted_) return;
  ::umount2(path_.c_str(), MNT_DETACH);
  ::rmdir(path_.c_str());
}

bool SmallFileSystem::MakeReadOnly() {
  return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                 options_.c_str()) == 0;
}

}  // namespace vendral::testing
