#include "platform/platform.h"

#include <fcntl.h>
#include <langinfo.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <climits>
#include <string_view>

namespace vendral::platform {
namespace {

// The program's I/O error codes for the system's error numbers. Numbers
// without an equivalent keep their value, moved out of the range of the
// program's own codes so that they cannot be mistaken for one.
int CodeFor(int error) {
  switch (error) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case EWOULDBLOCK:
    case ETXTBSY: return 32;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return 112;
    case ENAMETOOLONG:
    case EILSEQ: return 123;
    default: return 1000 + error;
  }
}

// A missing file is 2 when its folder exists, 3 when the folder is missing.
int MissingCode(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return 2;
  return IsFolder(slash == 0 ? "/" : path.substr(0, slash)) ? 2 : 3;
}

bool HoldsNul(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

int OpenError(const std::string& path, int error) {
  return error == ENOENT ? MissingCode(path) : CodeFor(error);
}

}  // namespace

bool IsPathDelimiter(char c) { return c == '/'; }

int OpenFileForReading(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return 123;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return OpenError(path, errno);
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return 5;
  }
  // Shared lock: other readers may join, writers are kept out.
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    return 32;
  }
  file = fd;
  return 0;
}

int OpenFileForWriting(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return 123;
  // Open without truncating, so that a file we may not have is left as it is.
  int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  bool created = false;
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    created = fd >= 0;
  }
  if (fd < 0) return OpenError(path, errno);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    if (created) ::unlink(path.c_str());
    return 32;
  }
  // A file just created is empty already; truncating it anyway would make
  // ext4 write all of it out when it is closed, as it does for a replaced file.
  struct stat info;
  if (!created && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd, 0) != 0) {
    const int code = CodeFor(errno);
    ::close(fd);
    return code;
  }
  file = fd;
  return 0;
}

int ReadFile(FileHandle file, char* data, std::size_t size, std::size_t& got) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(file), data, size);
    if (n >= 0) {
      got = static_cast<std::size_t>(n);
      return 0;
    }
    if (errno == EINTR) continue;
    if (errno == EPIPE || errno == ECONNRESET) {  // the writer has gone: end of input
      got = 0;
      return 0;
    }
    got = 0;
    return errno == EIO ? 30 : CodeFor(errno);
  }
}

int WriteFile(FileHandle file, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(static_cast<int>(file), data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno == EIO ? 29 : CodeFor(errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int CloseFile(FileHandle file) {
  return ::close(static_cast<int>(file)) == 0 ? 0 : CodeFor(errno);
}

std::uint64_t FileSize(const std::string& path) {
  struct stat info;
  if (HoldsNul(path) || ::stat(path.c_str(), &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

int RemoveFile(const std::string& path) {
  if (HoldsNul(path)) return 123;
  return ::unlink(path.c_str()) == 0 ? 0 : CodeFor(errno);
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return !HoldsNul(path) && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat info;
  return !path.empty() && !HoldsNul(path) && ::stat(path.c_str(), &info) == 0 &&
         !S_ISDIR(info.st_mode);
}

int CreateFolder(const std::string& path) {
  if (HoldsNul(path)) return 123;
  return ::mkdir(path.c_str(), 0777) == 0 ? 0 : CodeFor(errno);
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  std::string folder = ::getcwd(buffer, sizeof buffer) ? buffer : ".";
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ProgramFilePath() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

char UserDecimalSymbol() {
  // Ask the user's locale without leaving it switched on for the program.
  locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return '.';
  const char* point = ::nl_langinfo_l(RADIXCHAR, user);
  const char symbol = point && point[0] && !point[1] ? point[0] : '.';
  ::freelocale(user);
  return symbol;
}

}  // namespace vendral::platform
