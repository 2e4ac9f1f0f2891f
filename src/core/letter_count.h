// Counting the bytes of a text that are given letters, in either case:
// the inner loop of the composition tools.
#pragma once

#include <cstdint>
#include <string_view>

namespace vendral {

// The number of bytes of text that are one of the letters "GC" or their
// lower-case forms.
std::int64_t CountGcLetters(std::string_view text);
// The same for the twelve letters "LVWIFMPCDEKR".
std::int64_t CountArdentaLetters(std::string_view text);

}  // namespace vendral
