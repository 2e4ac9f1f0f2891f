// How a run ends that a text ParseInteger rejects has stopped.
#pragma once

#include <string>
#include <string_view>

#include "fuzz_check.h"

namespace vendral::fuzz {

// Requires ending to be the error box for the rejected text. The message
// travels as a C string, so only a text without byte 0 can be compared
// whole; for the others it is enough that the run failed.
void RequireConversionFailure(std::string_view ending, const std::string& rejected_text);

}  // namespace vendral::fuzz
