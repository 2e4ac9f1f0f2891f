// What a tool run did, for a front end that keeps a record of its runs
// (the command line's --summary): the counts up to the run's end, however
// it ended, and the file that holds a done run's output.
#pragma once

#include <cstdint>
#include <string>

namespace vendral {

struct RunRecord {
  std::string output;                  // the done run's output file; empty for none or standard output
  std::uint64_t records_read = 0;      // description lines of the source
  std::uint64_t records_written = 0;   // records, or CSV lines after the header, that the output holds
  std::uint64_t stored_bytes_read = 0;  // of every file read, as stored (compressed, for a compressed one)
};

}  // namespace vendral
