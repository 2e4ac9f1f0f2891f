// What the command line adds after a failure's message, which stays as the
// window's box shows it: the file an I/O error concerns and what its number
// means, or where a text that is no integer came from.
#pragma once

#include <string>

#include "core/run/failure.h"

namespace vendral {

// The line to print after "vendral-cli: "; empty when there is nothing to add.
std::string FailureExplanation(const Failure& failure);

}  // namespace vendral
