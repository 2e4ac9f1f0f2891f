#include "core/composition.h"

#include <algorithm>
#include <cstdint>

#include "core/letter_count.h"
#include "core/line_file.h"
#include "core/record_reader.h"
#include "core/run_frame.h"
#include "core/value_text.h"

namespace vendral {

std::string ToolMode;

namespace {

struct Mode {
  std::string_view tag;
  std::string_view header;
};

constexpr Mode kArdenta{"Ardenta", "Single-line description,,,thermostability index"};
constexpr Mode kGcContent{"GC-Content", "Single-line description,,,GC%"};

using HitCounter = std::int64_t (*)(std::string_view);

HitCounter CounterFor(std::string_view letters) {
  return letters == kGcLetters ? CountGcLetters : CountArdentaLetters;
}

// The length of a line without the blanks and control characters at its
// ends, taken piece by piece: a sequence line may be longer than memory.
class TrimmedLength {
 public:
  void Add(std::string_view piece) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
      if (static_cast<unsigned char>(piece[i]) > ' ') {
        // The last character above the space so far ends the trimmed line.
        std::size_t last = piece.size();
        while (static_cast<unsigned char>(piece[last - 1]) <= ' ') --last;
        if (!started_) first_ = length_ + i;
        started_ = true;
        end_ = length_ + last;
        break;
      }
    }
    length_ += piece.size();
  }
  std::int64_t Value() const { return started_ ? static_cast<std::int64_t>(end_ - first_) : 0; }

 private:
  std::uint64_t length_ = 0;  // of the line so far
  std::uint64_t first_ = 0;   // where its first character above the space stands
  std::uint64_t end_ = 0;     // just after its last one
  bool started_ = false;
};

// Reads the source line by line, in pieces, and writes one CSV line for
// each record as soon as it ends. No line is ever held whole: the
// description goes to the output as it is read, its commas made full
// stops so that it stays one CSV cell.
class CompositionRun {
 public:
  CompositionRun(LineFile& source, LineFile& output, HitCounter count_hits, char decimal_symbol)
      : source_(source), output_(output), count_hits_(count_hits), decimal_symbol_(decimal_symbol) {}

  void ReadAll() {
    bool in_record = false;
    while (!source_.AtEnd()) {
      bool line_ended = false;
      std::string_view piece = source_.ReadLinePiece(line_ended);
      if (IsDescription(piece)) {
        if (in_record) FinishRecord();
        in_record = true;
        hits_ = total_ = 0;
        for (;;) {
          WriteCell(piece);
          if (line_ended) break;
          piece = source_.ReadLinePiece(line_ended);
        }
      } else if (in_record) {
        // A sequence line: its letters count, and its length without blanks at the ends.
        TrimmedLength length;
        for (;;) {
          length.Add(piece);
          hits_ += count_hits_(piece);
          if (line_ended) break;
          piece = source_.ReadLinePiece(line_ended);
        }
        total_ += length.Value();
      } else {
        while (!line_ended) source_.ReadLinePiece(line_ended);  // before the first record
      }
    }
    // A description line that was the source's last line has no sequence.
    if (in_record) FinishRecord();
  }

 private:
  void WriteCell(std::string_view piece) {
    cell_.assign(piece);
    std::replace(cell_.begin(), cell_.end(), ',', '.');
    output_.Write(cell_);
  }

  void FinishRecord() {
    cell_ = ",,,";
    if (total_ == 0) {
      cell_ += "error: ";
    } else {
      AppendPercentageText(cell_, hits_, total_, decimal_symbol_);
    }
    output_.WriteLine(cell_);
  }

  LineFile& source_;
  LineFile& output_;
  const HitCounter count_hits_;
  const char decimal_symbol_;
  std::int64_t hits_ = 0;
  std::int64_t total_ = 0;
  std::string cell_;  // storage kept from record to record
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
  LineFile output(output_path, OutputTarget(host));
  output.OpenForWriting();
  output.WriteLine(mode.header);
  LineFile source(source_path);
  source.OpenForReading();
  CompositionRun(source, output, CounterFor(ToolMode), host.DecimalSymbol()).ReadAll();
  source.Close();
  output.Close();
  ReportDone(host);
}

}  // namespace vendral
