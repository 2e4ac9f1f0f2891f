// Counting the bytes of a text that are of one class (given letters in
// either case, line breaks, blanks): the inner loops of the composition
// tools.
#pragma once

#include <cstdint>
#include <string_view>

namespace vendral {

// The number of bytes of text that are one of the letters "GC" or their
// lower-case forms.
std::int64_t CountGcLetters(std::string_view text);
// The same for the twelve letters "LVWIFMPCDEKR".
std::int64_t CountArdentaLetters(std::string_view text);

// The number of LF bytes, of CR bytes, and of bytes up to the space (the
// blank and control characters, LF and CR among them): what tells the
// length of the lines in a stretch of a file.
std::int64_t CountLineFeeds(std::string_view text);
std::int64_t CountCarriageReturns(std::string_view text);
std::int64_t CountUpToSpace(std::string_view text);

}  // namespace vendral
