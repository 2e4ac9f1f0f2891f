// The runs of one command: each source as a run of its own, one after
// another or up to --jobs of them at the same time, with each source's
// messages shown together and in the order the sources were given.
#pragma once

#include "cli/options.h"

namespace vendral {

// Runs every source of the call; returns the command's exit status.
int RunSources(const Call& call);

}  // namespace vendral
