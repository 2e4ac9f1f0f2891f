#include "block_spread.h"

#include <utility>

#include "core/bytes/compression/decompressor.h"

namespace vendral::fuzz {
namespace {

enum class Filler { kNone, kOneLongLine, kShortLines, kBodyCopies };

std::string ShortLines(std::size_t size, bool cr_lf) {
  const std::string line = cr_lf ? std::string(58, 'C') + "\r\n" : std::string(59, 'G') + "\n";
  std::string filler;
  while (filler.size() < size) filler += line;
  filler.resize(size);
  return filler;
}

std::string BodyCopies(std::size_t size, std::string_view body) {
  if (body.empty()) return std::string(size, 'A');
  std::string filler;
  while (filler.size() < size) filler += body;
  filler.resize(size);
  return filler;
}

}  // namespace

std::string SpreadOverBlocks(FuzzInput& input) {
  const std::uint8_t layout = input.Byte();
  const unsigned offset = input.Byte() | (input.Byte() << 8u);
  const std::string_view body = input.Rest();

  const auto filler = static_cast<Filler>(layout & 3u);
  if (filler == Filler::kNone) return AsText(std::string(body));
  const std::size_t blocks = 1 + ((layout >> 2) & 1u);
  const std::size_t size = blocks * kBlockSize - 256 + offset % 512;
  std::string file;
  switch (filler) {
    case Filler::kOneLongLine: file.assign(size, 'T'); break;
    case Filler::kShortLines: file = ShortLines(size, (layout >> 3) & 1u); break;
    case Filler::kBodyCopies: file = BodyCopies(size, body); break;
    case Filler::kNone: break;
  }
  file += body;
  return AsText(std::move(file));
}

std::string AsText(std::string file) {
  if (DetectCompression(std::string_view(file).substr(0, kCompressionMagicSize)) != Compression::kNone) file[0] = '\n';
  return file;
}

}  // namespace vendral::fuzz
