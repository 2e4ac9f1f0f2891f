#include "core/composition.h"

#include <algorithm>
#include <cstdint>

#include "core/letter_count.h"
#include "core/line_file.h"
#include "core/record_reader.h"
#include "core/run_frame.h"
#include "core/run_progress.h"
#include "core/value_text.h"

namespace vendral {

std::string ToolMode;

namespace {

struct Mode {
  std::string_view name;  // the caption of its tab
  std::string_view tag;
  std::string_view header;
};

constexpr Mode kArdenta{"Ardenta", "Ardenta", "Single-line description,,,thermostability index"};
constexpr Mode kGcContent{"GC-content", "GC-Content", "Single-line description,,,GC%"};

using HitCounter = std::int64_t (*)(std::string_view);

HitCounter CounterFor(std::string_view letters) {
  return letters == kGcLetters ? CountGcLetters : CountArdentaLetters;
}

// The line's length without the blanks and control characters at its ends.
std::int64_t TrimmedLength(std::string_view line) {
  std::size_t begin = 0;
  std::size_t end = line.size();
  while (begin < end && static_cast<unsigned char>(line[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(line[end - 1]) <= ' ') --end;
  return static_cast<std::int64_t>(end - begin);
}

class CompositionRun {
 public:
  CompositionRun(LineFile& source, LineFile& output, HitCounter count_hits, char decimal_symbol)
      : source_(source), output_(output), count_hits_(count_hits), decimal_symbol_(decimal_symbol) {}

  void ReadAll() {
    while (!source_.AtEnd()) {
      if (!IsDescription(current_)) source_.ReadLine(current_);
      if (IsDescription(current_)) WriteRecordStatistics();
    }
    // A description line that was the source's last line has no sequence.
    if (IsDescription(current_)) WriteRecordStatistics();
  }

 private:
  // One record: from the description line in current_ up to the next one,
  // which is left in current_ for the next record.
  void WriteRecordStatistics() {
    cell_.assign(current_);
    std::replace(cell_.begin(), cell_.end(), ',', '.');
    current_ = "xxxx";
    std::int64_t hits = 0;
    std::int64_t total = 0;
    while (!source_.AtEnd()) {
      const std::string_view line = source_.ReadLineView();
      if (IsDescription(line)) {
        current_.assign(line);
        break;
      }
      total += TrimmedLength(line);
      hits += count_hits_(line);
    }
    cell_ += ",,,";
    if (total == 0) {
      cell_ += "error: ";
    } else {
      AppendPercentageText(cell_, hits, total, decimal_symbol_);
    }
    output_.WriteLine(cell_);
  }

  LineFile& source_;
  LineFile& output_;
  const HitCounter count_hits_;
  const char decimal_symbol_;
  std::string current_;
  std::string cell_;  // the CSV line, its storage kept from record to record
};

}  // namespace

void Action1Execute(RunHost& host, const std::string& ardenta_source, const std::string& gc_source) {
  NormalizeOutputFolder(host);
  EnsureOutputFolder(host);
  const bool gc = ToolMode == kGcLetters;
  const Mode& mode = gc ? kGcContent : kArdenta;
  const std::string& source_path = gc ? gc_source : ardenta_source;
  const std::string output_path = MakeOutputFileName(host, source_path, mode.tag, ".csv");
  if (!IsExistingFile(source_path)) {
    host.ShowNotice(kMissingFileText);
    return;
  }
  LineFile output(output_path);
  output.OpenForWriting();
  output.WriteLine(mode.header);
  RunProgress progress(host, mode.name, source_path, {source_path});
  progress.DiscardOnCancel(output);
  LineFile source(source_path);
  source.SetReadProgress(&progress);
  source.OpenForReading();
  CompositionRun(source, output, CounterFor(ToolMode), host.DecimalSymbol()).ReadAll();
  source.Close();
  output.Close();
  ReportDone(host);
}

}  // namespace vendral
