// xz through liblzma's stream decoder (its threaded one when asked). It reads concatenated streams and
// the zero padding that the format allows between them by itself, checks
// each block's check, and reports the end only when told that the input
// is complete.
#include <lzma.h>

#include <cstdint>
#include <new>

#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/compression/stream_decoder.h"

namespace vendral {
namespace {

class XzDecoder final : public StreamDecoder {
 public:
  XzDecoder(std::unique_ptr<ByteSource> stored, unsigned threads)
      : StreamDecoder(std::move(stored)), threads_(threads) {
    Start();
  }
  ~XzDecoder() override { lzma_end(&stream_); }

 private:
  void Start() {
    // No memory limit: the dictionary size is the file's, bounded by the
    // format, not by the file's length.
    if (threads_ <= 1) {
      if (lzma_stream_decoder(&stream_, UINT64_MAX, LZMA_CONCATENATED) != LZMA_OK) throw std::bad_alloc();
      return;
    }
    // Blocks go to the threads while they fit in kThreadedMemory; beyond
    // it (or for a file of one block) the decoder works on one thread. Two
    // blocks of the usual xz -T file (dictionary 8 MiB, blocks of 24 MiB)
    // take 80 MiB there, dictionaries, input and output together; with
    // less the decoder holds the memory of one and gains nothing.
    // Without LZMA_FAIL_FAST it gives every byte before damage first, as
    // the one-thread decoder does.
    lzma_mt options{};
    options.flags = LZMA_CONCATENATED;
    options.threads = threads_;
    options.memlimit_threading = kThreadedMemory;
    options.memlimit_stop = UINT64_MAX;
    if (lzma_stream_decoder_mt(&stream_, &options) != LZMA_OK) throw std::bad_alloc();
  }

  Step Decode(char* out, std::size_t size) override {
    const std::size_t available = input().size();
    stream_.next_in = input().data();
    stream_.avail_in = available;
    stream_.next_out = reinterpret_cast<std::uint8_t*>(out);
    stream_.avail_out = size;
    const lzma_ret result = lzma_code(&stream_, input().FileEnded() ? LZMA_FINISH : LZMA_RUN);
    input().Consume(available - stream_.avail_in);
    if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
    // LZMA_BUF_ERROR only says that this step could not go on: not an error.
    if (result != LZMA_OK && result != LZMA_STREAM_END && result != LZMA_BUF_ERROR) ThrowDamagedData();
    return {size - stream_.avail_out, result == LZMA_STREAM_END};
  }

  // The end is reported only for complete input, so nothing follows it;
  // starting afresh keeps the decoder right should that ever change.
  void StartNextMember() override { Start(); }

  static constexpr std::uint64_t kThreadedMemory = std::uint64_t{80} << 20;

  const unsigned threads_;
  lzma_stream stream_ = LZMA_STREAM_INIT;
};

}  // namespace

std::unique_ptr<ByteSource> MakeXzDecoder(std::unique_ptr<ByteSource> stored) {
  return std::make_unique<XzDecoder>(std::move(stored), 1);
}

std::unique_ptr<ByteSource> MakeThreadedXzDecoder(std::unique_ptr<ByteSource> stored, unsigned threads) {
  return std::make_unique<XzDecoder>(std::move(stored), threads);
}

}  // namespace vendral
