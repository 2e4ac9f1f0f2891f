// The line rules of a reading line file applied to a whole stretch of a
// block at once, for the tools that need no line one at a time. Stretches
// are the raw bytes that LineFile::UnreadBytes hands out, CRs included:
// every CR is left out of a line (before an LF it belongs to the break),
// and an LF ends a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vendral {

// Whether a line starts where bytes end: nothing but CRs follow the last LF
// in bytes, or, where bytes hold no LF, they are CRs only after a start.
inline bool EndsAtLineStart(std::string_view bytes, bool at_line_start) {
  // Looking back over the CRs at the end spares a search through a long line.
  std::size_t end = bytes.size();
  while (end > 0 && bytes[end - 1] == '\r') --end;
  return end == 0 ? at_line_start : bytes[end - 1] == '\n';
}

// The run of plain lines at the start of a stretch that begins at a line
// start: whole lines, each ended by LF, whose first byte is above the
// space and no ">". Such a line is neither blank nor a description line,
// whatever follows its first byte, and most sequence lines are such lines,
// so their rules need no look at each line.
struct PlainLines {
  std::size_t size = 0;  // bytes, up to and with the last one's LF
  std::int64_t line_feeds = 0;
  std::int64_t carriage_returns = 0;  // all left out when the lines are read
  // The characters of the lines, without their breaks.
  std::int64_t characters() const { return static_cast<std::int64_t>(size) - line_feeds - carriage_returns; }
};
PlainLines LeadingPlainLines(std::string_view bytes);

// How a copy of lines writes their breaks.
enum class LineBreaks {
  kCrLf,  // as a writing line file ends its lines
  kLf,    // as the lines of a record text are joined
};

// A marked line starts with ">" or a CR: it may be a description line.
enum class MarkedLines {
  kCopied,
  kStopBefore,  // the copy stops before one that is not the first line
};

// Copies the lines of a stretch as they read: every CR left out, every LF
// written as the breaks ask. It works a vector at a time and stores whole
// vectors, so it stops when the input is used up or fewer than
// kLineCopySlack bytes of room are left after what it wrote, and never
// stores past room; and before a marked line when asked. Returns how many
// bytes of input it took; written gets how many it wrote.
inline constexpr std::size_t kLineCopySlack = 128;
std::size_t CopyLines(std::string_view bytes, char* out, std::size_t room, LineBreaks breaks, MarkedLines marked,
                      std::size_t& written);

}  // namespace vendral
