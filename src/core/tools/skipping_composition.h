// The composition run with letters that count neither as hits nor in the
// total (the unknown bases N, gaps): a plain pass over the bytes through a
// 256-entry table, beside the vector path of the run without them.
#pragma once

#include <string_view>

#include "core/lines/line_file.h"
#include "core/run/run_record.h"

namespace vendral {

// Writes one CSV line for each record of source, which is open for
// reading, into output, below the header. letters: the tool mode's letters,
// hits in either case; skipped: the characters left out, as given. Counts
// the records into record. Returns whether the source held a record.
bool CountRecordsSkipping(LineFile& source, LineFile& output, std::string_view letters,
                          std::string_view skipped, char decimal_symbol, RunRecord& record);

}  // namespace vendral
