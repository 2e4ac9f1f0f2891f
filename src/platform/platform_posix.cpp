#include "platform/platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <climits>
#include <string_view>

#include "platform/io_error_codes.h"

namespace vendral::platform {
namespace {

// Where the system's error numbers without an equivalent go: they keep
// their value, moved out of the range of the program's own codes so that
// they cannot be mistaken for one.
constexpr int kUnmappedErrorBase = 1000;

// The program's I/O error codes for the system's error numbers.
int CodeFor(int error) {
  switch (error) {
    case ENOENT: return kFileNotFound;
    case ENOTDIR: return kInvalidFilename;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kAccessDenied;
    case EWOULDBLOCK:
    case ETXTBSY: return kSharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kDiskFull;
    case ENAMETOOLONG:
    case EILSEQ: return kInvalidName;
    default: return kUnmappedErrorBase + error;
  }
}

// A missing file is "not found" when its folder exists, an invalid name
// when the folder is missing.
int MissingCode(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return kFileNotFound;
  return IsFolder(slash == 0 ? "/" : path.substr(0, slash)) ? kFileNotFound : kInvalidFilename;
}

bool HoldsNul(const std::string& path) {
  return path.find('\0') != std::string::npos;
}

int OpenError(const std::string& path, int error) {
  return error == ENOENT ? MissingCode(path) : CodeFor(error);
}

// Opens a file for writing, creating it when missing, without emptying it,
// so that a file we may not have is left as it is. Another run may create
// the same file at the same moment: one that appears between the two opens
// is opened as it stands, and the lock decides who has it.
int OpenOrCreateUntruncated(const std::string& path) {
  constexpr int kAttempts = 8;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT) return fd;
    const int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (created >= 0 || errno != EEXIST) return created;
  }
  // Someone keeps creating and removing it: that is another program's use.
  errno = EWOULDBLOCK;
  return -1;
}

// Takes the sharing lock on a file just opened; a lock that another open
// holds closes it again.
bool Locked(int fd, int operation) {
  if (::flock(fd, operation | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    return false;
  }
  return true;
}

}  // namespace

bool IsPathDelimiter(char c) { return c == '/'; }

int OpenFileForReading(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return OpenError(path, errno);
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return kAccessDenied;
  }
  // Shared lock: other readers may join, writers are kept out.
  if (!Locked(fd, LOCK_SH)) return kSharingViolation;
  file = fd;
  return 0;
}

int OpenFileForWriting(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  const int fd = OpenOrCreateUntruncated(path);
  if (fd < 0) return OpenError(path, errno);
  // The file stays even when this open created it: whoever holds the lock
  // opened it too and may be writing it, and a path removed now would take
  // that run's output with it.
  if (!Locked(fd, LOCK_EX)) return kSharingViolation;
  // An empty file is left untouched: on ext4 even a truncate to the size
  // the file already has marks it for a forced flush of every written
  // block when it is closed (auto_da_alloc), which made closing a new
  // 300 MB output cost ~100 ms of waiting for the disk.
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
      ::ftruncate(fd, 0) != 0) {
    const int code = CodeFor(errno);
    ::close(fd);
    return code;
  }
  file = fd;
  return 0;
}

int HoldFileForReplacing(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  // Opened for writing, never created nor emptied: the open itself says
  // whether this user may replace the file, and a folder of the name is
  // refused as it is by any writer.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return OpenError(path, errno);
  if (!Locked(fd, LOCK_EX)) return kSharingViolation;
  file = fd;
  return 0;
}

int CreateNewFile(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? kNameTaken : OpenError(path, errno);
  ::flock(fd, LOCK_EX | LOCK_NB);  // nobody else can have a file this new
  file = fd;
  return 0;
}

int RenameFile(const std::string& from, const std::string& to, bool replace) {
  if (HoldsNul(from) || HoldsNul(to)) return kInvalidName;
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : CodeFor(errno);
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno == EEXIST) return kNameTaken;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return CodeFor(errno);
#endif
  // A file system without the exclusive rename: a second name that cannot
  // be taken twice, then the first name goes.
  if (::link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? kNameTaken : CodeFor(errno);
  ::unlink(from.c_str());
  return 0;
}

bool IsHeldByAnother(const std::string& path) {
  if (HoldsNul(path)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = HoldsNul(folder) ? nullptr : ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

long ProcessId() { return static_cast<long>(::getpid()); }

bool IsProcessRunning(long id) {
  // A process of another user answers that it may not be signalled.
  return id > 0 && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
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
    return errno == EIO ? kReadFault : CodeFor(errno);
  }
}

int WriteFile(FileHandle file, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(static_cast<int>(file), data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno == EIO ? kWriteFault : CodeFor(errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int AppendToFile(const std::string& path, std::string_view bytes) {
  if (HoldsNul(path)) return kInvalidName;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return OpenError(path, errno);
  const int written = WriteFile(fd, bytes.data(), bytes.size());
  const int closed = ::close(fd) == 0 ? 0 : CodeFor(errno);
  return written != 0 ? written : closed;
}

int CutFile(FileHandle file, std::uint64_t size) {
  const auto length = static_cast<off_t>(size);
  if (::ftruncate(static_cast<int>(file), length) != 0) return CodeFor(errno);
  return ::lseek(static_cast<int>(file), length, SEEK_SET) < 0 ? CodeFor(errno) : 0;
}

int CloseFile(FileHandle file) {
  return ::close(static_cast<int>(file)) == 0 ? 0 : CodeFor(errno);
}

int OpenStandardOutput(FileHandle& file) {
  const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return CodeFor(errno);
  file = fd;
  return 0;
}

std::string StandardInputName() { return "/dev/stdin"; }

void WriteStandardStreamsAsBytes() {}

int StampOf(FileHandle file, FileStamp& stamp) {
  struct stat info;
  if (::fstat(static_cast<int>(file), &info) != 0) return CodeFor(errno);
  stamp.regular = S_ISREG(info.st_mode);
  stamp.size = stamp.regular ? static_cast<std::uint64_t>(info.st_size) : 0;
  stamp.modified_ns = stamp.regular ? info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec : 0;
  return 0;
}

std::uint64_t FileSize(const std::string& path) {
  struct stat info;
  if (HoldsNul(path) || ::stat(path.c_str(), &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

int RemoveFile(const std::string& path) {
  if (HoldsNul(path)) return kInvalidName;
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
  if (HoldsNul(path)) return kInvalidName;
  return ::mkdir(path.c_str(), 0777) == 0 ? 0 : CodeFor(errno);
}

bool IsWritableFolder(const std::string& path) {
  // access() answers for the real user and knows read-only mounts and ACLs.
  return IsFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
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
