// A byte source read ahead on a thread of its own, so that reading the file
// and decompressing it hide behind the tool's work on the blocks before.
// The blocks come out in order, exactly as the source gives them; a failure
// of the source is raised where its block would have come, never sooner, so
// that a reader that stops early (at byte 26) sees what it saw without the
// thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/bytes/byte_source.h"

namespace vendral {

class ReadAheadSource final : public ByteSource {
 public:
  // blocks: how many blocks of block_size bytes may wait read but not taken.
  ReadAheadSource(std::unique_ptr<ByteSource> source, std::size_t blocks, std::size_t block_size);
  ReadAheadSource(const ReadAheadSource&) = delete;
  ReadAheadSource& operator=(const ReadAheadSource&) = delete;
  // Stops the thread.
  ~ReadAheadSource() override;

  std::size_t Read(char* data, std::size_t size) override;
  // What the source had taken of its stored file when it gave the last
  // block taken here: progress follows the tool, not the thread.
  std::uint64_t StoredBytesRead() const override { return stored_taken_; }

  void StopReading() override;

 private:
  struct Block {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    std::size_t taken = 0;
    std::uint64_t stored = 0;
  };

  void ReadAhead();
  // Either side that has to wait, waits until half the ring is ready for it.
  std::size_t Half() const { return (blocks_.size() + 1) / 2; }

  std::unique_ptr<ByteSource> source_;
  const std::size_t block_size_;
  std::vector<Block> blocks_;  // a ring: filled_ blocks from first_ on wait
  std::size_t first_ = 0;
  std::size_t filled_ = 0;
  bool ended_ = false;     // the source gave its last byte, or failed
  bool stopping_ = false;  // the reader is done
  std::exception_ptr failure_;
  std::uint64_t stored_taken_ = 0;
  std::mutex mutex_;
  std::condition_variable block_filled_;
  std::condition_variable block_taken_;
  std::thread thread_;
};

// The source read ahead by up to 16 blocks of the line file's block size.
std::unique_ptr<ByteSource> ReadAhead(std::unique_ptr<ByteSource> source);

}  // namespace vendral
