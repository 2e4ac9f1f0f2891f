// Listrel: keeps, or drops, the records whose numeric description is listed
// in a filter file of one integer per line. Kept records are written in
// source order under their numbers in plain decimal. By name, the filter
// lists names instead.
#pragma once

#include <string>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/scan/line_stretch.h"

namespace vendral {

// The radio group's item index.
enum class ListrelCriteria { kExtract = 0, kExclude = 1 };

// What a Listrel run may be asked beyond the window's fields.
struct ListrelChoices {
  LineBreaks line_break = LineBreaks::kCrLf;
  // Records are listed by name instead of by number: the first word of the
  // description (up to the first blank or tab) is one of the filter's
  // lines, byte for byte, blank lines left out. Kept records are written
  // as they stand, every line ended with the line break.
  bool by_name = false;
};

RunOutcome RunListrel(RunHost& host, const std::string& source, const std::string& filter,
                      ListrelCriteria criteria, const ListrelChoices& choices = {});

}  // namespace vendral
