#include "core/record_reader.h"

#include <algorithm>

namespace vendral {

bool IsBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

RecordReader::RecordReader(LineFile& source, BlankLineRule blank_lines)
    : source_(source), blank_lines_(blank_lines) {}

bool RecordReader::NextRecord() {
  // Nothing but a description line matters here, inside or outside a
  // record, so skipping the rest of a record is plain skipping.
  if (next_description_read_) {
    next_description_read_ = false;
    description_.swap(next_description_);  // both keep their storage
    return true;
  }
  while (!source_.AtEnd()) {
    const std::string_view line = source_.ReadLineView();
    if (IsDescription(line)) {
      description_.assign(line);
      return true;
    }
  }
  return false;
}

std::size_t RecordReader::ReadText(std::string& text) {
  text.clear();
  std::size_t length = 0;
  bool first = true;
  while (!source_.AtEnd()) {
    const std::string_view line = source_.ReadLineView();
    if (IsDescription(line)) {
      next_description_.assign(line);
      next_description_read_ = true;
      break;
    }
    const bool blank = IsBlank(line);
    if (blank && blank_lines_ == BlankLineRule::kSkipped) continue;
    if (!first) text += '\n';
    first = false;
    text += line;
    length += line.size();
    if (blank) break;
  }
  return length;
}

}  // namespace vendral
