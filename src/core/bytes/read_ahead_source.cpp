#include "core/bytes/read_ahead_source.h"

#include <algorithm>
#include <cstring>

#include "core/bytes/block_size.h"

namespace vendral {

ReadAheadSource::ReadAheadSource(std::unique_ptr<ByteSource> source, std::size_t blocks,
                                 std::size_t block_size)
    : source_(std::move(source)), block_size_(block_size), blocks_(std::max<std::size_t>(blocks, 1)) {
  for (Block& block : blocks_) block.data = std::make_unique_for_overwrite<char[]>(block_size_);
  thread_ = std::thread([this] { ReadAhead(); });
}

ReadAheadSource::~ReadAheadSource() { StopReading(); }

void ReadAheadSource::StopReading() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  block_taken_.notify_one();
  if (thread_.joinable()) thread_.join();
  source_->StopReading();
}

void ReadAheadSource::ReadAhead() {
  std::unique_lock lock(mutex_);
  while (true) {
    if (filled_ == blocks_.size()) block_taken_.wait(lock, [this] { return stopping_ || filled_ <= blocks_.size() - Half(); });
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
    // The reader is woken when half the ring waits, not for each block: a
    // wake for every block costs more than the tool's work on it.
    if (++filled_ == Half()) block_filled_.notify_one();
  }
}

std::size_t ReadAheadSource::Read(char* data, std::size_t size) {
  std::unique_lock lock(mutex_);
  if (filled_ == 0) block_filled_.wait(lock, [this] { return filled_ >= Half() || ended_ || stopping_; });
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
  const bool wake = --filled_ == blocks_.size() - Half();
  lock.unlock();
  if (wake) block_taken_.notify_one();
  return count;
}

std::unique_ptr<ByteSource> ReadAhead(std::unique_ptr<ByteSource> source) {
  // Up to 1 MiB waits for the tool: enough to ride out a slow block of the
  // decoder or the disk, little beside the tool's own memory.
  constexpr std::size_t kBlocks = 16;
  return std::make_unique<ReadAheadSource>(std::move(source), kBlocks, kBlockSize);
}

}  // namespace vendral
