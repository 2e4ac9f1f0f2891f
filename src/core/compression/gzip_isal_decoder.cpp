// gzip through Intel's ISA-L inflate, which checks each member's CRC-32 and
// length itself.
#include <isa-l/igzip_lib.h>

#include "core/compression/format_decoders.h"
#include "core/compression/stream_decoder.h"

namespace vendral {
namespace {

class IsalGzipDecoder final : public StreamDecoder {
 public:
  explicit IsalGzipDecoder(std::unique_ptr<ByteSource> stored)
      : StreamDecoder(std::move(stored)), state_(std::make_unique<inflate_state>()) {
    isal_inflate_init(state_.get());
    state_->crc_flag = ISAL_GZIP;
  }

 private:
  Step Decode(char* out, std::size_t size) override {
    const auto available = static_cast<std::uint32_t>(input().size());
    state_->next_in = const_cast<std::uint8_t*>(input().data());
    state_->avail_in = available;
    state_->next_out = reinterpret_cast<std::uint8_t*>(out);
    state_->avail_out = static_cast<std::uint32_t>(size);
    const int result = isal_inflate(state_.get());
    input().Consume(available - state_->avail_in);
    if (result != ISAL_DECOMP_OK) ThrowDamagedData();
    return {size - state_->avail_out, state_->block_state == ISAL_BLOCK_FINISH};
  }

  void StartNextMember() override {
    isal_inflate_reset(state_.get());
    state_->crc_flag = ISAL_GZIP;
  }

  // Some 50 KiB of tables and history: on the heap, not in the object.
  std::unique_ptr<inflate_state> state_;
};

}  // namespace

std::unique_ptr<ByteSource> MakeIsalGzipDecoder(std::unique_ptr<ByteSource> stored) {
  return std::make_unique<IsalGzipDecoder>(std::move(stored));
}

}  // namespace vendral
