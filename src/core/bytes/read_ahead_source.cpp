#include "core/bytes/read_ahead_source.h"

#include <algorithm>
#include <cstring>

namespace vendral {

ReadAheadSource::ReadAheadSource(std::unique_ptr<ByteSource> source, std::size_t blocks,
                                 std::size_t block_size)
    : source_(std::move(source)), block_size_(block_size), blocks_(std::max<std::size_t>(blocks, 1)) {
  for (Block& block : blocks_) block.data = std::make_unique<char[]>(block_size_);
  thread_ = std::thread([this] { ReadAhead(); });
}

ReadAheadSource::~ReadAheadSource() { Stop(); }

void ReadAheadSource::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  block_taken_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void ReadAheadSource::ReadAhead() {
  std::unique_lock lock(mutex_);
  while (true) {
    block_taken_.wait(lock, [this] { return stopping_ || filled_ < blocks_.size(); });
    if (stopping_) return;
    // The reader never touches a block that is not filled, so this one is
    // the thread's alone while it reads.
    Block& block = blocks_[(first_ + filled_) % blocks_.size()];
    lock.unlock();
    std::exception_ptr failure;
    std::size_t got = 0;
    try {
      got = source_->Read(block.data.get(), block_size_);
    } catch (...) {
      failure = std::current_exception();
    }
    const std::uint64_t stored = source_->StoredBytesRead();
    lock.lock();
    if (failure || got == 0) {
      failure_ = failure;
      ended_ = true;
      block_filled_.notify_one();
      return;
    }
    block.size = got;
    block.taken = 0;
    block.stored = stored;
    ++filled_;
    block_filled_.notify_one();
  }
}

std::size_t ReadAheadSource::Read(char* data, std::size_t size) {
  std::unique_lock lock(mutex_);
  block_filled_.wait(lock, [this] { return filled_ > 0 || ended_ || stopping_; });
  if (filled_ == 0) {
    if (failure_) std::rethrow_exception(failure_);
    return 0;
  }
  Block& block = blocks_[first_];
  lock.unlock();
  // The thread fills only blocks that are not filled: this one is the
  // reader's until it is given back below.
  const std::size_t count = std::min(size, block.size - block.taken);
  std::memcpy(data, block.data.get() + block.taken, count);
  block.taken += count;
  if (block.taken < block.size) return count;
  lock.lock();
  stored_taken_ = block.stored;
  first_ = (first_ + 1) % blocks_.size();
  --filled_;
  lock.unlock();
  block_taken_.notify_one();
  return count;
}

}  // namespace vendral
