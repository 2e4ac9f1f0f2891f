#include "line_rules.h"

#include <algorithm>

namespace vendral::fuzz {

ReferenceLineReader::ReferenceLineReader(std::string_view bytes)
    : bytes_(bytes.substr(0, bytes.find('\x1a'))) {}

std::string ReferenceLineReader::ReadLine() {
  std::string line;
  while (next_ < bytes_.size()) {
    // The bytes up to the next LF or CR belong to the line as they are.
    const std::size_t stop = std::min(bytes_.find_first_of("\r\n", next_), bytes_.size());
    line.append(bytes_.substr(next_, stop - next_));
    next_ = stop;
    if (next_ == bytes_.size()) break;
    const char byte = bytes_[next_++];
    if (byte == '\n') break;
    if (next_ < bytes_.size() && bytes_[next_] == '\n') {  // CR LF
      ++next_;
      break;
    }
    // a lone CR is dropped
  }
  return line;
}

std::vector<std::string> ReferenceLines(std::string_view bytes) {
  ReferenceLineReader reader(bytes);
  std::vector<std::string> lines;
  while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
  return lines;
}

bool IsBlankLine(std::string_view line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

}  // namespace vendral::fuzz
