// The compressed bytes on their way from the stored file to a decoder: one
// fixed buffer, of which the decoder takes what it can from the front.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/bytes/byte_source.h"

namespace vendral {

class StoredInput {
 public:
  StoredInput(std::unique_ptr<ByteSource> stored, std::size_t capacity);

  // The bytes read from the file that the decoder has not taken yet.
  const unsigned char* data() const { return buffer_.get() + begin_; }
  std::size_t size() const { return end_ - begin_; }
  void Consume(std::size_t count) { begin_ += count; }

  // Keeps the bytes not taken yet and reads more behind them; false when
  // nothing could be added: the file has ended, or the buffer is full.
  bool Refill();
  // True when every byte of the file has been read and taken.
  bool Exhausted();
  bool FileEnded() const { return file_ended_; }

  std::uint64_t StoredBytesRead() const { return stored_->StoredBytesRead(); }

  // Hands the file over to another reader; the bytes read from it and not
  // taken stay in data(). Nothing else may be asked after it.
  std::unique_ptr<ByteSource> Release() { return std::move(stored_); }

 private:
  std::unique_ptr<ByteSource> stored_;
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool file_ended_ = false;
};

}  // namespace vendral
