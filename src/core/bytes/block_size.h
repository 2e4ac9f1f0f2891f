// The block: how many bytes a line file reads from its source, and writes
// to its file, at a time. Large blocks keep the system calls few; what a
// caller of the line file sees does not depend on the size.
#pragma once

#include <cstddef>

namespace vendral {

#ifndef VENDRAL_BLOCK_SIZE
#define VENDRAL_BLOCK_SIZE (64 * 1024)
#endif
inline constexpr std::size_t kBlockSize = VENDRAL_BLOCK_SIZE;
static_assert(kBlockSize >= 1024 && kBlockSize % 1024 == 0, "blocks of whole KiB");

}  // namespace vendral
