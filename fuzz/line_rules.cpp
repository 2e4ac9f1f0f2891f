#include "line_rules.h"

namespace vendral::fuzz {

ReferenceLineReader::ReferenceLineReader(std::string_view bytes)
    : bytes_(bytes.substr(0, bytes.find('\x1a'))) {}

std::string ReferenceLineReader::ReadLine() {
  std::string line;
  while (next_ < bytes_.size()) {
    const char byte = bytes_[next_++];
    if (byte == '\n') break;
    if (byte == '\r') {
      if (next_ < bytes_.size() && bytes_[next_] == '\n') {
        ++next_;
        break;
      }
      continue;  // a lone CR is dropped
    }
    line += byte;
  }
  return line;
}

std::vector<std::string> ReferenceLines(std::string_view bytes) {
  ReferenceLineReader reader(bytes);
  std::vector<std::string> lines;
  while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
  return lines;
}

bool StartsRecord(std::string_view line) { return !line.empty() && line[0] == '>'; }

bool IsBlankLine(std::string_view line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

}  // namespace vendral::fuzz
