#include "core/run/run_progress.h"

#include <utility>

#include "core/run/run_cancelled.h"
#include "platform/platform.h"

namespace vendral {

RunProgress::RunProgress(RunHost& host, std::string_view tool, std::string source,
                         const std::vector<std::string_view>& readings)
    : host_(host), tool_(tool), source_(std::move(source)) {
  for (const std::string_view path : readings) total_bytes_ += platform::FileSize(std::string(path));
}

void RunProgress::BytesRead(std::uint64_t bytes) {
  record_.stored_bytes_read += bytes;
  if (!host_.ContinueRun(tool_, source_, FractionDone())) throw RunCancelled();
}

double RunProgress::FractionDone() const {
  if (total_bytes_ == 0) return 0;
  // A file that grows during the run would take the share past the end.
  const std::uint64_t bytes_read = record_.stored_bytes_read;
  if (bytes_read >= total_bytes_) return 1;
  return static_cast<double>(bytes_read) / static_cast<double>(total_bytes_);
}

}  // namespace vendral
