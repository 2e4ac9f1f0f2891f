// Reads the records of a multiFASTA source one at a time: a description
// line and the lines after it. Lines outside a record are skipped. What a
// blank line inside a record does is the one rule in which Lenmark and
// Listrel differ. The source is read a block at a time: what is skipped is
// skipped up to the next description line at once, and a run of plain
// lines is taken at once; other lines are read one by one, in pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/lines/line_file.h"
#include "core/lines/text_buffer.h"
#include "core/run/run_record.h"

namespace vendral {

enum class BlankLineRule {
  kSkipped,     // passed over; the record goes on
  kEndsRecord,  // the record's last line
};

// An empty line, or one of characters up to the space only.
bool IsBlank(std::string_view line);

// The lengths of text, in characters without the LF bytes that join its
// lines, for which a record is written: from least to most, both included.
// A text only grows, so its record's fate often shows before its end.
struct WrittenLengths {
  static constexpr std::int64_t kNoLimit = INT64_MAX;
  std::int64_t least = 0;
  std::int64_t most = kNoLimit;
};
inline constexpr WrittenLengths kEveryLength{};
inline constexpr WrittenLengths kNoLength{0, -1};

class RecordReader {
 public:
  // source must be open for reading. With a record, the records read and
  // those written count into it.
  RecordReader(LineFile& source, BlankLineRule blank_lines, RunRecord* record = nullptr);

  // Moves to the next record, skipping whatever is left of the current
  // one. False when the source holds no more records.
  bool NextRecord();
  // The current record's description line; valid until NextRecord.
  const std::string& description() const { return description_; }

  // Reads the current record's text, its lines joined by LF, and writes the
  // record when the text's length is one of `written`: `description` as
  // one WriteLine, the text as another. The text is held only while its
  // fate is open; after that the rest is passed over, or written as it is
  // read, into an output that can take it back should the reading fail
  // (see LineFile::TakeBackTo).
  void CopyRecord(std::string_view description, WrittenLengths written, LineFile& output);

  // Writes the current record as it stands: its description line, then
  // every line after it up to the next description line, blank ones too,
  // each as read and ended with the output's line break.
  void CopyRecordAsRead(LineFile& output);

 private:
  enum class Fate { kOpen, kWritten, kDropped };
  // Where the text goes as it is read.
  enum class Sink { kHeld, kOutput, kNowhere };

  bool ReadNextDescription();
  void CountWritten() {
    if (record_) ++record_->records_written;
  }

  bool PassPlainLines(std::string_view bytes);
  bool PassLine();
  // To the sink: text bytes as they stand, or lines whose CRs are left out.
  void Pass(std::string_view bytes, bool carriage_returns = false);
  // Settles the fate where the length read so far tells it before the
  // text's end; Settle(true) settles it at the end.
  void Decide() {
    if (fate_ == Fate::kOpen && (length_ > written_.most ||
                                 (length_ >= written_.least && written_.most == WrittenLengths::kNoLimit))) {
      Settle(false);
    }
  }
  void Settle(bool complete);
  TextBuffer& Held();  // held_, with what held_in_block_ held
  std::string_view HeldText() const { return held_in_block_.data() ? held_in_block_ : held_.view(); }

  LineFile& source_;
  const BlankLineRule blank_lines_;
  RunRecord* const record_;
  std::string description_;
  std::string next_description_;
  bool next_description_read_ = false;  // next_description_ holds the next record's start
  bool at_line_start_ = true;           // nothing but CRs since the last LF or the start

  // The record that CopyRecord reads.
  std::string_view copied_description_;
  WrittenLengths written_;
  LineFile* output_ = nullptr;
  Fate fate_ = Fate::kOpen;
  Sink sink_ = Sink::kHeld;
  std::int64_t length_ = 0;
  bool first_line_ = true;          // no line of the text read yet
  std::uint64_t record_start_ = 0;  // where the record starts in the output, once it goes there
  // The held text: a first run of lines that still stands in the source's
  // block (or nothing), else held_.
  TextBuffer held_;
  std::string_view held_in_block_;
  std::string blank_start_;  // the start of a line not yet known to be blank or not
};

}  // namespace vendral
