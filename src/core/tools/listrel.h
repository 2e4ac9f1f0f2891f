// Listrel: keeps, or drops, the records whose numeric description is listed
// in a filter file of one integer per line. Kept records are written in
// source order under their numbers in plain decimal.
#pragma once

#include <string>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"

namespace vendral {

// The radio group's item index.
enum class ListrelCriteria { kExtract = 0, kExclude = 1 };

RunOutcome RunListrel(RunHost& host, const std::string& source, const std::string& filter,
                      ListrelCriteria criteria);

}  // namespace vendral
