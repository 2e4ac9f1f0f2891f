#include "core/scan/letter_count.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/scan/description_line.h"

namespace vendral {
namespace {

// The reference: one byte at a time, upper-casing only a to z.
std::int64_t Reference(std::string_view text, std::string_view letters) {
  std::int64_t hits = 0;
  for (char c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    hits += letters.find(c) != std::string_view::npos;
  }
  return hits;
}

TEST(LetterCount, AgreesWithByteByByteCountingAtEveryLengthAndOffset) {
  // Every byte value, so that bytes which only look like letters after
  // masking (0xC7, 0xE7, '\'' ...) are covered, in a scrambled order.
  std::string pool;
  for (int round = 0; round < 12; ++round) {
    for (int b = 0; b < 256; ++b) pool += static_cast<char>((b * 73 + round * 31) & 0xFF);
  }
  // More than 255 hits per lane.
  pool += std::string(5000, 'g') + std::string(300, 'C') + std::string(600, '\n') + std::string(600, '\r');
  for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 31u, 60u, 61u, 255u, 4096u, 4112u}) {
    for (std::size_t offset = 0; offset < 17 && offset + length <= pool.size(); ++offset) {
      const std::string_view text(pool.data() + offset, length);
      ASSERT_EQ(CountCarriageReturns(text), std::count(text.begin(), text.end(), '\r')) << length;
      const auto blanks = std::count_if(text.begin(), text.end(),
                                        [](char c) { return static_cast<unsigned char>(c) <= ' '; });
      const auto lfs = std::count(text.begin(), text.end(), '\n');
      for (const auto& [counts, letters] : {std::pair{CountGcStretch(text), "GC"},
                                            std::pair{CountArdentaStretch(text), "LVWIFMPCDEKR"}}) {
        ASSERT_EQ(counts.letters, Reference(text, letters)) << length << '@' << offset;
        ASSERT_EQ(counts.up_to_space, blanks) << length << '@' << offset;
        ASSERT_EQ(counts.line_feeds, lfs) << length << '@' << offset;
      }
    }
  }
  EXPECT_EQ(CountGcStretch(pool).letters, Reference(pool, "GC"));
  EXPECT_EQ(CountArdentaStretch(pool).letters, Reference(pool, "LVWIFMPCDEKR"));
  EXPECT_EQ(CountGcStretch(pool).line_feeds, std::count(pool.begin(), pool.end(), '\n'));
  EXPECT_EQ(CountArdentaStretch(pool).up_to_space,
            std::count_if(pool.begin(), pool.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; }));
  EXPECT_EQ(CountCarriageReturns(pool), std::count(pool.begin(), pool.end(), '\r'));
}

// Each chunk's masks against byte-by-byte tests, for every way a text can
// end inside its last chunk.
TEST(LetterCount, ChunkClassesAgreeWithByteByByteTests) {
  std::string pool;
  for (int b = 0; b < 256; ++b) pool += static_cast<char>((b * 151 + 7) & 0xFF);
  pool += "ACGT>acgt\r\n\n\rGC lvwifmpcdekr>\t\x1a";
  for (std::size_t length = 0; length <= pool.size(); length += length < 140 ? 1 : 37) {
    const std::string_view text(pool.data() + (pool.size() - length) / 3, length);
    std::vector<ChunkClasses> gc((length + kChunkBytes - 1) / kChunkBytes);
    std::vector<ChunkClasses> ardenta(gc.size());
    ClassifyGcChunks(text, gc.data());
    ClassifyArdentaChunks(text, ardenta.data());
    for (std::size_t i = 0; i < gc.size() * kChunkBytes; ++i) {
      const bool in = i < length;
      const char c = in ? text[i] : 0;
      const auto bit = [&](const ChunkClasses& classes, std::uint64_t ChunkClasses::*mask) {
        return (classes.*mask >> (i % kChunkBytes) & 1) != 0;
      };
      const ChunkClasses& g = gc[i / kChunkBytes];
      const ChunkClasses& a = ardenta[i / kChunkBytes];
      ASSERT_EQ(bit(g, &ChunkClasses::letters), in && Reference(std::string_view(&c, 1), "GC") == 1) << length << '@' << i;
      ASSERT_EQ(bit(a, &ChunkClasses::letters), in && Reference(std::string_view(&c, 1), "LVWIFMPCDEKR") == 1)
          << length << '@' << i;
      for (const ChunkClasses* classes : {&g, &a}) {
        ASSERT_EQ(bit(*classes, &ChunkClasses::up_to_space), in && static_cast<unsigned char>(c) <= ' ') << i;
        ASSERT_EQ(bit(*classes, &ChunkClasses::line_feeds), in && c == '\n') << i;
        ASSERT_EQ(bit(*classes, &ChunkClasses::marks), in && c == kDescriptionMark) << i;
        ASSERT_EQ(bit(*classes, &ChunkClasses::carriage_returns), in && c == '\r') << i;
      }
    }
  }
}

}  // namespace
}  // namespace vendral
