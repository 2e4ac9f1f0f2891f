// The only place that knows the operating system: files, locks, error
// numbers, folders, the program's own path and the user's decimal symbol.
// File operations return 0 or the program's own I/O error code (see
// io_error_codes.h); the mapping from the system's error numbers lives in
// the implementation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io_error_codes.h"

namespace vendral::platform {

// The native path separator, the one the output folder is made to end with.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// True for the characters after which a file name part begins.
bool IsPathDelimiter(char c);

// Where the file name part of a path begins: just past its last delimiter,
// 0 when it has none.
inline std::size_t FileNameStart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsPathDelimiter(path[i - 1])) return i;
  }
  return 0;
}

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Opens an existing file for reading; other readers may share it, writers
// may not (kSharingViolation either way round).
int OpenFileForReading(const std::string& path, FileHandle& file);

// Creates or empties a file for writing, exclusively. On failure nothing has
// been emptied, and nothing created unless another open holds the file that
// this one created (a run racing for the same new file).
int OpenFileForWriting(const std::string& path, FileHandle& file);

// What a run's output is written through until the run is done: the file
// that has the output's name is held, unchanged, with the writer's sharing
// rule, while a new file beside it takes the bytes.
//
// Holds an existing file for writing without changing it: the refusals of
// OpenFileForWriting (a folder or a read-only file: 5, another open: 32),
// and 2 or 3 when there is no such file.
int HoldFileForReplacing(const std::string& path, FileHandle& file);
// Creates a file that must not exist yet, for writing, exclusively; a name
// that is taken gives kNameTaken.
int CreateNewFile(const std::string& path, FileHandle& file);
// Gives the file at from the name to. With replace, a file of that name is
// replaced in one step, so that the name never stands for no file or half
// a file; without, a taken name gives kNameTaken and nothing changes.
int RenameFile(const std::string& from, const std::string& to, bool replace);
// Whether another open holds the file with the sharing rule.
bool IsHeldByAnother(const std::string& path);

// The names in a folder (without "." and ".."); none when it cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);

// This process's number, and whether a process of a number still runs.
long ProcessId();
bool IsProcessRunning(long id);

// Reads up to size bytes; got is 0 at the end of the input.
int ReadFile(FileHandle file, char* data, std::size_t size, std::size_t& got);

// Writes all size bytes or fails.
int WriteFile(FileHandle file, const char* data, std::size_t size);

int CloseFile(FileHandle file);

// Appends bytes to the end of a file, created when missing, in one write:
// processes that append to the same file at the same time never mix their
// bytes within one call.
int AppendToFile(const std::string& path, std::string_view bytes);

// Cuts a file open for writing to its first size bytes; the next write
// goes on from there.
int CutFile(FileHandle file, std::uint64_t size);

// Standard output as a file to write: neither locked nor emptied, since
// what is already there (an earlier run's output) belongs to the caller.
int OpenStandardOutput(FileHandle& file);

// The name under which standard input opens as a file to read; IsFile is
// true for it while there is a standard input.
std::string StandardInputName();

// Makes the C and C++ standard streams pass their bytes as they are (no LF
// becomes CR LF), so that the messages are the same bytes on every system.
void WriteStandardStreamsAsBytes();

// What shows that another program changed an open file. Only a regular
// file is compared: a pipe or a device has no size to keep.
struct FileStamp {
  bool regular = false;
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;
  bool operator==(const FileStamp&) const = default;
};
int StampOf(FileHandle file, FileStamp& stamp);

// The size of a file as stored, in bytes; 0 when it cannot be found out.
std::uint64_t FileSize(const std::string& path);

// Removes a file. Returns 0 or an error code.
int RemoveFile(const std::string& path);

bool IsFolder(const std::string& path);
// True when path names an existing entry that is not a folder.
bool IsFile(const std::string& path);
// Creates one folder; its parent must exist. Returns 0 or an error code.
int CreateFolder(const std::string& path);
// Whether this user may create files in the folder: the sign of a portable
// copy, as opposed to a program installed for all users.
bool IsWritableFolder(const std::string& path);

// The process's current folder, ending with the path separator.
std::string CurrentFolder();

// The full path of the running program file.
std::string ProgramFilePath();

// Whether standard error goes to a terminal, where a person watches it.
bool StandardErrorIsTerminal();

// The decimal symbol of the user's regional settings; '.' when unknown.
char UserDecimalSymbol();

}  // namespace vendral::platform
