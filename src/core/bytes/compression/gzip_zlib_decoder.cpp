// gzip through zlib, where ISA-L is missing. zlib checks each member's
// CRC-32 and length itself.
#include <zlib.h>

#include <new>

#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/compression/stream_decoder.h"

namespace vendral {
namespace {

// Largest history window, plus 16: a gzip wrapper, and only that.
constexpr int kGzipWindowBits = 15 + 16;

class ZlibGzipDecoder final : public StreamDecoder {
 public:
  explicit ZlibGzipDecoder(std::unique_ptr<ByteSource> stored) : StreamDecoder(std::move(stored)) {
    if (inflateInit2(&stream_, kGzipWindowBits) != Z_OK) throw std::bad_alloc();
  }
  ~ZlibGzipDecoder() override { inflateEnd(&stream_); }

 private:
  Step Decode(char* out, std::size_t size) override {
    const auto available = static_cast<uInt>(input().size());
    stream_.next_in = const_cast<Bytef*>(input().data());
    stream_.avail_in = available;
    stream_.next_out = reinterpret_cast<Bytef*>(out);
    stream_.avail_out = static_cast<uInt>(size);
    const int result = inflate(&stream_, Z_NO_FLUSH);
    input().Consume(available - stream_.avail_in);
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    // Z_BUF_ERROR only says that this step could not go on: not an error.
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) ThrowDamagedData();
    return {size - stream_.avail_out, result == Z_STREAM_END};
  }

  void StartNextMember() override { inflateReset(&stream_); }

  z_stream stream_{};
};

}  // namespace

std::unique_ptr<ByteSource> MakeZlibGzipDecoder(std::unique_ptr<ByteSource> stored) {
  return std::make_unique<ZlibGzipDecoder>(std::move(stored));
}

}  // namespace vendral
