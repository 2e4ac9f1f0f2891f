// bzip2 through libbz2, which checks each block's and each stream's CRC. It
// decodes one stream at a time: a new decoder takes each following stream.
#include <bzlib.h>

#include <new>

#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/compression/stream_decoder.h"

namespace vendral {
namespace {

class Bzip2Decoder final : public StreamDecoder {
 public:
  explicit Bzip2Decoder(std::unique_ptr<ByteSource> stored) : StreamDecoder(std::move(stored)) { Start(); }
  ~Bzip2Decoder() override { BZ2_bzDecompressEnd(&stream_); }

 private:
  void Start() {
    // 0, 0: no diagnostics, and the faster of the two decoding methods.
    if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK) throw std::bad_alloc();
  }

  Step Decode(char* out, std::size_t size) override {
    const auto available = static_cast<unsigned>(input().size());
    stream_.next_in = reinterpret_cast<char*>(const_cast<unsigned char*>(input().data()));
    stream_.avail_in = available;
    stream_.next_out = out;
    stream_.avail_out = static_cast<unsigned>(size);
    const int result = BZ2_bzDecompress(&stream_);
    input().Consume(available - stream_.avail_in);
    if (result == BZ_MEM_ERROR) throw std::bad_alloc();
    if (result != BZ_OK && result != BZ_STREAM_END) ThrowDamagedData();
    return {size - stream_.avail_out, result == BZ_STREAM_END};
  }

  void StartNextMember() override {
    BZ2_bzDecompressEnd(&stream_);
    stream_ = bz_stream{};
    Start();
  }

  bz_stream stream_{};
};

}  // namespace

std::unique_ptr<ByteSource> MakeBzip2Decoder(std::unique_ptr<ByteSource> stored) {
  return std::make_unique<Bzip2Decoder>(std::move(stored));
}

}  // namespace vendral
