#include "platform/platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/io_error_codes.h"

namespace vendral::platform {
namespace {

static_assert(kFileNotFound == ERROR_FILE_NOT_FOUND && kInvalidFilename == ERROR_PATH_NOT_FOUND &&
              kTooManyOpenFiles == ERROR_TOO_MANY_OPEN_FILES && kAccessDenied == ERROR_ACCESS_DENIED &&
              kWriteFault == ERROR_WRITE_FAULT && kReadFault == ERROR_READ_FAULT &&
              kSharingViolation == ERROR_SHARING_VIOLATION && kDiskFull == ERROR_DISK_FULL &&
              kInvalidName == ERROR_INVALID_NAME);

// The system's error numbers are the program's I/O error codes already;
// only the ones that mean the same for the user are folded together.
int CodeFor(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return kSharingViolation;
    case ERROR_HANDLE_DISK_FULL: return kDiskFull;
    default: return static_cast<int>(error);
  }
}

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

bool HoldsNul(const std::string& path) { return path.find('\0') != std::string::npos; }

// In the device namespace, where no file can have the name; its file name
// part is "stdin", as on other systems.
constexpr char kStandardInputName[] = "\\\\.\\stdin";

bool IsStandardInput(const std::string& path) { return path == kStandardInputName; }

// A handle of the process's own to one of its standard streams, which a
// line file may close as it closes a file.
int DuplicateStandardHandle(DWORD which, FileHandle& file) {
  const HANDLE stream = ::GetStdHandle(which);
  if (stream == nullptr) return kFileNotFound;
  HANDLE copy = INVALID_HANDLE_VALUE;
  if (stream == INVALID_HANDLE_VALUE ||
      !::DuplicateHandle(::GetCurrentProcess(), stream, ::GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
    return CodeFor(::GetLastError());
  }
  file = reinterpret_cast<FileHandle>(copy);
  return 0;
}

}  // namespace

bool IsPathDelimiter(char c) { return c == '\\' || c == ':'; }

int OpenFileForReading(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  if (IsStandardInput(path)) return DuplicateStandardHandle(STD_INPUT_HANDLE, file);
  const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return CodeFor(::GetLastError());
  file = reinterpret_cast<FileHandle>(handle);
  return 0;
}

int OpenFileForWriting(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  // OPEN_ALWAYS and an explicit truncation after the open succeeded: a
  // refused open neither creates nor empties the file.
  const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return CodeFor(::GetLastError());
  if (!::SetEndOfFile(handle) && ::GetFileType(handle) == FILE_TYPE_DISK) {
    const int code = CodeFor(::GetLastError());
    ::CloseHandle(handle);
    return code;
  }
  file = reinterpret_cast<FileHandle>(handle);
  return 0;
}

int HoldFileForReplacing(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  // Readers may share as with any writer; the file may be deleted, which is
  // how a replacement takes its name.
  const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return CodeFor(::GetLastError());
  file = reinterpret_cast<FileHandle>(handle);
  return 0;
}

int CreateNewFile(const std::string& path, FileHandle& file) {
  if (HoldsNul(path)) return kInvalidName;
  const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? kNameTaken : CodeFor(error);
  }
  file = reinterpret_cast<FileHandle>(handle);
  return 0;
}

