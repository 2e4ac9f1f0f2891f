// How far a tool run has got through everything it reads, summed over its
// line files and handed to the run host, which may answer that the user
// wants the run stopped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/lines/line_file.h"
#include "core/run/run_host.h"
#include "core/run/run_record.h"

namespace vendral {

class RunProgress : public ReadProgress {
 public:
  // readings: every file that the run reads, once for each time it reads
  // it; their sizes as stored add up to the whole run. tool (a name that
  // outlives the run) and source name the run for the host.
  RunProgress(RunHost& host, std::string_view tool, std::string source,
              const std::vector<std::string_view>& readings);
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // Counts the file's reading from now on, and has it read as the host
  // asks (on how many threads).
  void Watch(LineFile& file) {
    file.SetReadProgress(this);
    file.SetReadSettings(host_.ReadingSettings());
  }

  // Raises RunCancelled when the host asks to stop; the run's frame then
  // ends its output.
  void BytesRead(std::uint64_t bytes) override;

  // 0 to 1; 0 while the size of the readings is unknown.
  double FractionDone() const;

  // The run's record: the tool counts its records into it, the bytes read
  // are counted here.
  RunRecord& record() { return record_; }

 private:
  RunHost& host_;
  std::string_view tool_;
  std::string source_;
  std::uint64_t total_bytes_ = 0;
  RunRecord record_;
};

}  // namespace vendral
