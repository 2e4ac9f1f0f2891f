// Counting the bytes of a text that are of one class (given letters in
// either case, line breaks, blanks): the inner loops of the composition
// tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/scan/scan.h"

namespace vendral {

// What one pass over a stretch of sequence lines tells: the letters "GC"
// (or the twelve "LVWIFMPCDEKR") in either case, the
// bytes up to the space (the blank and control characters, LF and CR among
// them) and the LF bytes.
struct StretchCounts {
  std::int64_t letters = 0;
  std::int64_t up_to_space = 0;
  std::int64_t line_feeds = 0;
};
StretchCounts CountGcStretch(std::string_view text);
StretchCounts CountArdentaStretch(std::string_view text);

std::int64_t CountCarriageReturns(std::string_view text);

// The bytes of one chunk of a source that the composition tools tell
// apart, as masks. Made for a batch of chunks at once, so that the rules
// can follow records, lines and counts on the masks without going over the
// bytes again.
struct ChunkClasses {
  std::uint64_t letters = 0;  // as StretchCounts::letters
  std::uint64_t up_to_space = 0;
  std::uint64_t line_feeds = 0;
  std::uint64_t carriage_returns = 0;
  std::uint64_t marks = 0;  // ">"
};
// out gets one entry for each chunk of text, the last one cut short (no
// bit past the end of text is set).
using ChunkClassifier = void (*)(std::string_view text, ChunkClasses* out);
void ClassifyGcChunks(std::string_view text, ChunkClasses* out);
void ClassifyArdentaChunks(std::string_view text, ChunkClasses* out);

}  // namespace vendral
