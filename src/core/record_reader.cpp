#include "core/record_reader.h"

#include <algorithm>

#include "core/line_stretch.h"

namespace vendral {

bool IsBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

RecordReader::RecordReader(LineFile& source, BlankLineRule blank_lines)
    : source_(source), blank_lines_(blank_lines) {}

namespace {

// Appends the rest of the line whose first piece is given, piece by piece:
// a long line is held once, in the text it ends up in.
template <typename Text>
void AppendRestOfLine(LineFile& source, Text& text, std::string_view piece, bool line_ended) {
  for (;;) {
    text.append(piece);
    if (line_ended) return;
    piece = source.ReadLinePiece(line_ended);
  }
}

}  // namespace

bool RecordReader::NextRecord() {
  if (next_description_read_) {
    next_description_read_ = false;
    description_.swap(next_description_);  // both keep their storage
    return true;
  }
  // Nothing but a description line matters here, inside or outside a
  // record, so the bytes before it are passed over a block at a time.
  for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
    const std::size_t start = FindDescription(bytes, at_line_start_);
    if (start == std::string_view::npos) {
      at_line_start_ = EndsAtLineStart(bytes, at_line_start_);
      source_.Skip(bytes.size());
      continue;
    }
    at_line_start_ = true;
    // Most description lines lie whole in the block, without a CR but the
    // one of a CR LF break.
    if (const std::size_t lf = bytes.find('\n', start); lf != std::string_view::npos) {
      std::string_view line = bytes.substr(start, lf - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.find('\r') == std::string_view::npos) {
        description_.assign(line);
        source_.Skip(lf + 1);
        return true;
      }
    }
    source_.Skip(start);
    bool line_ended = false;
    const std::string_view piece = source_.ReadLinePiece(line_ended);
    description_.clear();
    AppendRestOfLine(source_, description_, piece, line_ended);
    return true;
  }
  return false;
}

std::size_t RecordReader::ReadText() {
  // The text starts, and every step of it ends, at a line start.
  text_.clear();
  text_in_block_ = {};
  std::size_t length = 0;
  bool first = true;
  for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
    if (StartsWithDescription(bytes)) break;  // NextRecord reads it
    if (AppendPlainLines(bytes, first, length)) continue;
    // A line that is not plain, or that goes on in the next block.
    if (!AppendLine(first, length)) break;
  }
  if (text_in_block_.data() == nullptr) text_in_block_ = text_.view();
  return length;
}

TextBuffer& RecordReader::Text() {
  if (text_in_block_.data() != nullptr) {
    text_.append(text_in_block_);
    text_in_block_ = {};
  }
  return text_;
}

// Plain lines are neither blank nor description lines, so they join the
// text as they stand, CRs left out; their length follows from byte counts.
bool RecordReader::AppendPlainLines(std::string_view bytes, bool& first, std::size_t& length) {
  const PlainLines plain = LeadingPlainLines(bytes);
  if (plain.size == 0) return false;
  std::string_view lines = bytes.substr(0, plain.size - 1);  // the last LF joins nothing
  std::int64_t carriage_returns = plain.carriage_returns;
  if (carriage_returns == 1 && plain.line_feeds == 1 && lines.back() == '\r') {  // one line, ended by CR LF
    lines.remove_suffix(1);
    carriage_returns = 0;
  }
  length += static_cast<std::size_t>(plain.characters());
  source_.Skip(plain.size);
  // A text that is one run of lines without CRs is left where it stands
  // while the block holds it: the run ends before the block does.
  if (first && carriage_returns == 0 && plain.size < bytes.size()) {
    first = false;
    text_in_block_ = lines;
    return true;
  }
  TextBuffer& text = Text();
  if (!first) text.push_back('\n');
  first = false;
  if (carriage_returns == 0) {
    text.append(lines);
  } else {
    const std::size_t room = lines.size() + kLineCopySlack;
    std::size_t written = 0;
    CopyLines(lines, text.Reserve(room), room, LineBreaks::kLf, MarkedLines::kCopied, written);
    text.Extend(written);
  }
  return true;
}

// Reads one line by the rules; false when the text has ended.
bool RecordReader::AppendLine(bool& first, std::size_t& length) {
  TextBuffer& text = Text();  // before a read that may fetch the next block
  bool line_ended = false;
  const std::string_view piece = source_.ReadLinePiece(line_ended);
  if (IsDescription(piece)) {
    next_description_.clear();
    AppendRestOfLine(source_, next_description_, piece, line_ended);
    next_description_read_ = true;
    return false;
  }
  // The line goes straight into the text; a blank one that is skipped is
  // taken out again.
  const std::size_t line_start = text.size();
  if (!first) text.push_back('\n');
  const std::size_t line_begin = text.size();
  AppendRestOfLine(source_, text, piece, line_ended);
  const std::string_view line = text.view().substr(line_begin);
  const bool blank = IsBlank(line);
  if (blank && blank_lines_ == BlankLineRule::kSkipped) {
    text.resize_down(line_start);
    return true;
  }
  first = false;
  length += line.size();
  return !blank;
}

}  // namespace vendral
