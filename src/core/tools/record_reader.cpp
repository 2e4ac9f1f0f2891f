#include "core/tools/record_reader.h"

#include <algorithm>

#include "core/scan/description_line.h"
#include "core/scan/line_stretch.h"

namespace vendral {

bool IsBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

RecordReader::RecordReader(LineFile& source, BlankLineRule blank_lines, RunRecord* record)
    : source_(source), blank_lines_(blank_lines), record_(record) {}

namespace {

// Appends the rest of the line whose first piece is given, piece by piece:
// a long line is held once, in the string it ends up in.
void AppendRestOfLine(LineFile& source, std::string& text, std::string_view piece, bool line_ended) {
  for (;;) {
    text.append(piece);
    if (line_ended) return;
    piece = source.ReadLinePiece(line_ended);
  }
}

}  // namespace

bool RecordReader::NextRecord() {
  const bool found = ReadNextDescription();
  if (found && record_) ++record_->records_read;
  return found;
}

bool RecordReader::ReadNextDescription() {
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

void RecordReader::CopyRecordAsRead(LineFile& output) {
  CountWritten();
  output.WriteLine(description_);
  bool line_open = false;  // bytes (CRs too) since the last LF: a line to be ended
  for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
    if (at_line_start_ && StartsWithDescription(bytes)) return;  // the next record's, for NextRecord
    const std::string_view lines = bytes.substr(0, output.WriteRawLines(bytes, MarkedLines::kStopBefore));
    at_line_start_ = EndsAtLineStart(lines, at_line_start_);
    line_open = lines.back() != '\n';
    source_.Skip(lines.size());
  }
  // The source's last line gets a break also where the source has none.
  if (line_open) output.WriteLine({});
}

void RecordReader::CopyRecord(std::string_view description, WrittenLengths written, LineFile& output) {
  copied_description_ = description;
  written_ = written;
  output_ = &output;
  fate_ = Fate::kOpen;
  sink_ = Sink::kHeld;
  length_ = 0;
  first_line_ = true;
  held_.clear();
  held_in_block_ = {};
  try {
    // The text starts, and every step of it ends, at a line start. The fate
    // is looked at before each step but the first that finds the text
    // ended: a text that lies whole in the block is complete by then.
    for (std::string_view bytes; !(bytes = source_.UnreadBytes()).empty();) {
      if (StartsWithDescription(bytes)) break;  // NextRecord reads it
      Decide();
      // A run of plain lines at once, else one line, which may go on in
      // the next block.
      if (!PassPlainLines(bytes) && !PassLine()) break;
    }
  } catch (...) {
    // Had the record been held whole, a failed reading would have left the
    // output after the record before it.
    if (sink_ == Sink::kOutput && !output.WriteRefused()) output.TakeBackTo(record_start_);
    throw;
  }
  if (fate_ == Fate::kOpen) Settle(true);
  if (fate_ != Fate::kWritten) return;
  if (sink_ == Sink::kOutput) {
    output.WriteLine({});
  } else {
    output.WriteLine(description);
    output.WriteLine(HeldText());
  }
  CountWritten();
}

void RecordReader::Settle(bool complete) {
  if (length_ < written_.least || length_ > written_.most) {
    fate_ = Fate::kDropped;
    sink_ = Sink::kNowhere;
    return;
  }
  fate_ = Fate::kWritten;
  // A complete record, or one that goes where it could not be taken back,
  // is written from what is held.
  if (complete || !output_->CanTakeBack()) return;
  record_start_ = output_->WrittenSize();
  output_->WriteLine(copied_description_);
  output_->Write(HeldText());
  sink_ = Sink::kOutput;
}

TextBuffer& RecordReader::Held() {
  if (held_in_block_.data() != nullptr) {
    held_.append(held_in_block_);
    held_in_block_ = {};
  }
  return held_;
}

void RecordReader::Pass(std::string_view bytes, bool carriage_returns) {
  switch (sink_) {
    case Sink::kHeld: {
      TextBuffer& held = Held();
      if (!carriage_returns) {
        held.append(bytes);
        return;
      }
      const std::size_t room = bytes.size() + kLineCopySlack;
      std::size_t written = 0;
      CopyLines(bytes, held.Reserve(room), room, LineBreaks::kLf, MarkedLines::kCopied, written);
      held.Extend(written);
      return;
    }
    case Sink::kOutput:
      if (carriage_returns) {
        output_->WriteRawLines(bytes, MarkedLines::kCopied, LineBreaks::kLf);
      } else {
        output_->Write(bytes);
      }
      return;
    case Sink::kNowhere: return;
  }
}

// Plain lines are neither blank nor description lines, so they join the
// text as they stand, CRs left out; their length follows from byte counts.
bool RecordReader::PassPlainLines(std::string_view bytes) {
  const PlainLines plain = LeadingPlainLines(bytes);
  if (plain.size == 0) return false;
  std::string_view lines = bytes.substr(0, plain.size - 1);  // the last LF joins nothing
  std::int64_t carriage_returns = plain.carriage_returns;
  if (carriage_returns == 1 && plain.line_feeds == 1 && lines.back() == '\r') {  // one line, ended by CR LF
    lines.remove_suffix(1);
    carriage_returns = 0;
  }
  length_ += plain.characters();
  source_.Skip(plain.size);
  // A held text that is one run of lines without CRs is left where it
  // stands while the block holds it: the run ends before the block does.
  if (sink_ == Sink::kHeld && first_line_ && carriage_returns == 0 && plain.size < bytes.size()) {
    held_in_block_ = lines;
  } else {
    if (!first_line_) Pass("\n");
    Pass(lines, carriage_returns != 0);
  }
  first_line_ = false;
  return true;
}

// Reads one line by the rules; false when the text has ended.
bool RecordReader::PassLine() {
  if (sink_ == Sink::kHeld) Held();  // before a read that may fetch the next block
  bool line_ended = false;
  std::string_view piece = source_.ReadLinePiece(line_ended);
  if (IsDescription(piece)) {
    next_description_.clear();
    AppendRestOfLine(source_, next_description_, piece, line_ended);
    next_description_read_ = true;
    return false;
  }
  // Whether a line is blank shows at its first byte above the space, or at
  // its end: until then its start waits here.
  blank_start_.clear();
  while (!line_ended && IsBlank(piece)) {
    blank_start_.append(piece);
    piece = source_.ReadLinePiece(line_ended);
  }
  const bool blank = line_ended && IsBlank(piece);
  if (blank && blank_lines_ == BlankLineRule::kSkipped) return true;
  if (!first_line_) Pass("\n");
  first_line_ = false;
  Pass(blank_start_);
  length_ += static_cast<std::int64_t>(blank_start_.size());
  for (;;) {
    Pass(piece);
    length_ += static_cast<std::int64_t>(piece.size());
    if (line_ended) return !blank;
    Decide();  // a long line may tell the record's fate before it ends
    piece = source_.ReadLinePiece(line_ended);
  }
}

}  // namespace vendral
