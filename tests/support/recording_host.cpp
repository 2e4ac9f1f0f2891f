#include "support/recording_host.h"

namespace vendral::testing {

bool RecordingHost::ContinueRun(std::string_view tool, std::string_view source, double fraction_done) {
  progress.push_back({std::string(tool), std::string(source), fraction_done});
  return progress.size() != stop_at_report;
}

std::string RecordingHost::last() const {
  for (auto it = events.rbegin(); it != events.rend(); ++it) {
    if (it->rfind("notice:", 0) == 0 || it->rfind("failure:", 0) == 0) return *it;
  }
  return {};
}

}  // namespace vendral::testing
