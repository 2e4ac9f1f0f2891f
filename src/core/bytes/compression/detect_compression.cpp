#include <array>

#include "core/bytes/compression/decompressor.h"

namespace vendral {
namespace {

struct Magic {
  Compression format;
  std::string_view bytes;
};

constexpr std::array kMagics{
    Magic{Compression::kGzip, std::string_view("\x1f\x8b", 2)},
    Magic{Compression::kZstd, std::string_view("\x28\xb5\x2f\xfd", 4)},
    Magic{Compression::kXz, std::string_view("\xfd\x37\x7a\x58\x5a\x00", 6)},
};

// bzip2's magic ends with the block size, '1' to '9'.
bool StartsLikeBzip2(std::string_view head) {
  return head.size() >= 4 && head.starts_with("BZh") && head[3] >= '1' && head[3] <= '9';
}

}  // namespace

Compression DetectCompression(std::string_view head) {
  for (const Magic& magic : kMagics) {
    if (head.starts_with(magic.bytes)) return magic.format;
  }
  return StartsLikeBzip2(head) ? Compression::kBzip2 : Compression::kNone;
}

}  // namespace vendral
