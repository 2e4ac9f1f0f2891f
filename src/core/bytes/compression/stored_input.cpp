#include "core/bytes/compression/stored_input.h"

#include <cstring>

namespace vendral {

StoredInput::StoredInput(std::unique_ptr<ByteSource> stored, std::size_t capacity)
    : stored_(std::move(stored)), buffer_(new unsigned char[capacity]), capacity_(capacity) {}

bool StoredInput::Refill() {
  if (file_ended_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, size());
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == capacity_) return false;
  const std::size_t count = stored_->Read(reinterpret_cast<char*>(buffer_.get()) + end_, capacity_ - end_);
  if (count == 0) file_ended_ = true;
  end_ += count;
  return count > 0;
}

bool StoredInput::Exhausted() { return size() == 0 && !Refill(); }

}  // namespace vendral
