#include "core/bytes/compression/stream_decoder.h"

#include <algorithm>

#include "core/run/failure.h"

namespace vendral {
namespace {

// Compressed bytes read from the file at a time. Large enough that a
// decoder seldom stops at the buffer's end, small enough to stay in cache.
constexpr std::size_t kStoredBufferSize = 128 * 1024;

// The most output asked of one decoding step: the decoders count in 32 bits.
constexpr std::size_t kLargestStep = std::size_t{1} << 30;

}  // namespace

void ThrowDamagedData() { throw IoError(IoError::kDamagedData, "Damaged compressed data"); }

StreamDecoder::StreamDecoder(std::unique_ptr<ByteSource> stored) : input_(std::move(stored), kStoredBufferSize) {}

std::size_t StreamDecoder::Read(char* data, std::size_t size) {
  size = std::min(size, kLargestStep);
  while (size > 0 && !ended_) {
    if (input_.size() == 0) input_.Refill();
    const std::size_t unread_before = input_.size();
    const Step step = Decode(data, size);
    if (step.member_ended) {
      // Whatever follows a member must be another one: the next step of a
      // restarted decoder rejects anything else.
      if (input_.Exhausted()) {
        ended_ = true;
      } else {
        StartNextMember();
      }
    } else if (step.produced == 0 && input_.size() == unread_before && !input_.Refill()) {
      // The decoder is stuck, and no more input can be given: the file
      // ends inside a member.
      ThrowDamagedData();
    }
    if (step.produced > 0) return step.produced;
  }
  return 0;
}

}  // namespace vendral
