// Failures that end a tool run. Every one carries the message that the
// user is shown; IoError also carries its numeric code.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "platform/io_error_codes.h"

namespace vendral {

// The plain failure: a message and nothing else. The message is bytes with
// their count: it quotes texts from files, which may hold byte 0, so it is
// handed on as message(), never through the C string of what().
class Failure : public std::exception {
 public:
  explicit Failure(std::string message) : message_(std::move(message)) {}

  const std::string& message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A line file operation that could not do its work.
class IoError : public Failure {
 public:
  explicit IoError(int code);
  // A failure whose message is not the one that follows from the code.
  IoError(int code, std::string message);
  int code() const noexcept { return code_; }
  // The file that the failed operation was on, and whether it was writing
  // it; empty when not known. The first file set stays.
  const std::string& file() const noexcept { return file_; }
  bool writing() const noexcept { return writing_; }
  IoError& SetFile(const std::string& file, bool writing) {
    if (file_.empty()) {
      file_ = file;
      writing_ = writing;
    }
    return *this;
  }

  // The message that belongs to a code.
  static std::string MessageFor(int code);

  // The codes by name: IoError::kNotOpen, IoError::kDiskFull, ...
  using enum platform::IoErrorCode;

 private:
  int code_;
  std::string file_;
  bool writing_ = false;
};

// A text that is not a valid integer.
class ConversionError : public Failure {
 public:
  explicit ConversionError(const std::string& text);
  // Where the text came from, in words ("line 3 of list.txt"); empty for
  // a field's text. The first origin set stays.
  const std::string& origin() const noexcept { return origin_; }
  void SetOrigin(std::string origin) {
    if (origin_.empty()) origin_ = std::move(origin);
  }

 private:
  std::string origin_;
};

}  // namespace vendral
