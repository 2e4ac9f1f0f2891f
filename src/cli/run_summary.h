// The --summary record of a run: one line of JSON per source run (JSON
// Lines), so that a workflow engine can tell what each step did without
// reading its messages.
#pragma once

#include <string>
#include <string_view>

#include "core/run/run_outcome.h"
#include "core/run/run_record.h"

namespace vendral {

struct RunSummary {
  std::string_view tool;
  std::string_view source;  // as given
  RunOutcome outcome;
  std::string_view message;  // the last message the run showed, as shown
  const RunRecord& record;
  double seconds;
};

// The summary's line, LF included: {"tool": ..., "seconds": ...}.
std::string SummaryLine(const RunSummary& summary);

// bytes as a JSON string, quotes included: every byte that is no part of
// well-formed UTF-8 becomes \ufffd, so that any file name or message gives
// valid JSON.
std::string JsonString(std::string_view bytes);

}  // namespace vendral
