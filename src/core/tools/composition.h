// Ardenta and GC-content: for every record of a multiFASTA file, the share
// of its sequence characters that are letters of the tool mode, as a CSV
// line of description and percentage.
#pragma once

#include <string>
#include <string_view>

#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/scan/line_stretch.h"

namespace vendral {

inline constexpr std::string_view kArdentaLetters = "LVWIFMPCDEKR";
inline constexpr std::string_view kGcLetters = "GC";

// The window's letters for its next composition run; each GO button of the
// two tabs sets it before the run starts.
extern std::string ToolMode;

// What a composition run may be asked beyond the window's fields.
struct CompositionChoices {
  LineBreaks line_break = LineBreaks::kCrLf;
  // Characters, case as given, that count neither as hits nor in the total
  // (such as the unknown base N); a record left with no characters
  // counted gets "error: ".
  std::string skip_letters = {};
};

// One composition run over the source: Ardenta's table for its letters,
// GC-content's for "GC".
RunOutcome RunComposition(RunHost& host, std::string_view letters, const std::string& source_path,
                          const CompositionChoices& choices = {});

// The window's composition run: the letters are the tool mode, and the
// source is the Ardenta field or the GC-content field, by the tool mode.
RunOutcome Action1Execute(RunHost& host, const std::string& ardenta_source, const std::string& gc_source);

}  // namespace vendral
