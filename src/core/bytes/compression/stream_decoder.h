// What every decompressor shares: the loop that feeds a decoder from the
// stored file, hands its output to the reader, goes on from one member
// (gzip member, zstd frame, xz or bzip2 stream) to the next, and tells a
// damaged or cut-off file from the end. Each format supplies the decoding
// step and the restart between members.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/bytes/byte_source.h"
#include "core/bytes/compression/stored_input.h"

namespace vendral {

// Raises the failure for data that does not decode.
[[noreturn]] void ThrowDamagedData();

class StreamDecoder : public ByteSource {
 public:
  std::size_t Read(char* data, std::size_t size) final;
  std::uint64_t StoredBytesRead() const final { return input_.StoredBytesRead(); }

 protected:
  explicit StreamDecoder(std::unique_ptr<ByteSource> stored);

  struct Step {
    std::size_t produced;  // bytes written to the output
    bool member_ended;     // the member is complete, its checks passed
  };
  // Decodes what it can of input() into out[0, size), consumes from input()
  // what it has taken, and raises ThrowDamagedData when the data is wrong.
  virtual Step Decode(char* out, std::size_t size) = 0;
  // Gets ready for a member that follows the one that ended.
  virtual void StartNextMember() = 0;

  StoredInput& input() { return input_; }

 private:
  StoredInput input_;
  bool ended_ = false;
};

}  // namespace vendral
