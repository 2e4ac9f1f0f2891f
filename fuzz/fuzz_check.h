// What a fuzz target does when the code under test disagrees with its
// reference: print both sides and abort, which libFuzzer reports as a
// finding and saves the input for.
#pragma once

#include <string_view>

namespace vendral::fuzz {

[[noreturn]] void Fail(std::string_view what, std::string_view expected, std::string_view got);

inline void RequireEqual(std::string_view what, std::string_view expected, std::string_view got) {
  if (expected != got) Fail(what, expected, got);
}

inline void Require(bool holds, std::string_view what) {
  if (!holds) Fail(what, "true", "false");
}

}  // namespace vendral::fuzz
