#include "cli/failure_explanation.h"

#include <string_view>

#include "platform/platform.h"

namespace vendral {
namespace {

// The folder part of a path, as a user would name it.
std::string FolderOf(const std::string& file) {
  const std::size_t start = platform::FileNameStart(file);
  return start == 0 ? "the current folder" : "the folder " + file.substr(0, start);
}

std::string IoErrorExplanation(const IoError& error) {
  const std::string& file = error.file();
  if (file.empty()) return {};
  const bool writing = error.writing();
  switch (error.code()) {
    case IoError::kNotOpen:
      return file + " exists, and Ordinel never overwrites";
    case IoError::kNameTaken:
      return file + " exists";
    case IoError::kFileNotFound:
      return writing ? FolderOf(file) + " is missing, so " + file + " cannot be written"
                     : file + " is missing";
    case IoError::kInvalidFilename:
      return "a folder on the path of " + file + " is missing, or the name is too long";
    case IoError::kAccessDenied:
      return writing ? file + " cannot be written: " + FolderOf(file) +
                           " may not be written, or the name is a read-only file or a folder"
                     : file + " may not be read";
    case IoError::kSharingViolation:
      return "another program has " + file + " open and forbids this run's use";
    case IoError::kDiskFull:
      return "the disk that holds " + file + " is full";
    case IoError::kWriteFault:
      return "the device failed writing " + file;
    case IoError::kReadFault:
      return "the device failed reading " + file;
    case IoError::kInvalidName:
      return file + " holds a character that no file name may hold";
    case IoError::kSourceChanged:
      return "another program changed " + file + " while it was read";
    case IoError::kTooManyOpenFiles:
      return "too many files are open to open " + file;
    default:
      return {};
  }
}

}  // namespace

std::string FailureExplanation(const Failure& failure) {
  if (const auto* io_error = dynamic_cast<const IoError*>(&failure)) return IoErrorExplanation(*io_error);
  if (const auto* conversion = dynamic_cast<const ConversionError*>(&failure)) {
    if (!conversion->origin().empty()) return "that text is " + conversion->origin();
  }
  return {};
}

}  // namespace vendral
