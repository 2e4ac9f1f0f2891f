// Lenmark: keeps the records whose sequence length is below, equal to or
// above a threshold. comparison is the text of the comparison field ("<",
// "=" or ">"; any other text keeps nothing), length_text the text of the
// number field, converted only when a record is compared.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/scan/line_stretch.h"

namespace vendral {

// What a Lenmark run may be asked beyond the window's fields.
struct LenmarkChoices {
  LineBreaks line_break = LineBreaks::kCrLf;
  // A range of record lengths, both ends included, in place of the
  // comparison and threshold, which are then not looked at: given when
  // either end is. A least above the most keeps no record.
  std::optional<std::int64_t> least_length = {};
  std::optional<std::int64_t> most_length = {};
};

RunOutcome RunLenmark(RunHost& host, const std::string& source, const std::string& comparison,
                      const std::string& length_text, const LenmarkChoices& choices = {});

}  // namespace vendral
