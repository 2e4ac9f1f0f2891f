// The core's run of each tool, given its typed options.
#pragma once

#include <string>

#include "cli/options.h"
#include "core/run/run_host.h"
#include "core/run/run_outcome.h"
#include "core/scan/line_stretch.h"

namespace vendral {

// Runs the tool that options belong to on one source, as the window's
// button of that tool does; its lines end with line_break.
RunOutcome RunSource(RunHost& host, const ToolOptions& options, const std::string& source,
                     LineBreaks line_break = LineBreaks::kCrLf);

}  // namespace vendral
