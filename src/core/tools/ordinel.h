// Ordinel: copies a multiFASTA file and replaces every description line by
// a running number, 1 for the first record. It never overwrites an earlier
// output: a run that finds one fails with the not-open error.
#pragma once

#include <string>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"

namespace vendral {

RunOutcome RunOrdinel(RunHost& host, const std::string& source);

}  // namespace vendral
