#include "core/run/failure.h"

#include <utility>

namespace vendral {

std::string IoError::MessageFor(int code) {
  switch (code) {
    case kFileNotFound: return "File not found";
    case kInvalidFilename: return "Invalid filename";
    case kTooManyOpenFiles: return "Too many open files";
    case kAccessDenied: return "File access denied";
    case kReadBeyondEndOfFile: return "Read beyond end of file";
    case kDiskWriteError: return "Disk full";
    case kInvalidNumericInput: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

IoError::IoError(int code) : Failure(MessageFor(code)), code_(code) {}

IoError::IoError(int code, std::string message) : Failure(std::move(message)), code_(code) {}

ConversionError::ConversionError(const std::string& text)
    : Failure("'" + text + "' is not a valid integer value") {}

}  // namespace vendral
