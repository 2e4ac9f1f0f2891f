#include "core/record_reader.h"

#include <algorithm>

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
  // Nothing but a description line matters here, inside or outside a
  // record, so skipping the rest of a record is plain skipping.
  if (next_description_read_) {
    next_description_read_ = false;
    description_.swap(next_description_);  // both keep their storage
    return true;
  }
  while (!source_.AtEnd()) {
    bool line_ended = false;
    const std::string_view piece = source_.ReadLinePiece(line_ended);
    if (IsDescription(piece)) {
      description_.clear();
      AppendRestOfLine(source_, description_, piece, line_ended);
      return true;
    }
    while (!line_ended) source_.ReadLinePiece(line_ended);
  }
  return false;
}

std::size_t RecordReader::ReadText() {
  TextBuffer& text = text_;
  text.clear();
  std::size_t length = 0;
  bool first = true;
  while (!source_.AtEnd()) {
    bool line_ended = false;
    const std::string_view piece = source_.ReadLinePiece(line_ended);
    if (IsDescription(piece)) {
      next_description_.clear();
      AppendRestOfLine(source_, next_description_, piece, line_ended);
      next_description_read_ = true;
      break;
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
      continue;
    }
    first = false;
    length += line.size();
    if (blank) break;
  }
  return length;
}

}  // namespace vendral
