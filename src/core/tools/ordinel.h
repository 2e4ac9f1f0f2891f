// Ordinel: copies a multiFASTA file and replaces every description line by
// a running number, 1 for the first record. It never overwrites an earlier
// output: a run that finds one fails with the not-open error.
#pragma once

#include <string>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/scan/line_stretch.h"

namespace vendral {

// What an Ordinel run may be asked beyond the window's field.
struct OrdinelChoices {
  LineBreaks line_break = LineBreaks::kCrLf;
};

RunOutcome RunOrdinel(RunHost& host, const std::string& source, const OrdinelChoices& choices = {});

}  // namespace vendral
