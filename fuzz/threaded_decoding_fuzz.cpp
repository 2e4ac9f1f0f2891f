// The decoders that split their work among threads against the one-thread
// decoders: blocked gzip and multi-block xz made of fuzz bytes, with blocks
// of every size, ordinary members among them, damage and cuts, and the
// fuzz bytes as they stand, read in pieces of every size. Both must fail
// alike, and give the same bytes when they do not fail.
#include <cstdint>
#include <string>

#include "core/bytes/compression/decompressor.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/compressed_samples.h"

namespace vendral::fuzz {
namespace {

enum Choice : std::uint8_t {
  kXz = 1,                  // multi-block xz, else blocked gzip
  kOrdinaryMember = 2,      // an ordinary gzip member among the blocks
  kNoEndOfFileBlock = 4,
  kDamage = 8,              // one byte changed
  kCut = 16,                // the file ends early
  kAsTheyStand = 32,        // the fuzz bytes are the stored file
  kManyThreads = 64,        // 3 threads, else 2: a thread to spare
};

std::string StoredFile(std::uint8_t choice, std::size_t block, std::string_view payload) {
  if (choice & kAsTheyStand) return std::string(payload);
  if (choice & kXz) return testing::XzBlocks(payload, 64 * block);
  std::string stored = testing::BgzfFile(payload, block, false);
  if (choice & kOrdinaryMember) stored = testing::GzipMember(payload.substr(0, payload.size() / 2)) + stored;
  if (!(choice & kNoEndOfFileBlock)) stored += testing::kBgzfEndOfFile;
  return stored;
}

testing::WholeReading Decode(const std::string& stored, unsigned threads, std::size_t chunk) {
  auto source = MakeDecompressor(DetectCompression(stored), std::make_unique<testing::MemorySource>(stored, chunk),
                                 {threads});
  return testing::ReadWhole(*source);
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  // Blocks of 512 bytes and more: each costs a compressor of its own, and
  // the tests take the smallest ones.
  const std::size_t block = 512 + input.Byte() * 256u + input.Byte();
  const std::size_t chunk = 1 + input.Byte() * 64u;
  const std::size_t where = input.Byte() * 256u + input.Byte();
  std::string stored = StoredFile(choice, block, input.Rest());
  if (stored.empty()) return 0;
  if (choice & kDamage) stored[where % stored.size()] ^= 0x20;
  if (choice & kCut) stored.resize(where % stored.size());
  const auto alone = Decode(stored, 1, chunk);
  const auto shared = Decode(stored, choice & kManyThreads ? 3 : 2, chunk);
  RequireEqual("failure", alone.failure, shared.failure);
  if (alone.failure.empty()) RequireEqual("bytes", alone.bytes, shared.bytes);
  return 0;
}
