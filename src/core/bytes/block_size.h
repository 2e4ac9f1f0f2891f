// The block: how many bytes a line file reads from its source, and writes
// to its file, at a time. Large blocks keep the system calls few; what a
// caller of the line file sees does not depend on the size.
#pragma once

#include <cstddef>

namespace vendral {

inline constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace vendral
