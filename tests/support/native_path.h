// Paths in tests written with "/" and spelled with the system's separator,
// so that one table of cases holds on every system.
#pragma once

#include <algorithm>
#include <string>

#include "platform/platform.h"

namespace vendral::testing {

inline std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', platform::kPathSeparator);
  return path;
}

// The separator that is an ordinary character of a name here.
#ifdef _WIN32
inline constexpr char kOtherSeparator = '/';
#else
inline constexpr char kOtherSeparator = '\\';
#endif

}  // namespace vendral::testing
