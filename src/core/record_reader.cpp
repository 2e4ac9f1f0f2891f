#include "core/record_reader.h"

#include <algorithm>

namespace vendral {

bool IsDescription(const std::string& line) { return !line.empty() && line[0] == '>'; }

bool IsBlank(const std::string& line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

RecordReader::RecordReader(LineFile& source, BlankLineRule blank_lines)
    : source_(source), blank_lines_(blank_lines) {}

bool RecordReader::NextRecord() {
  // Nothing but a description line matters here, inside or outside a
  // record, so skipping the rest of a record is plain skipping.
  while (!next_description_read_) {
    if (source_.AtEnd()) return false;
    source_.ReadLine(line_);
    next_description_read_ = IsDescription(line_);
  }
  next_description_read_ = false;
  description_.swap(line_);  // both keep their storage
  return true;
}

std::size_t RecordReader::ReadText(std::string& text) {
  text.clear();
  std::size_t length = 0;
  bool first = true;
  while (!source_.AtEnd()) {
    source_.ReadLine(line_);
    if (IsDescription(line_)) {
      next_description_read_ = true;
      break;
    }
    const bool blank = IsBlank(line_);
    if (blank && blank_lines_ == BlankLineRule::kSkipped) continue;
    if (!first) text += '\n';
    first = false;
    text += line_;
    length += line_.size();
    if (blank) break;
  }
  return length;
}

}  // namespace vendral
