// The description line: a line whose first character is ">". It starts a
// record; the rest of the line is the record's description. Every reader
// and writer of records takes the rule from here.
#pragma once

#include <cstddef>
#include <string_view>

namespace vendral {

inline constexpr char kDescriptionMark = '>';

// A line, as read (its CRs left out), that is a description line.
inline bool IsDescription(std::string_view line) { return !line.empty() && line[0] == kDescriptionMark; }

// In raw bytes, where CRs are still in, a line that starts with ">" or a
// CR may be a description line: a marked line.
inline bool StartsMarkedLine(char first) { return first == kDescriptionMark || first == '\r'; }

// Whether a description line starts raw bytes that begin at a line start.
inline bool StartsWithDescription(std::string_view bytes) {
  std::size_t first = 0;
  while (first < bytes.size() && bytes[first] == '\r') ++first;
  return first < bytes.size() && bytes[first] == kDescriptionMark;
}

// Where the first description line in raw bytes starts (just after the LF
// that ends the line before it; CRs before its ">" are dropped as
// everywhere), or npos. at_line_start: bytes begin at the start of a line.
std::size_t FindDescription(std::string_view bytes, bool at_line_start);

}  // namespace vendral
