// The exit statuses of vendral-cli, and how several runs' statuses make one.
#pragma once

#include "core/run/run_outcome.h"

namespace vendral {

enum ExitStatus : int {
  kExitDone = 0,
  kExitFailed = 1,        // a run failed, or what the command printed was lost
  kExitMissingInput = 2,  // an input file is missing
  kExitUsage = 64,        // bad arguments
};

inline int ExitStatusOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kDone: return kExitDone;
    case RunOutcome::kMissingInput: return kExitMissingInput;
    case RunOutcome::kFailed:
    case RunOutcome::kCancelled: break;
  }
  return kExitFailed;
}

// Of several runs' statuses, the one to exit with: a failure before a
// missing input before success.
inline int WorseStatus(int a, int b) {
  const auto rank = [](int status) {
    return status == kExitFailed ? 2 : status == kExitMissingInput ? 1 : 0;
  };
  return rank(a) >= rank(b) ? a : b;
}

}  // namespace vendral
