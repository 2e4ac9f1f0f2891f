// gzip through Intel's ISA-L inflate, which checks each member's CRC-32 and
// length itself.
#include <isa-l/igzip_lib.h>

#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/compression/stream_decoder.h"

namespace vendral {
namespace {

class IsalGzipDecoder final : public StreamDecoder {
 public:
  explicit IsalGzipDecoder(std::unique_ptr<ByteSource> stored)
      : StreamDecoder(std::move(stored)), state_(std::make_unique<inflate_state>()) {
    isal_inflate_init(state_.get());
    StartMember();
  }

 private:
  Step Decode(char* out, std::size_t size) override {
    const auto available = static_cast<std::uint32_t>(input().size());
    state_->next_in = const_cast<std::uint8_t*>(input().data());
    state_->avail_in = available;
    if (reading_header_) {
      const int result = isal_read_gzip_header(state_.get(), &header_);
      if (result != ISAL_DECOMP_OK && result != ISAL_END_INPUT) ThrowDamagedData();
      reading_header_ = result != ISAL_DECOMP_OK;
    }
    std::uint32_t left = static_cast<std::uint32_t>(size);
    if (!reading_header_) {
      state_->next_out = reinterpret_cast<std::uint8_t*>(out);
      state_->avail_out = left;
      const int result = isal_inflate(state_.get());
      left = state_->avail_out;
      if (result != ISAL_DECOMP_OK) ThrowDamagedData();
    }
    input().Consume(available - state_->avail_in);
    return {size - left, state_->block_state == ISAL_BLOCK_FINISH};
  }

  void StartNextMember() override {
    isal_inflate_reset(state_.get());
    StartMember();
  }

  // The header is read here, not inside isal_inflate: isal_inflate keeps
  // what it has learnt of a header only for the length of one call, and a
  // header can arrive in pieces. The inflate then checks the trailer.
  void StartMember() {
    isal_gzip_header_init(&header_);
    reading_header_ = true;
    state_->crc_flag = ISAL_GZIP_NO_HDR_VER;
  }

  // Some 50 KiB of tables and history: on the heap, not in the object.
  std::unique_ptr<inflate_state> state_;
  isal_gzip_header header_{};
  bool reading_header_ = true;
};

}  // namespace

std::unique_ptr<ByteSource> MakeIsalGzipDecoder(std::unique_ptr<ByteSource> stored) {
  return std::make_unique<IsalGzipDecoder>(std::move(stored));
}

}  // namespace vendral
