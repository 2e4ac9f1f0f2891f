// Ordinel: copies a multiFASTA file and replaces every description line by
// a running number, 1 for the first record. It never overwrites an earlier
// output: a run that finds one fails with the not-open error.
#pragma once

#include <cstdint>
#include <string>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/scan/line_stretch.h"

namespace vendral {

// What an Ordinel run may be asked beyond the window's field.
struct OrdinelChoices {
  LineBreaks line_break = LineBreaks::kCrLf;
  // The descriptions become ">", the prefix and the running number, which
  // starts at start.
  std::string prefix = {};
  std::int64_t start = 1;
  // When not empty: a file to write, never to overwrite, with a header line
  // and for each record the new description and the old one, tab-separated
  // and without their ">", in lines that end with LF.
  std::string map_path = {};
};

RunOutcome RunOrdinel(RunHost& host, const std::string& source, const OrdinelChoices& choices = {});

}  // namespace vendral