int RenameFile(const std::string& from, const std::string& to, bool replace) {
  if (HoldsNul(from) || HoldsNul(to)) return kInvalidName;
  if (::MoveFileExA(from.c_str(), to.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) return 0;
  const DWORD error = ::GetLastError();
  return !replace && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? kNameTaken : CodeFor(error);
}

bool IsHeldByAnother(const std::string& path) {
  if (HoldsNul(path)) return false;
  const HANDLE handle =
      ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_SHARING_VIOLATION;
  ::CloseHandle(handle);
  return false;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (HoldsNul(folder)) return names;
  std::string pattern = folder.empty() ? std::string(".\\") : folder;
  if (pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

long ProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

bool IsProcessRunning(long id) {
  if (id <= 0) return false;
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
  // A process that may not be opened runs, but is another user's.
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

int ReadFile(FileHandle file, char* data, std::size_t size, std::size_t& got) {
  DWORD read = 0;
  got = 0;
  const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  if (!::ReadFile(AsHandle(file), data, ask, &read, nullptr)) {
    const DWORD error = ::GetLastError();
    return error == ERROR_BROKEN_PIPE ? 0 : CodeFor(error);  // the writer has gone: end of input
  }
  got = read;
  return 0;
}

int WriteFile(FileHandle file, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(AsHandle(file), data, ask, &written, nullptr)) return CodeFor(::GetLastError());
    if (written == 0) return kDiskFull;
    data += written;
    size -= written;
  }
  return 0;
}

int AppendToFile(const std::string& path, std::string_view bytes) {
  if (HoldsNul(path)) return kInvalidName;
  // With only the right to append, every write goes to the file's end as one.
  const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const HANDLE handle =
      ::CreateFileA(path.c_str(), FILE_APPEND_DATA, sharing, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return CodeFor(::GetLastError());
  const auto file = reinterpret_cast<FileHandle>(handle);
  const int written = WriteFile(file, bytes.data(), bytes.size());
  const int closed = CloseFile(file);
  return written != 0 ? written : closed;
}

int CutFile(FileHandle file, std::uint64_t size) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(size);
  if (!::SetFilePointerEx(AsHandle(file), position, nullptr, FILE_BEGIN) || !::SetEndOfFile(AsHandle(file))) {
    return CodeFor(::GetLastError());
  }
  return 0;
}

int CloseFile(FileHandle file) { return ::CloseHandle(AsHandle(file)) ? 0 : CodeFor(::GetLastError()); }

int OpenStandardOutput(FileHandle& file) { return DuplicateStandardHandle(STD_OUTPUT_HANDLE, file); }

std::string StandardInputName() { return kStandardInputName; }

void WriteStandardStreamsAsBytes() {
  for (FILE* stream : {stdin, stdout, stderr}) ::_setmode(::_fileno(stream), _O_BINARY);
}

int StampOf(FileHandle file, FileStamp& stamp) {
  BY_HANDLE_FILE_INFORMATION info;
  stamp = FileStamp{};
  if (::GetFileType(AsHandle(file)) != FILE_TYPE_DISK) return 0;
  if (!::GetFileInformationByHandle(AsHandle(file), &info)) return CodeFor(::GetLastError());
  stamp.regular = true;
  stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.modified_ns = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
      info.ftLastWriteTime.dwLowDateTime) * 100;
  return 0;
}

std::uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (HoldsNul(path) || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int RemoveFile(const std::string& path) {
  if (HoldsNul(path)) return kInvalidName;
  return ::DeleteFileA(path.c_str()) ? 0 : CodeFor(::GetLastError());
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = HoldsNul(path) ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  if (path.empty() || HoldsNul(path)) return false;
  if (IsStandardInput(path)) {
    const HANDLE stream = ::GetStdHandle(STD_INPUT_HANDLE);
    return stream != nullptr && stream != INVALID_HANDLE_VALUE;
  }
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CreateFolder(const std::string& path) {
  if (HoldsNul(path)) return kInvalidName;
  return ::CreateDirectoryA(path.c_str(), nullptr) ? 0 : CodeFor(::GetLastError());
}

bool IsWritableFolder(const std::string& path) {
  if (!IsFolder(path)) return false;
  // Attributes do not tell what the folder's access rules allow: try it,
  // with a file that the system removes when it is closed.
  std::string probe = path;
  if (probe.back() != '\\' && probe.back() != '/') probe += '\\';
  probe += "vendral-write-test.tmp";
  const HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  // A probe left behind by a crash was made there, so writing is allowed.
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_EXISTS;
  ::CloseHandle(file);
  return true;
}

std::string CurrentFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD n = ::GetCurrentDirectoryA(sizeof buffer, buffer);
  std::string folder = n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string(".");
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

std::string ProgramFilePath() {
  char buffer[MAX_PATH + 1];
  const DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

bool StandardErrorIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }

char UserDecimalSymbol() {
  char symbol[8] = {};
  const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, symbol, sizeof symbol);
  return n == 2 ? symbol[0] : '.';
}

}  // namespace vendral::platform
