// Blocked gzip inflated on several threads gives what the one-thread decoder
// gives, byte for byte, and fails where it fails, with the same bytes before
// the damaged member. How much of a damaged member a decoder gives before it
// notices the damage depends on how its input was cut, already on one
// thread (a file and a pipe differ).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bytes/compression/decompressor.h"
#include "support/compressed_samples.h"

namespace vendral {
namespace {

using testing::BgzfFile;
using testing::GzipMember;
using testing::kBgzfEndOfFile;
using testing::MemorySource;
using testing::SamplePayload;

testing::WholeReading Decode(const std::string& stored, unsigned threads, std::size_t chunk) {
  auto source = MakeDecompressor(Compression::kGzip, std::make_unique<MemorySource>(stored, chunk), {threads});
  return testing::ReadWhole(*source);
}

// The stored bytes with the byte at offset changed.
std::string Flipped(std::string stored, std::size_t offset) {
  stored[offset] = static_cast<char>(stored[offset] ^ 0x41);
  return stored;
}

struct BlocksCase {
  const char* name;
  std::string stored;
  bool sound;
  std::size_t before_damage = SIZE_MAX;  // bytes of the members before it
};

std::vector<BlocksCase> Cases() {
  const std::string payload = SamplePayload(400000, 3);
  const std::string blocks = BgzfFile(payload, 20000);
  // Damage goes into the second block, after one that inflates well.
  const std::size_t second = testing::BgzfBlock(payload.substr(0, 20000)).size();
  const std::size_t third = second + testing::BgzfBlock(payload.substr(20000, 20000)).size();
  std::string empty_blocks;
  for (int k = 0; k < 20000; ++k) empty_blocks += kBgzfEndOfFile;
  return {
      {"BgzipSizedBlocks", BgzfFile(payload, 65280), true},
      {"BlocksOfOneByte", BgzfFile(payload.substr(0, 3000), 1), true},
      {"NoEndOfFileBlock", BgzfFile(payload, 5000, false), true},
      {"ManyEmptyBlocks", empty_blocks + blocks, true},
      {"OrdinaryMemberBetweenBlocks",
       BgzfFile(payload.substr(0, 100000), 7000, false) + GzipMember(payload) + blocks, true},
      {"OrdinaryGzip", GzipMember(payload), true},
      {"FlippedDataInABlock", Flipped(blocks, second + 5000), false, 20000},
      {"FlippedChecksumOfABlock", Flipped(blocks, third - 8), false, 20000},
      // A size that is not the block's own is no damage to gzip: read as members.
      {"WrongSizeField", Flipped(blocks, second + 16), true},
      {"CutInsideABlock", blocks.substr(0, (second + third) / 2), false, 20000},
      {"GarbageAfterTheEnd", blocks + "garbage", false},
  };
}

class GzipBlocks : public ::testing::TestWithParam<BlocksCase> {};

TEST_P(GzipBlocks, GiveWhatOneThreadGives) {
  for (const std::size_t chunk : {SIZE_MAX, std::size_t{7}}) {
    const testing::WholeReading alone = Decode(GetParam().stored, 1, chunk);
    EXPECT_EQ(alone.failure.empty(), GetParam().sound) << alone.failure;
    for (const unsigned threads : {2u, 8u}) {
      SCOPED_TRACE(::testing::Message() << threads << " threads, chunk " << chunk);
      const testing::WholeReading decoded = Decode(GetParam().stored, threads, chunk);
      EXPECT_EQ(decoded.failure, alone.failure);
      if (GetParam().before_damage == SIZE_MAX) {
        EXPECT_TRUE(decoded.bytes == alone.bytes) << decoded.bytes.size() << " bytes, not " << alone.bytes.size();
      } else {
        const std::size_t same = GetParam().before_damage;
        ASSERT_GE(decoded.bytes.size(), same);
        ASSERT_GE(alone.bytes.size(), same);
        EXPECT_TRUE(decoded.bytes.compare(0, same, alone.bytes, 0, same) == 0);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GzipBlocks, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendral
