// Ardenta and GC-content: for every record of a multiFASTA file, the share
// of its sequence characters that are letters of the tool mode, as a CSV
// line of description and percentage.
#pragma once

#include <string>
#include <string_view>

#include "core/run_host.h"

namespace vendral {

inline constexpr std::string_view kArdentaLetters = "LVWIFMPCDEKR";
inline constexpr std::string_view kGcLetters = "GC";

// The letters that the next composition run counts; each GO button of the
// two tabs sets it before the run starts.
extern std::string ToolMode;

// The composition run. It takes its source from the Ardenta field or the
// GC-content field, by the tool mode.
void Action1Execute(RunHost& host, const std::string& ardenta_source, const std::string& gc_source);

}  // namespace vendral
