// A text file read or written one line at a time. Reading splits at LF or
// CR LF, drops every other CR and stops at byte 26; writing ends each line
// with CR LF. All other bytes pass unchanged. Every failure is an IoError.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vendral {

class LineFile {
 public:
  // Names longer than this are refused when the file is opened.
  static constexpr std::size_t kMaxNameLength = 259;

  // Setting up touches no file.
  explicit LineFile(std::string name);
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;
  // A line file still open when it goes away (a failed run) is closed,
  // written bytes first; errors at that point are dropped.
  ~LineFile();

  const std::string& name() const { return name_; }
  bool IsOpen() const { return state_ != State::kClosed; }

  void OpenForReading();
  void OpenForWriting();
  bool AtEnd();
  std::string ReadLine();
  // The same, into a string whose storage is reused from line to line.
  void ReadLine(std::string& line);
  void WriteLine(std::string_view text);
  void Close();

 private:
  enum class State { kClosed, kReading, kWriting };

  void RequireReading() const;
  void CloseQuietly() noexcept;
  bool Refill();  // false when the file gives no more bytes
  void Flush();

  std::string name_;
  State state_ = State::kClosed;
  platform::FileHandle file_ = platform::kNoFile;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;  // next unread byte
  std::size_t end_ = 0;    // bytes held (reading) or collected (writing)
  bool at_end_ = false;
};

}  // namespace vendral
