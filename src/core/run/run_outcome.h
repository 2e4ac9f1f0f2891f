// How a tool run ended, for a front end that tells endings apart (an exit
// status, a record of the run) without reading the messages it was shown.
#pragma once

namespace vendral {

enum class RunOutcome {
  kDone,          // "Done!"
  kMissingInput,  // the notice about a missing input file
  kFailed,        // a failure, shown as the error box shows it
  kCancelled,     // stopped by the host; nothing shown
};

}  // namespace vendral
