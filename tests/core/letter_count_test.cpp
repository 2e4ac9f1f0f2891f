#include "core/letter_count.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

}  // namespace
}  // namespace vendral
