#include "core/tools/ordinel.h"

#include <cstddef>
#include <string_view>

#include "core/lines/line_file.h"
#include "core/run/run_frame.h"
#include "core/scan/description_line.h"
#include "core/scan/line_stretch.h"
#include "core/run/tool_run.h"

namespace vendral {
namespace {

// ">" and the running number. The number is counted up in its decimal
// digits, in place: only a carry into a new digit moves the text's start.
class ReplacementLine {
 public:
  ReplacementLine() {
    text_[start_] = kDescriptionMark;
    text_[kEnd - 1] = '0';
  }

  std::string_view Next() {
    std::size_t digit = kEnd - 1;
    while (text_[digit] == '9') text_[digit--] = '0';
    if (text_[digit] == kDescriptionMark) {
      text_[digit] = '1';
      text_[--start_] = kDescriptionMark;
    } else {
      ++text_[digit];
    }
    return {text_ + start_, kEnd - start_};
  }

 private:
  static constexpr std::size_t kEnd = 24;  // after the last digit
  char text_[kEnd] = {};
  std::size_t start_ = kEnd - 2;  // where ">" stands; the number is 0 before the first record
};

// Copies the source a block at a time: the lines up to the next marked
// line go to the output in one piece, their breaks made the output's, and a
// description line is passed over up to its LF once its number is written.
// No line is ever held, whatever its length.
class OrdinelRun {
 public:
  OrdinelRun(LineFile& source, LineFile& output) : source_(source), output_(output) {}

  void CopyAll() {
    for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
      source_.Skip(in_description_ ? SkipDescription(bytes) : CopyLines(bytes));
    }
    // The last line gets a break also where the source has none.
    if (line_open_) output_.WriteLine({});
  }

 private:
  std::size_t CopyLines(std::string_view bytes) {
    if (at_line_start_ && StartsWithDescription(bytes)) {
      const std::string_view replacement = replacement_.Next();
      // Most description lines end in the block: their replacement goes
      // out whole.
      if (const std::size_t lf = bytes.find('\n'); lf != std::string_view::npos) {
        output_.WriteLine(replacement);
        at_line_start_ = true;
        line_open_ = false;
        return lf + 1;
      }
      output_.Write(replacement);
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
    if (lf == std::string_view::npos) return bytes.size();
    output_.WriteLine({});
    in_description_ = false;
    at_line_start_ = true;
    line_open_ = false;
    return lf + 1;
  }

  LineFile& source_;
  LineFile& output_;
  ReplacementLine replacement_;
  bool in_description_ = false;
  bool at_line_start_ = true;  // nothing but CRs since the last LF or the start
  bool line_open_ = false;     // bytes (CRs too) since the last LF: a line to be ended
};

}  // namespace

RunOutcome RunOrdinel(RunHost& host, const std::string& source_path, const OrdinelChoices& choices) {
  const ToolPlan plan{"Ordinel", "Ordinel", ".fas", {source_path}, kMissingFileText, kRenumberingOrder,
                      {source_path}, choices.line_break};
  return RunTool(host, plan, [&](LineFile& output, RunProgress& progress) {
    LineFile source(source_path);
    progress.Watch(source);
    source.OpenForReading();
    OrdinelRun(source, output).CopyAll();
    source.Close();
  });
}

}  // namespace vendral
