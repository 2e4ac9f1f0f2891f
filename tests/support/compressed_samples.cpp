#include "support/compressed_samples.h"

#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/run/failure.h"

namespace vendral::testing {
namespace {

void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("cannot make test data: ") + what);
}

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

std::string SamplePayload(std::size_t size, std::uint32_t seed) {
  std::uint64_t state = seed;
  auto next = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 33);
  };
  std::string payload;
  payload.reserve(size);
  while (payload.size() < size) {
    const bool text = next() % 2 == 0;
    for (std::uint32_t n = 200 + next() % 2000; n > 0 && payload.size() < size; --n) {
      payload += text ? "ACGT\n"[next() % 5] : static_cast<char>(next());
    }
  }
  return payload;
}

std::string GzipMember(std::string_view payload) { return GzipMemberWithHeader(payload, {}); }

std::string GzipMemberWithHeader(std::string_view payload, const GzipHeaderFields& fields) {
  z_stream stream{};
  Require(deflateInit2(&stream, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK, "deflateInit2");
  // zlib writes the header from these, and wants the strings ended by zero.
  GzipHeaderFields copy = fields;
  gz_header header{};
  header.os = 255;
  if (!copy.extra.empty()) {
    header.extra = reinterpret_cast<Bytef*>(copy.extra.data());
    header.extra_len = static_cast<uInt>(copy.extra.size());
  }
  if (!copy.name.empty()) header.name = reinterpret_cast<Bytef*>(copy.name.data());
  if (!copy.comment.empty()) header.comment = reinterpret_cast<Bytef*>(copy.comment.data());
  header.hcrc = fields.header_crc ? 1 : 0;
  deflateSetHeader(&stream, &header);
  const std::size_t header_size = 64 + fields.extra.size() + fields.name.size() + fields.comment.size();
  std::string member(deflateBound(&stream, payload.size()) + header_size, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(payload.data()));
  stream.avail_in = static_cast<uInt>(payload.size());
  stream.next_out = reinterpret_cast<Bytef*>(member.data());
  stream.avail_out = static_cast<uInt>(member.size());
  const int result = deflate(&stream, Z_FINISH);
  member.resize(stream.total_out);
  deflateEnd(&stream);
  Require(result == Z_STREAM_END, "deflate");
  return member;
}

std::string BgzfBlock(std::string_view payload) {
  // Subfield "BC" of two bytes: the member's size less one, known only
  // once it is compressed.
  std::string member = GzipMemberWithHeader(payload, {.extra = std::string("BC\x02\x00\x00\x00", 6)});
  constexpr std::size_t kSizeOffset = 16;
  const auto size_less_one = static_cast<std::uint32_t>(member.size() - 1);
  member[kSizeOffset] = static_cast<char>(size_less_one & 0xff);
  member[kSizeOffset + 1] = static_cast<char>(size_less_one >> 8);
  return member;
}

std::string BgzfFile(std::string_view payload, std::size_t block_payload, bool end_of_file) {
  std::string file;
  for (std::size_t start = 0; start < payload.size(); start += block_payload) {
    file += BgzfBlock(payload.substr(start, block_payload));
  }
  return end_of_file ? file + kBgzfEndOfFile : file;
}

std::string ZstdFrame(std::string_view payload) {
  ZSTD_CCtx* context = ZSTD_createCCtx();
  ZSTD_CCtx_setParameter(context, ZSTD_c_checksumFlag, 1);
  std::string frame(ZSTD_compressBound(payload.size()), '\0');
  const std::size_t size = ZSTD_compress2(context, frame.data(), frame.size(), payload.data(), payload.size());
  ZSTD_freeCCtx(context);
  Require(!ZSTD_isError(size), "ZSTD_compress2");
  frame.resize(size);
  return frame;
}

std::string ZstdSkippableFrame(std::string_view content) {
  std::string frame;
  AppendLittleEndian(frame, 0x184D2A50, 4);
  AppendLittleEndian(frame, static_cast<std::uint32_t>(content.size()), 4);
  frame += content;
  return frame;
}

std::string XzStream(std::string_view payload) {
  std::string stream(lzma_stream_buffer_bound(payload.size()), '\0');
  std::size_t size = 0;
  Require(lzma_easy_buffer_encode(1, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const std::uint8_t*>(payload.data()),
                                  payload.size(), reinterpret_cast<std::uint8_t*>(stream.data()), &size,
                                  stream.size()) == LZMA_OK,
          "lzma_easy_buffer_encode");
  stream.resize(size);
  return stream;
}

std::string XzBlocks(std::string_view payload, std::size_t block_size) {
  lzma_mt options{};
  options.threads = 1;
  options.block_size = block_size;
  options.preset = 0;
  options.check = LZMA_CHECK_CRC64;
  lzma_stream stream = LZMA_STREAM_INIT;
  Require(lzma_stream_encoder_mt(&stream, &options) == LZMA_OK, "lzma_stream_encoder_mt");
  std::string encoded(lzma_stream_buffer_bound(payload.size()) + payload.size() / block_size * 64 + 1024, '\0');
  stream.next_in = reinterpret_cast<const std::uint8_t*>(payload.data());
  stream.avail_in = payload.size();
  stream.next_out = reinterpret_cast<std::uint8_t*>(encoded.data());
  stream.avail_out = encoded.size();
  const lzma_ret result = lzma_code(&stream, LZMA_FINISH);
  encoded.resize(encoded.size() - stream.avail_out);
  lzma_end(&stream);
  Require(result == LZMA_STREAM_END, "lzma_code");
  return encoded;
}

std::string Bzip2Stream(std::string_view payload) {
  // The bound that libbz2 documents: 1% more than the input, plus 600 bytes.
  // Blocks of 100 kB: a large payload takes several.
  std::string stream(payload.size() + payload.size() / 100 + 600, '\0');
  auto size = static_cast<unsigned>(stream.size());
  Require(BZ2_bzBuffToBuffCompress(stream.data(), &size, const_cast<char*>(payload.data()),
                                   static_cast<unsigned>(payload.size()), 1, 0, 0) == BZ_OK,
          "BZ2_bzBuffToBuffCompress");
  stream.resize(size);
  return stream;
}

WholeReading ReadWhole(ByteSource& source) {
  WholeReading reading;
  std::string block(64 * 1024, '\0');
  try {
    while (const std::size_t count = source.Read(block.data(), block.size())) reading.bytes.append(block, 0, count);
  } catch (const IoError& error) {
    reading.failure = error.what();
  }
  return reading;
}

std::size_t MemorySource::Read(char* data, std::size_t size) {
  const std::size_t count = std::min({size, chunk_, bytes_.size() - position_});
  std::memcpy(data, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

std::size_t FailingSource::Read(char* data, std::size_t size) {
  const std::size_t count = MemorySource::Read(data, size);
  if (count == 0) throw IoError(kCode);
  return count;
}

}  // namespace vendral::testing
