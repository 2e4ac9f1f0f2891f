#include "core/run/run_frame.h"

#include <algorithm>
#include <utility>

#include "core/run/failure.h"
#include "platform/platform.h"

namespace vendral {

void NormalizeOutputFolder(RunHost& host) {
  const std::string path = host.OutputFolderPath();
  if (path.empty() || path.back() != platform::kPathSeparator) {
    host.SetOutputFolderPath(path + platform::kPathSeparator);
  }
}

void EnsureOutputFolder(RunHost& host) {
  if (host.OutputGoesToStandardOutput()) return;
  const std::string path = host.OutputFolderPath();
  if (platform::IsFolder(path)) return;
  // Another run may have created it since the test above: a folder that is
  // there after a failed creation is all that was asked for.
  if (platform::CreateFolder(path) != 0 && !platform::IsFolder(path)) {
    throw Failure("Cannot create folder:  " + path);
  }
}

bool IsExistingFile(const std::string& path) { return platform::IsFile(path); }

std::string MakeOutputFileName(RunHost& host, std::string_view source, std::string_view tag,
                               std::string_view extension) {
  const std::string_view file_name = source.substr(platform::FileNameStart(source));
  std::string name = host.OutputFolderPath();
  name.append(file_name).append(".").append(tag).append(extension);
  return name;
}

LineFile::Target OutputTarget(RunHost& host) {
  return host.OutputGoesToStandardOutput() ? LineFile::Target::kStandardOutput
                                           : LineFile::Target::kStagedFile;
}

void ReportDone(RunHost& host) { host.ShowDone(kDoneText); }

std::string FailureText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

void ReportFailure(RunHost& host, std::string_view message) {
  host.ShowFailure(FailureText(message));
}

BusyCursor::BusyCursor(RunHost& host) : host_(&host) { host_->SetBusyCursor(); }

BusyCursor::~BusyCursor() {
  if (host_) host_->ClearBusyCursor();
}

void BusyCursor::Clear() {
  if (host_) std::exchange(host_, nullptr)->ClearBusyCursor();
}

std::string ApplicationTitle(std::string_view program_file_path) {
  std::string title(program_file_path.substr(platform::FileNameStart(program_file_path)));
  title = title.substr(0, title.find('.'));
  for (std::size_t i = 1; i < title.size(); ++i) {
    if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
  }
  return title;
}

}  // namespace vendral
