#include "support/recording_host.h"

namespace vendral::testing {

std::string RecordingHost::last() const {
  for (auto it = events.rbegin(); it != events.rend(); ++it) {
    if (it->rfind("notice:", 0) == 0 || it->rfind("failure:", 0) == 0) return *it;
  }
  return {};
}

}  // namespace vendral::testing
