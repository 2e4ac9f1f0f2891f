// Compressed test data, made at test time by each format's own library, and
// in-memory byte sources that hand it to a decompressor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/bytes/byte_source.h"
#include "platform/io_error_codes.h"

namespace vendral::testing {

// Bytes that compress somewhat, as sequence text does, mixed with stretches
// of every byte value that do not: the same for the same seed.
std::string SamplePayload(std::size_t size, std::uint32_t seed);

// The optional fields of a gzip header; empty ones are left out.
struct GzipHeaderFields {
  std::string extra{};
  std::string name{};
  std::string comment{};
  bool header_crc = false;
};

// One gzip member, with a bare header or with the fields given.
std::string GzipMember(std::string_view payload);
std::string GzipMemberWithHeader(std::string_view payload, const GzipHeaderFields& fields);
// A member of blocked gzip (BGZF): its extra field gives the member's size.
std::string BgzfBlock(std::string_view payload);
// The empty member that ends every BGZF file.
inline const std::string kBgzfEndOfFile(
    "\x1f\x8b\x08\x04\x00\x00\x00\x00\x00\xff\x06\x00\x42\x43\x02\x00\x1b\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00",
    28);
// payload as BGZF blocks of at most block_payload bytes each (bgzip's are
// 65280), with the end-of-file block after them when asked.
std::string BgzfFile(std::string_view payload, std::size_t block_payload, bool end_of_file = true);
// One zstd frame, with its content checksum.
std::string ZstdFrame(std::string_view payload);
// A zstd frame that decoders pass over, holding content.
std::string ZstdSkippableFrame(std::string_view content);
// One xz stream, with a CRC-64 check.
std::string XzStream(std::string_view payload);
// One xz stream of blocks of block_size payload bytes each, each block
// saying its sizes (as xz -T writes them), so that they decode side by side.
std::string XzBlocks(std::string_view payload, std::size_t block_size);
// One bzip2 stream.
std::string Bzip2Stream(std::string_view payload);

// Everything a source gives until its end or its failure.
struct WholeReading {
  std::string bytes;
  std::string failure;  // the IoError's message, when the reading failed
};
WholeReading ReadWhole(ByteSource& source);

// Yields bytes in reads of at most chunk bytes each.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes, std::size_t chunk = SIZE_MAX) : bytes_(std::move(bytes)), chunk_(chunk) {}
  std::size_t Read(char* data, std::size_t size) override;
  std::uint64_t StoredBytesRead() const override { return position_; }

 protected:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

// Yields its bytes, then fails as a file whose reading is refused.
class FailingSource : public MemorySource {
 public:
  static constexpr int kCode = platform::kAccessDenied;
  using MemorySource::MemorySource;
  std::size_t Read(char* data, std::size_t size) override;
};

}  // namespace vendral::testing
