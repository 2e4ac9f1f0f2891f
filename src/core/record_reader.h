// Reads the records of a multiFASTA source one at a time: a description
// line and the lines after it. Lines outside a record are skipped. What a
// blank line inside a record does is the one rule in which Lenmark and
// Listrel differ. The source is read a block at a time: what is skipped is
// skipped up to the next description line at once, and a run of plain
// lines goes into the text at once; other lines are read one by one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/line_file.h"
#include "core/text_buffer.h"

namespace vendral {

enum class BlankLineRule {
  kSkipped,     // passed over; the record goes on
  kEndsRecord,  // the record's last line
};

// A line whose first character is ">".
inline bool IsDescription(std::string_view line) { return !line.empty() && line[0] == '>'; }
// An empty line, or one of characters up to the space only.
bool IsBlank(std::string_view line);

class RecordReader {
 public:
  // source must be open for reading.
  RecordReader(LineFile& source, BlankLineRule blank_lines);

  // Moves to the next record, skipping whatever is left of the current
  // one. False when the source holds no more records.
  bool NextRecord();
  // The current record's description line; valid until NextRecord.
  const std::string& description() const { return description_; }
  // Reads the current record's lines, joined by LF, into text(), and
  // returns their total length without the joining LF bytes.
  std::size_t ReadText();
  // The text that ReadText read; valid until the next ReadText or
  // NextRecord.
  std::string_view text() const { return text_in_block_; }

 private:
  bool AppendPlainLines(std::string_view bytes, bool& first, std::size_t& length);
  bool AppendLine(bool& first, std::size_t& length);
  TextBuffer& Text();  // text_, with what text_in_block_ held

  LineFile& source_;
  const BlankLineRule blank_lines_;
  TextBuffer text_;
  // The text: while ReadText runs, a first run of lines that still stands
  // in the source's block (or nothing); then the whole text, wherever it is.
  std::string_view text_in_block_;
  std::string description_;
  std::string next_description_;
  bool next_description_read_ = false;  // next_description_ holds the next record's start
  bool at_line_start_ = true;           // nothing but CRs since the last LF or the start
};

}  // namespace vendral
