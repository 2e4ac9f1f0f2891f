#include "core/tools/composition.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/lines/line_file.h"
#include "core/tools/composition_cells.h"
#include "core/tools/record_reader.h"
#include "core/tools/skipping_composition.h"
#include "core/run/run_frame.h"
#include "core/run/run_progress.h"
#include "core/scan/description_line.h"
#include "core/scan/dispatch.h"
#include "core/scan/letter_count.h"
#include "core/scan/line_stretch.h"
#include "core/scan/scan.h"
#include "core/run/tool_run.h"
#include "core/text/value_text.h"

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

// The letters of a mode, counted over a stretch or classified by chunks.
struct Counters {
  StretchCounts (*count_stretch)(std::string_view);
  ChunkClassifier classify;
};

Counters CountersFor(std::string_view letters) {
  if (letters == kGcLetters) return {CountGcStretch, ClassifyGcChunks};
  return {CountArdentaStretch, ClassifyArdentaChunks};
}

// Counts of a run of sequence bytes without blanks or control characters
// but line breaks and CRs inside lines, taken from chunk masks: the line
// rules then ask only where the first and the last LF stand.
struct PlainRun {
  std::int64_t hits = 0;
  std::int64_t characters = 0;  // all but LFs and CRs
  std::int64_t line_feeds = 0;
  std::int64_t head = 0;  // characters before the first LF
  std::int64_t tail = 0;  // characters after the last LF

