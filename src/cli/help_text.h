// The texts that vendral-cli prints instead of running: its help, written
// from the option and tool tables, and its version.
#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"

namespace vendral {

std::string HelpText();
std::string_view VersionText();

// Listed under the help's "Options:" (and in the manual page's option list)
// rather than in one tool's synopsis: taken by every tool, or by none.
bool ListedUnderOptions(const OptionSpec& option);

}  // namespace vendral
