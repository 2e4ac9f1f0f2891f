#include "core/composition.h"

#include <algorithm>
#include <cstdint>

#include "core/letter_count.h"
#include "core/line_file.h"
#include "core/line_stretch.h"
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

using StretchCounter = StretchCounts (*)(std::string_view);

StretchCounter CounterFor(std::string_view letters) {
  return letters == kGcLetters ? CountGcStretch : CountArdentaStretch;
}

// The length of a line without the blanks and control characters at its
// ends, taken piece by piece: a sequence line may be longer than memory.
class TrimmedLength {
 public:
  void Add(std::string_view piece) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
      if (static_cast<unsigned char>(piece[i]) > ' ') {
        std::size_t last = piece.size();  // just after the last character above the space
        while (static_cast<unsigned char>(piece[last - 1]) <= ' ') --last;
        Mark(length_ + i, length_ + last);
        break;
      }
    }
    length_ += piece.size();
  }
  // size bytes that are all above the space.
  void AddPlain(std::uint64_t size) {
    if (size > 0) Mark(length_, length_ + size);
    length_ += size;
  }
  // The line's trimmed length; the next line starts.
  std::int64_t Finish() {
    const auto value = static_cast<std::int64_t>(end_ - first_);
    *this = TrimmedLength();
    return value;
  }

 private:
  void Mark(std::uint64_t first, std::uint64_t end) {
    if (first_ == end_) first_ = first;
    end_ = end;
  }

  std::uint64_t length_ = 0;  // of the line so far
  std::uint64_t first_ = 0;   // where its first character above the space stands
  std::uint64_t end_ = 0;     // just after its last one; first_ == end_ while there is none
};

std::size_t CountOf(std::string_view bytes, char c) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), c));
}

// Reads the source a block at a time and writes one CSV line for each
// record as soon as it ends. The line rules are applied to whole stretches
// of sequence lines: letters are counted over the stretch, and where its
// only blanks are line breaks, the lines' lengths follow from counts of
// bytes. No line is ever held whole: the description goes to the output
// as it is read, its commas made full stops so that it stays one CSV cell.
class CompositionRun {
 public:
  CompositionRun(LineFile& source, LineFile& output, StretchCounter count_stretch, char decimal_symbol)
      : source_(source), output_(output), count_stretch_(count_stretch), percentages_(decimal_symbol) {}

