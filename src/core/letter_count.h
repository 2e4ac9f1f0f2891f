// Counting the bytes of a text that are of one class (given letters in
// either case, line breaks, blanks): the inner loops of the composition
// tools.
#pragma once

#include <cstdint>
#include <string_view>

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

}  // namespace vendral
