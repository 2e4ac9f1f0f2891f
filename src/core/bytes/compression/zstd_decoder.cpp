// zstd through libzstd's streaming decoder, which goes on from one frame to
// the next, passes over skippable frames, and checks a frame's checksum
// where it has one.
#include <zstd.h>

#include <new>

#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/compression/stream_decoder.h"

namespace vendral {
namespace {

class ZstdDecoder final : public StreamDecoder {
 public:
  explicit ZstdDecoder(std::unique_ptr<ByteSource> stored)
      : StreamDecoder(std::move(stored)), context_(ZSTD_createDCtx()) {
    if (!context_) throw std::bad_alloc();
  }
  ~ZstdDecoder() override { ZSTD_freeDCtx(context_); }

 private:
  Step Decode(char* out, std::size_t size) override {
    ZSTD_inBuffer in{input().data(), input().size(), 0};
    ZSTD_outBuffer output{out, size, 0};
    const std::size_t result = ZSTD_decompressStream(context_, &output, &in);
    input().Consume(in.pos);
    if (ZSTD_isError(result)) ThrowDamagedData();
    return {output.pos, result == 0};
  }

  // The context starts the next frame by itself.
  void StartNextMember() override {}

  ZSTD_DCtx* context_;
};

}  // namespace

std::unique_ptr<ByteSource> MakeZstdDecoder(std::unique_ptr<ByteSource> stored) {
  return std::make_unique<ZstdDecoder>(std::move(stored));
}

}  // namespace vendral
