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

  // The message that belongs to a code.
  static std::string MessageFor(int code);

  // The codes by name: IoError::kNotOpen, IoError::kDiskFull, ...
  using enum platform::IoErrorCode;

 private:
  int code_;
};

// A text that is not a valid integer.
class ConversionError : public Failure {
 public:
  explicit ConversionError(const std::string& text);
};

}  // namespace vendral
