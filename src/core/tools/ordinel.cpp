#include "core/tools/ordinel.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "core/lines/line_file.h"
#include "core/run/run_cancelled.h"
#include "core/run/run_frame.h"
#include "core/scan/description_line.h"
#include "core/scan/line_stretch.h"
#include "core/run/tool_run.h"

namespace vendral {
namespace {

// ">", the prefix and the running number. The number is counted up in its
// decimal digits, in place: only a carry into a new digit moves its end.
class ReplacementLine {
 public:
  ReplacementLine(std::string_view prefix, std::int64_t start)
      : text_(kDescriptionMark + std::string(prefix) + std::to_string(start)),
        digits_from_(1 + prefix.size()) {}

  std::string_view Next() {
    if (!first_) CountUp();
    first_ = false;
    return text_;
  }
  bool Used() const { return !first_; }

 private:
  void CountUp() {
    std::size_t digit = text_.size() - 1;
    while (digit >= digits_from_ && text_[digit] == '9') text_[digit--] = '0';
    if (digit < digits_from_) {
      text_.insert(digits_from_, 1, '1');
    } else {
      ++text_[digit];
    }
  }

  std::string text_;
  const std::size_t digits_from_;  // where the number starts in text_
  bool first_ = true;              // the start is the first record's number
};

// The map file's lines: the new description, a tab and the old one, each
// without its ">"; the old one is written piece by piece as it is read.
class DescriptionMap {
 public:
  static constexpr std::string_view kHeader = "number\tdescription";

  explicit DescriptionMap(LineFile* map) : map_(map) {
    if (map_) map_->WriteLine(kHeader);
  }
  void Start(std::string_view replacement) {
    if (!map_) return;
    map_->Write(replacement.substr(1));
    map_->Write("\t");
    at_mark_ = true;
  }
  // A piece of the old description line, its CRs left out.
  void Add(std::string_view piece) {
    if (!map_) return;
    if (at_mark_) {
      const std::size_t mark = piece.find(kDescriptionMark);
      if (mark == std::string_view::npos) return;  // the CRs that may stand before it
      piece.remove_prefix(mark + 1);
      at_mark_ = false;
    }
    map_->WriteRawLines(piece);
  }
  void End() {
    if (map_) map_->WriteLine({});
  }

 private:
  LineFile* map_;
  bool at_mark_ = false;  // the old description's ">" is still to be left out
};

// Copies the source a block at a time: the lines up to the next marked
// line go to the output in one piece, their breaks made the output's, and a
// description line is passed over up to its LF once its number is written.
// No line is ever held, whatever its length.
class OrdinelRun {
 public:
  OrdinelRun(LineFile& source, LineFile& output, const OrdinelChoices& choices, LineFile* map, RunRecord& record)
      : source_(source), output_(output), record_(record), replacement_(choices.prefix, choices.start), map_(map) {}

  // Returns whether the source held a description line.
  bool CopyAll() {
    for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
      source_.Skip(in_description_ ? SkipDescription(bytes) : CopyLines(bytes));
    }
    // The last line gets a break also where the source has none.
    if (line_open_) output_.WriteLine({});
    if (in_description_) map_.End();
    return replacement_.Used();
  }

 private:
  std::size_t CopyLines(std::string_view bytes) {
    if (at_line_start_ && StartsWithDescription(bytes)) {
      const std::string_view replacement = replacement_.Next();
      ++record_.records_read;
      ++record_.records_written;
      map_.Start(replacement);
      // Most description lines end in the block: their replacement goes
      // out whole.
      if (const std::size_t lf = bytes.find('\n'); lf != std::string_view::npos) {
        output_.WriteLine(replacement);
        map_.Add(bytes.substr(0, lf));
        map_.End();
        at_line_start_ = true;
        line_open_ = false;
        return lf + 1;
      }
      output_.Write(replacement);
      map_.Add(bytes);
      in_description_ = true;
      line_open_ = true;
      return bytes.size();
    }
    const std::string_view lines = bytes.substr(0, output_.WriteRawLines(bytes, MarkedLines::kStopBefore));
    at_line_start_ = EndsAtLineStart(lines, at_line_start_);
    line_open_ = lines.back() != '\n';
    return lines.size();
  }

  std::size_t SkipDescription(std::string_view bytes) {
    const std::size_t lf = bytes.find('\n');
    map_.Add(bytes.substr(0, lf));
    if (lf == std::string_view::npos) return bytes.size();
    map_.End();
    output_.WriteLine({});
    in_description_ = false;
    at_line_start_ = true;
    line_open_ = false;
    return lf + 1;
  }

  LineFile& source_;
  LineFile& output_;
  RunRecord& record_;
  ReplacementLine replacement_;
  DescriptionMap map_;
  bool in_description_ = false;
  bool at_line_start_ = true;  // nothing but CRs since the last LF or the start
  bool line_open_ = false;     // bytes (CRs too) since the last LF: a line to be ended
};

}  // namespace

RunOutcome RunOrdinel(RunHost& host, const std::string& source_path, const OrdinelChoices& choices) {
  ToolPlan plan{"Ordinel", "Ordinel", ".fas", {source_path}, kMissingFileText, kRenumberingOrder,
                {source_path}, choices.line_break};
  const bool mapped = !choices.map_path.empty();
  if (mapped) plan.never_overwritten.push_back(choices.map_path);
  return RunTool(host, plan, [&](LineFile& output, RunProgress& progress) {
    // The map, like the output, takes its name only once the run is done.
    LineFile map(choices.map_path, LineFile::Target::kStagedFile);
    if (mapped) {
      map.SetLineBreak(LineBreaks::kLf);
      map.OpenForWriting();
    }
    LineFile source(source_path);
    progress.Watch(source);
    source.OpenForReading();
    bool held_record = false;
    try {
      held_record = OrdinelRun(source, output, choices, mapped ? &map : nullptr, progress.record()).CopyAll();
    } catch (const RunCancelled&) {
      map.Discard();
      throw;
    }
    source.Close();
    if (!mapped) return held_record;
    map.Close();
    if (!map.PutInPlace(LineFile::Overwrite::kNever)) {
      throw IoError(IoError::kNotOpen).SetFile(choices.map_path, true);
    }
    return held_record;
  });
}

}  // namespace vendral