  void Add(const ChunkClasses& c, std::uint64_t lanes) {
    hits += std::popcount(c.letters & lanes);
    const std::uint64_t lfs = c.line_feeds & lanes;
    const std::uint64_t kept = lanes & ~lfs & ~c.carriage_returns;
    const int count = std::popcount(kept);
    characters += count;
    if (lfs == 0) {
      tail += count;
      return;
    }
    if (line_feeds == 0) head = tail + std::popcount(kept & ~LanesFrom(static_cast<std::size_t>(std::countr_zero(lfs))));
    line_feeds += std::popcount(lfs);
    tail = std::popcount(kept >> (63 - std::countl_zero(lfs)));  // the LF's own lane is not kept
  }
};

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
  CompositionRun(LineFile& source, LineFile& output, Counters counters, char decimal_symbol, RunRecord& record)
      : source_(source), output_(output), counters_(counters), percentages_(decimal_symbol), record_(record) {}

  // Returns whether the source held a description line.
  bool ReadAll() {
    for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
      source_.Skip(state_ == State::kBeforeFirstRecord ? SkipToDescription(bytes) : ReadRecords(bytes));
    }
    if (state_ == State::kBeforeFirstRecord) return false;
    // A description line that was the source's last line has no sequence.
    FinishRecord();
    return true;
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

  // Descriptions and sequences in one pass: the bytes are classified a
  // batch of chunks at a time, and the records, lines and counts followed
  // on the masks. A sequence byte up to the space other than an LF, or a CR
  // at a line start, hands the rest of the bytes to CountSequence, which
  // applies the rules to any line. The loop counts the bits of every
  // chunk's masks.
  std::size_t ReadRecords(std::string_view bytes) {
    return scan::RunCountingBits([&]() VENDRAL_INLINE_INTO_COPIES { return ReadRecordsWith(bytes); });
  }

  // Its steps: for each batch, the chunks are classified; the whole chunks
  // inside a run are counted at once (CountPlainChunks); a chunk where a
  // description or a run starts or ends is read lane by lane (ReadChunk);
  // and what goes on in the next block is left open (EndBlock).
  VENDRAL_INLINE_INTO_COPIES std::size_t ReadRecordsWith(std::string_view bytes) {
    PlainRun run;
    std::uint64_t line_start = at_line_start_ ? 1 : 0;  // lane 0 of the next chunk starts a line
    std::size_t from = 0;  // where the description or the run being read starts
    for (std::size_t batch = 0; batch < bytes.size(); batch += kBatchBytes) {
      const std::string_view part = bytes.substr(batch, kBatchBytes);
      counters_.classify(part, classes_.data());
      const std::size_t whole = part.size() / kChunkBytes;
      for (std::size_t k = 0; k * kChunkBytes < part.size(); ++k) {
        if (state_ == State::kSequence && from <= batch + k * kChunkBytes) {
          k = CountPlainChunks(k, whole, line_start, run);
          if (k * kChunkBytes >= part.size()) break;
        }
        if (!ReadChunk(bytes, batch + k * kChunkBytes, classes_[k], line_start, from, run)) {
          return from + CountSequence(bytes.substr(from));
        }
      }
    }
    EndBlock(bytes, from, run);
    return bytes.size();
  }

  // Reads the lanes of the chunk at base from `from` on: descriptions and
  // runs in turn. False at a stop that is no description line, where
  // CountSequence takes over (at `from`).
  VENDRAL_INLINE_INTO_COPIES bool ReadChunk(std::string_view bytes, std::size_t base, const ChunkClasses& c,
                                            std::uint64_t& line_start, std::size_t& from, PlainRun& run) {
    const std::uint64_t starts = c.line_feeds << 1 | line_start;
    line_start = c.line_feeds >> 63;
    std::uint64_t lanes = from > base ? LanesFrom(from - base) : ~std::uint64_t{0};
    if (const std::size_t left = bytes.size() - base; left < kChunkBytes) lanes &= ~LanesFrom(left);
    while (lanes != 0) {
      if (state_ == State::kDescription) {
        ReadDescriptionLanes(bytes, base, c, lanes, from);
      } else if (!ReadSequenceLanes(base, c, starts, lanes, from, run)) {
        return false;
      }
    }
    return true;
  }

  // The steps of ReadChunk: each takes the lanes it has read out of lanes.
  // A description line up to its LF, which may lie beyond the chunk.
  VENDRAL_INLINE_INTO_COPIES void ReadDescriptionLanes(std::string_view bytes, std::size_t base,
                                                       const ChunkClasses& c, std::uint64_t& lanes,
                                                       std::size_t& from) {
    const std::uint64_t lf = c.line_feeds & lanes;
    if (lf == 0) {
      lanes = 0;
      return;
    }
    const auto end = static_cast<std::size_t>(std::countr_zero(lf));
    WriteDescriptionPiece(output_, bytes.substr(from, base + end - from));
    state_ = State::kSequence;
    at_line_start_ = true;
    from = base + end + 1;
    lanes &= LanesFrom(end + 1);
  }

  // Sequence bytes into the run, up to a stop; at a description line the
  // record ends there. False at any other stop.
  VENDRAL_INLINE_INTO_COPIES bool ReadSequenceLanes(std::size_t base, const ChunkClasses& c,
                                                    std::uint64_t starts, std::uint64_t& lanes,
                                                    std::size_t& from, PlainRun& run) {
    const std::uint64_t stops = Stops(c, starts) & lanes;
    if (stops == 0) {
      run.Add(c, lanes);
      lanes = 0;
      return true;
    }
    const auto stop = static_cast<std::size_t>(std::countr_zero(stops));
    run.Add(c, lanes & ~LanesFrom(stop));
    EndRun(run);
    from = base + stop;
    if ((c.marks >> stop & 1) == 0) return false;
    FinishRecord();
    state_ = State::kDescription;
    lanes &= LanesFrom(stop);
    return true;
  }

  // The description line being read, or the line that the run ends in,
  // goes on in the next block.
  VENDRAL_INLINE_INTO_COPIES void EndBlock(std::string_view bytes, std::size_t from, PlainRun& run) {
    if (state_ == State::kDescription) {
      WriteDescriptionPiece(output_, bytes.substr(from));
    } else {
      EndRun(run);
    }
  }

  // Where a run of plain sequence lines stops: at a description line, a CR
  // at a line start, or a blank or control character other than a break.
  static std::uint64_t Stops(const ChunkClasses& c, std::uint64_t line_starts) {
    const std::uint64_t other_blanks = c.up_to_space & ~c.line_feeds & ~c.carriage_returns;
    return ((c.marks | c.carriage_returns) & line_starts) | other_blanks;
  }

  // Counts whole chunks of a run from chunk k on, up to the first one that
  // stops it or chunk `whole`, and returns where it ended: the bulk of a
  // long record, with its counts kept in registers.
  std::size_t CountPlainChunks(std::size_t k, std::size_t whole, std::uint64_t& line_start, PlainRun& run) const {
    PlainRun counted = run;
    std::uint64_t starts_line = line_start;
    for (; k < whole; ++k) {
      const ChunkClasses& c = classes_[k];
      if (Stops(c, c.line_feeds << 1 | starts_line) != 0) break;
      counted.Add(c, ~std::uint64_t{0});
      starts_line = c.line_feeds >> 63;
    }
    run = counted;
    line_start = starts_line;
    return k;
  }

  // Adds a run's counts to the record, the line cut at its end kept open.
  void EndRun(PlainRun& run) {
    hits_ += run.hits;
    if (run.line_feeds == 0) {
      line_.AddPlain(static_cast<std::uint64_t>(run.characters));
      if (run.characters > 0) at_line_start_ = false;
    } else {
      line_.AddPlain(static_cast<std::uint64_t>(run.head));
      total_ += line_.Finish() + (run.characters - run.head - run.tail);
      line_.AddPlain(static_cast<std::uint64_t>(run.tail));
      at_line_start_ = run.tail == 0;
    }
    run = PlainRun();
  }

  std::size_t CountSequence(std::string_view bytes) {
    const std::size_t start = FindDescription(bytes, at_line_start_);
    const std::string_view lines = bytes.substr(0, start);
    const StretchCounts counts = counters_.count_stretch(lines);
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
    WriteValueCells(output_, percentages_, hits_, total_);
    hits_ = total_ = 0;
    ++record_.records_read;
    ++record_.records_written;
  }

  LineFile& source_;
  LineFile& output_;
  const Counters counters_;
  static constexpr std::size_t kBatchBytes = 64 * kChunkBytes;
  std::array<ChunkClasses, kBatchBytes / kChunkBytes> classes_;
  PercentageTexts percentages_;
  RunRecord& record_;
  State state_ = State::kBeforeFirstRecord;
  bool at_line_start_ = true;  // nothing but CRs since the last LF or the start
  TrimmedLength line_;         // the sequence line being read
  std::int64_t hits_ = 0;
  std::int64_t total_ = 0;
};

}  // namespace

RunOutcome RunComposition(RunHost& host, std::string_view letters, const std::string& source_path,
                          const CompositionChoices& choices) {
  const Mode& mode = letters == kGcLetters ? kGcContent : kArdenta;
  const ToolPlan plan{mode.name, mode.tag, ".csv", {source_path}, kMissingFileText, kCompositionOrder,
                      {source_path}, choices.line_break};
  return RunTool(host, plan, [&](LineFile& output, RunProgress& progress) {
    output.WriteLine(mode.header);
    LineFile source(source_path);
    progress.Watch(source);
    source.OpenForReading();
    const bool held_record =
        choices.skip_letters.empty()
            ? CompositionRun(source, output, CountersFor(letters), host.DecimalSymbol(), progress.record()).ReadAll()
            : CountRecordsSkipping(source, output, letters, choices.skip_letters, host.DecimalSymbol(),
                                   progress.record());
    source.Close();
    return held_record;
  });
}

RunOutcome Action1Execute(RunHost& host, const std::string& ardenta_source, const std::string& gc_source) {
  const bool gc = ToolMode == kGcLetters;
  return RunComposition(host, ToolMode, gc ? gc_source : ardenta_source);
}

}  // namespace vendral
