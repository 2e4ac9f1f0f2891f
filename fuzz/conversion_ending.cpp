#include "conversion_ending.h"

#include "core/run/run_frame.h"

namespace vendral::fuzz {

void RequireConversionFailure(std::string_view ending, const std::string& rejected_text) {
  if (rejected_text.find('\0') != std::string::npos) {
    Require(ending.starts_with("failure:"), "the run failed");
    return;
  }
  RequireEqual("how the run ended",
               "failure:" + FailureText("'" + rejected_text + "' is not a valid integer value"), ending);
}

}  // namespace vendral::fuzz