  void ReadAll() {
    for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
      switch (state_) {
        case State::kBeforeFirstRecord: source_.Skip(SkipToDescription(bytes)); break;
        case State::kDescription: source_.Skip(CopyDescription(bytes)); break;
        case State::kSequence: source_.Skip(CountSequence(bytes)); break;
      }
    }
    // A description line that was the source's last line has no sequence.
    if (state_ != State::kBeforeFirstRecord) FinishRecord();
  }

 private:
  enum class State { kBeforeFirstRecord, kDescription, kSequence };

  std::size_t SkipToDescription(std::string_view bytes) {
    const std::size_t start = FindDescription(bytes, at_line_start_);
    if (start != std::string_view::npos) {
      state_ = State::kDescription;
      return start;
    }
    NoteLineStart(bytes);
    return bytes.size();
  }

  std::size_t CopyDescription(std::string_view bytes) {
    const std::size_t lf = bytes.find('\n');
    WriteDescriptionPiece(bytes.substr(0, lf));
    if (lf == std::string_view::npos) return bytes.size();
    state_ = State::kSequence;
    at_line_start_ = true;
    return lf + 1;
  }

  // Every CR left out and every comma made a full stop. Most descriptions
  // hold no CR but the one of a CR LF; the loop notes others on its way,
  // and goes a vector at a time.
  void WriteDescriptionPiece(std::string_view piece) {
    if (piece.ends_with('\r')) piece.remove_suffix(1);
    cell_.resize(piece.size());
    const char* in = piece.data();
    char* out = cell_.data();
    unsigned char crs = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
      const char c = in[i];
      out[i] = c == ',' ? '.' : c;
      crs |= c == '\r';
    }
    if (crs != 0) std::erase(cell_, '\r');
    output_.Write(cell_);
  }

  std::size_t CountSequence(std::string_view bytes) {
    const std::size_t start = FindDescription(bytes, at_line_start_);
    const std::string_view lines = bytes.substr(0, start);
    const StretchCounts counts = count_stretch_(lines);
    hits_ += counts.letters;
    CountLengths(lines, counts);
    if (start == std::string_view::npos) return bytes.size();
    FinishRecord();
    state_ = State::kDescription;
    return start;
  }

  // Adds the trimmed lengths of the lines in bytes to the record's total;
  // a line cut at the end of bytes is finished by the next call.
  void CountLengths(std::string_view bytes, const StretchCounts& counts) {
    const std::int64_t blanks = counts.up_to_space;
    const std::int64_t lfs = counts.line_feeds;
    const std::int64_t crs = blanks == lfs ? 0 : CountCarriageReturns(bytes);
    if (blanks != lfs + crs) return CountLengthsLineByLine(bytes);
    // Only breaks and dropped CRs: each line is as long as its other bytes.
    if (lfs == 0) {
      line_.AddPlain(bytes.size() - static_cast<std::size_t>(crs));
      NoteLineStart(bytes);
      return;
    }
    // The last LF is looked for from the end, where it mostly is; a read's
    // one line needs no search from the start as well.
    const std::size_t last_lf = bytes.rfind('\n');
    const std::size_t first_lf = lfs == 1 ? last_lf : bytes.find('\n');
    const std::string_view head = bytes.substr(0, first_lf);
    const std::string_view tail = bytes.substr(last_lf + 1);
    const std::size_t head_crs = crs == 0 ? 0 : CountOf(head, '\r');
    const std::size_t tail_crs = crs == 0 ? 0 : CountOf(tail, '\r');
    line_.AddPlain(head.size() - head_crs);
    total_ += line_.Finish();
    // The whole lines between the first and the last LF.
    const std::size_t middle = last_lf - first_lf;  // their bytes, LF bytes included
    total_ += static_cast<std::int64_t>(middle) - (lfs - 1) -
              (crs - static_cast<std::int64_t>(head_crs + tail_crs));
    line_.AddPlain(tail.size() - tail_crs);
    at_line_start_ = tail.size() == tail_crs;
  }

  void CountLengthsLineByLine(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t lf = bytes.find('\n');
      const std::string_view line = bytes.substr(0, lf);
      for (std::size_t from = 0; from <= line.size();) {  // the pieces between CRs
        const std::size_t cr = std::min(line.find('\r', from), line.size());
        line_.Add(line.substr(from, cr - from));
        from = cr + 1;
      }
      NoteLineStart(line);
      if (lf == std::string_view::npos) return;
      total_ += line_.Finish();
      at_line_start_ = true;
      bytes.remove_prefix(lf + 1);
    }
  }

  void NoteLineStart(std::string_view bytes) { at_line_start_ = EndsAtLineStart(bytes, at_line_start_); }

  void FinishRecord() {
    total_ += line_.Finish();
    if (total_ == 0) {
      output_.WriteLine(",,,error: ");
    } else {
      output_.Write(",,,");
      output_.WriteLine(percentages_.Text(hits_, total_));
    }
    hits_ = total_ = 0;
  }

  LineFile& source_;
  LineFile& output_;
  const StretchCounter count_stretch_;
  PercentageTexts percentages_;
  State state_ = State::kBeforeFirstRecord;
  bool at_line_start_ = true;  // nothing but CRs since the last LF or the start
  TrimmedLength line_;         // the sequence line being read
  std::int64_t hits_ = 0;
  std::int64_t total_ = 0;
  std::string cell_;  // a description piece being changed; storage kept from record to record
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
