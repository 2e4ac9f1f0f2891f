#include "core/scan/letter_count.h"

#include <algorithm>

#include "core/scan/byte_classes.h"
#include "core/scan/byte_lanes.h"
#include "core/scan/chunk_masks.h"
#include "core/scan/dispatch.h"
#include "core/scan/scan.h"

namespace vendral {
namespace {

using scan::Counts;
using scan::VectorUnit;

using GcLetters = scan::Letters<'G', 'C'>;
using ArdentaLetters = scan::Letters<'L', 'V', 'W', 'I', 'F', 'M', 'P', 'C', 'D', 'E', 'K', 'R'>;

// Several classes are counted in one pass over the bytes, each on its own:
// a byte at a time, or a vector at a time in the byte lanes of a unit.
template <typename... Classes>
struct CountLoop {
  template <VectorUnit kUnit>
  static Counts<Classes...> Run(std::string_view text) {
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    Counts<Classes...> counts{};
    if constexpr (kUnit == VectorUnit::kPlain) {
      for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t k = 0;
        ((counts[k++] += Classes::Hit(data[i])), ...);
      }
    } else {
      using Lanes = scan::ByteLanes<kUnit>;
      constexpr std::size_t kWidth = Lanes::kWidth;
      if (text.size() < kWidth) return Run<Lanes::kNarrower>(text);
      const std::size_t vectors = text.size() / kWidth;
      for (std::size_t done = 0; done < vectors; done += scan::kMostVectors) {
        const std::size_t batch = std::min(scan::kMostVectors, vectors - done);
        Lanes::template Add<Classes...>(data + kWidth * done, batch, counts);
      }
      // The last vector's bytes again, without the lanes counted already.
      if (const std::size_t rest = text.size() % kWidth; rest > 0) {
        Lanes::template AddLast<Classes...>(data + text.size() - kWidth, kWidth - rest, counts);
      }
    }
    return counts;
  }
};

template <typename... Classes>
using CountCopies = scan::LoopCopies<CountLoop<Classes...>, Counts<Classes...>, std::string_view>;

template <typename Letters, VectorUnit kUnit>
ChunkClasses ClassifyChunk(const char* chunk) {
  using Masks = scan::ChunkMasks<kUnit>;
  ChunkClasses c;
  c.letters = Masks::template Mask<Letters>(chunk);
  c.up_to_space = Masks::template Mask<scan::UpToSpace>(chunk);
  c.line_feeds = Masks::template Mask<scan::LineFeed>(chunk);
  // Most chunks hold no blank or control character but LFs, so no CR.
  if ((c.up_to_space & ~c.line_feeds) != 0) {
    c.carriage_returns = Masks::template Mask<scan::CarriageReturn>(chunk);
  }
  c.marks = Masks::template Mask<scan::DescriptionMark>(chunk);
  return c;
}

template <typename Letters>
struct ClassifyLoop {
  template <VectorUnit kUnit>
  static void Run(std::string_view text, ChunkClasses* out) {
    std::size_t at = 0;
    for (; at + kChunkBytes <= text.size(); at += kChunkBytes) {
      *out++ = ClassifyChunk<Letters, kUnit>(text.data() + at);
    }
    if (at == text.size()) return;
    const std::size_t left = text.size() - at;
    char last[kChunkBytes];
    ChunkClasses c = ClassifyChunk<Letters, kUnit>(scan::CopyShortChunk(text.data() + at, left, last));
    const std::uint64_t valid = LanesBelow(left);
    for (std::uint64_t* mask : {&c.letters, &c.up_to_space, &c.line_feeds, &c.carriage_returns, &c.marks}) {
      *mask &= valid;
    }
    *out = c;
  }
};

template <typename Letters>
using ClassifyCopies = scan::LoopCopies<ClassifyLoop<Letters>, void, std::string_view, ChunkClasses*>;

template <typename Letters>
StretchCounts CountStretch(std::string_view text) {
  static const auto count = CountCopies<Letters, scan::UpToSpace, scan::LineFeed>::Best();
  const auto counts = count(text);
  return {counts[0], counts[1], counts[2]};
}

}  // namespace

StretchCounts CountGcStretch(std::string_view text) { return CountStretch<GcLetters>(text); }

StretchCounts CountArdentaStretch(std::string_view text) { return CountStretch<ArdentaLetters>(text); }

void ClassifyGcChunks(std::string_view text, ChunkClasses* out) {
  static const ChunkClassifier classify = ClassifyCopies<GcLetters>::Best();
  classify(text, out);
}

void ClassifyArdentaChunks(std::string_view text, ChunkClasses* out) {
  static const ChunkClassifier classify = ClassifyCopies<ArdentaLetters>::Best();
  classify(text, out);
}

std::int64_t CountCarriageReturns(std::string_view text) {
  static const auto count = CountCopies<scan::CarriageReturn>::Best();
  return count(text)[0];
}

}  // namespace vendral
