// Blocked gzip (BGZF, what bgzip writes): every member is a block of at most
// 64 KiB that says its own stored size in its header, so the blocks can be
// cut from the file without inflating them and inflated side by side. The
// workers cut them in turn and inflate them each on its own; the reader
// takes them in the file's order. A member that is not such a block, or
// that does not inflate and check cleanly, ends the cutting: from its first
// byte on, the one-member decoder reads the rest, which gives the same
// bytes, the same damage at the same place, as a reading without workers.
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/compression/stored_input.h"
#include "core/bytes/read_ahead_source.h"

namespace vendral {
namespace {

// The most a block holds, stored and inflated.
constexpr std::size_t kLargestBlock = 64 * 1024;
constexpr std::size_t kFixedHeader = 12;  // up to and with XLEN
constexpr std::size_t kTrailer = 8;       // CRC-32 and ISIZE
// Stored bytes read at a time: several blocks, so that reads are few.
constexpr std::size_t kStoredBufferSize = 4 * kLargestBlock;
// Blocks cut ahead of the reader per worker: enough to keep every worker
// busy while the reader takes a slow turn. 128 KiB each.
constexpr std::size_t kBlocksPerWorker = 4;

std::uint32_t LittleEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int k = count - 1; k >= 0; --k) value = value << 8 | bytes[k];
  return value;
}

// The gzip magic, deflate, and no flag but the extra field: how a BGZF
// block starts, in its first kFixedHeader bytes.
bool StartsBlock(const unsigned char* head) {
  return head[0] == 0x1f && head[1] == 0x8b && head[2] == 8 && head[3] == 4;
}

// The stored size of the block whose header (with its extra field) is
// header: what the "BC" subfield of two bytes says, when there is one and it
// leaves room for the header and the trailer.
std::optional<std::size_t> BlockSize(const unsigned char* header, std::size_t header_size) {
  const unsigned char* field = header + kFixedHeader;
  const unsigned char* const end = header + header_size;
  while (end - field >= 4) {
    const std::size_t field_size = LittleEndian(field + 2, 2);
    if (static_cast<std::size_t>(end - field - 4) < field_size) break;
    if (field[0] == 'B' && field[1] == 'C' && field_size == 2) {
      const std::size_t size = LittleEndian(field + 4, 2) + 1;
      if (size < header_size + kTrailer) break;
      return size;
    }
    field += 4 + field_size;
  }
  return std::nullopt;
}

// A stored block and what it inflates to.
struct Block {
  enum class State { kFree, kCut, kInflated, kNotSound };
  State state = State::kFree;
  std::vector<unsigned char> stored;
  std::unique_ptr<char[]> text = std::make_unique_for_overwrite<char[]>(kLargestBlock);
  std::size_t size = 0;   // inflated bytes
  std::size_t taken = 0;  // of them, handed to the reader
  std::uint64_t stored_read = 0;  // of the file, when the block was cut
};

// Inflates a whole block and checks its CRC-32 and size; false when it
// does not inflate to exactly what its trailer says, the whole block used.
bool Inflate(inflate_state& state, Block& block) {
  const std::size_t data_start = kFixedHeader + LittleEndian(block.stored.data() + 10, 2);
  isal_inflate_init(&state);
  state.crc_flag = ISAL_GZIP_NO_HDR_VER;
  state.next_in = block.stored.data() + data_start;
  state.avail_in = static_cast<std::uint32_t>(block.stored.size() - data_start);
  state.next_out = reinterpret_cast<std::uint8_t*>(block.text.get());
  state.avail_out = static_cast<std::uint32_t>(kLargestBlock);
  const int result = isal_inflate(&state);
  block.size = kLargestBlock - state.avail_out;
  block.taken = 0;
  return result == ISAL_DECOMP_OK && state.block_state == ISAL_BLOCK_FINISH && state.avail_in == 0;
}

// The bytes of the file from some member on: first those already read
// from it, then the rest of the file.
class RestOfFile final : public ByteSource {
 public:
  RestOfFile(std::string read, std::unique_ptr<ByteSource> file) : read_(std::move(read)), file_(std::move(file)) {}

  std::size_t Read(char* data, std::size_t size) override {
    if (read_taken_ == read_.size()) return file_->Read(data, size);
    const std::size_t count = std::min(size, read_.size() - read_taken_);
    std::memcpy(data, read_.data() + read_taken_, count);
    read_taken_ += count;
    return count;
  }
  std::uint64_t StoredBytesRead() const override { return file_->StoredBytesRead(); }

 private:
  std::string read_;
  std::size_t read_taken_ = 0;
  std::unique_ptr<ByteSource> file_;
};

class GzipBlocksDecoder final : public ByteSource {
 public:
  GzipBlocksDecoder(std::unique_ptr<ByteSource> stored, unsigned threads)
      : input_(std::move(stored), kStoredBufferSize), blocks_(threads * kBlocksPerWorker) {
    for (unsigned k = 1; k < threads; ++k) workers_.emplace_back([this] { Work(); });
  }
  GzipBlocksDecoder(const GzipBlocksDecoder&) = delete;
  GzipBlocksDecoder& operator=(const GzipBlocksDecoder&) = delete;
  ~GzipBlocksDecoder() override { StopReading(); }

  std::size_t Read(char* data, std::size_t size) override;
  std::uint64_t StoredBytesRead() const override {
    return rest_ ? rest_->StoredBytesRead() : stored_taken_;
  }
  void StopReading() override;

 private:
  // Why the cutting stopped, at block number cut_.
  enum class CutEnd { kNone, kFileEnded, kOtherMember, kFailure };

  void Work();
  // Whether a further block may be cut now; the caller holds mutex_.
  bool CanCut() const;
  // Cuts the next block and inflates it, the lock held only for the cut.
  void CutAndInflate(std::unique_lock<std::mutex>& lock, inflate_state& state);
  // Cuts the next block into block; the caller holds mutex_.
  CutEnd Cut(Block& block);
  // Reads until count stored bytes wait in input_, if the file has them.
  bool Fill(std::size_t count);
  void StopWorkers();
  // Hands the rest of the file, from block taken_ on, to the one-member
  // decoder.
  void ReadRestAsMembers();

  StoredInput input_;  // the workers' while they run; cut under mutex_
  std::vector<Block> blocks_;  // a ring: blocks taken_ to cut_ - 1 are cut
  std::uint64_t taken_ = 0;
  std::uint64_t cut_ = 0;
  CutEnd cut_end_ = CutEnd::kNone;
  std::exception_ptr failure_;  // of the file's reading, with kFailure
  bool stopping_ = false;
  std::uint64_t stored_taken_ = 0;
  std::unique_ptr<ByteSource> rest_;  // once the blocks have ended
  std::unique_ptr<inflate_state> reader_state_ = std::make_unique<inflate_state>();
  std::mutex mutex_;
  std::condition_variable block_ready_;
  std::condition_variable block_free_;
  std::vector<std::thread> workers_;
};

bool GzipBlocksDecoder::Fill(std::size_t count) {
  while (input_.size() < count && input_.Refill()) {
  }
  return input_.size() >= count;
}

GzipBlocksDecoder::CutEnd GzipBlocksDecoder::Cut(Block& block) {
  if (!Fill(kFixedHeader)) return input_.Exhausted() ? CutEnd::kFileEnded : CutEnd::kOtherMember;
  if (!StartsBlock(input_.data())) return CutEnd::kOtherMember;
  const std::size_t header_size = kFixedHeader + LittleEndian(input_.data() + 10, 2);
  if (!Fill(header_size)) return CutEnd::kOtherMember;
  const std::optional<std::size_t> size = BlockSize(input_.data(), header_size);
  if (!size || !Fill(*size)) return CutEnd::kOtherMember;
  block.stored.assign(input_.data(), input_.data() + *size);
  input_.Consume(*size);
  block.stored_read = input_.StoredBytesRead();
  return CutEnd::kNone;
}

bool GzipBlocksDecoder::CanCut() const {
  return !stopping_ && cut_end_ == CutEnd::kNone && cut_ - taken_ < blocks_.size();
}

void GzipBlocksDecoder::CutAndInflate(std::unique_lock<std::mutex>& lock, inflate_state& state) {
  Block& block = blocks_[cut_ % blocks_.size()];
  try {
    cut_end_ = Cut(block);
  } catch (...) {
    failure_ = std::current_exception();
    cut_end_ = CutEnd::kFailure;
  }
  if (cut_end_ != CutEnd::kNone) {
    block_ready_.notify_all();
    return;
  }
  block.state = Block::State::kCut;
  ++cut_;
  // The block is kCut while it is inflated: the reader waits for it and no
  // one else is given it, so it is this thread's alone until it is marked.
  lock.unlock();
  const bool sound = Inflate(state, block);
  lock.lock();
  block.state = sound ? Block::State::kInflated : Block::State::kNotSound;
  block_ready_.notify_all();
}

void GzipBlocksDecoder::Work() {
  // Some 50 KiB of tables and history: on the heap, one per thread.
  auto state = std::make_unique<inflate_state>();
  std::unique_lock lock(mutex_);
  while (true) {
    block_free_.wait(lock, [this] { return CanCut() || stopping_ || cut_end_ != CutEnd::kNone; });
    if (!CanCut()) return;
    CutAndInflate(lock, *state);
  }
}

std::size_t GzipBlocksDecoder::Read(char* data, std::size_t size) {
  while (!rest_) {
    std::unique_lock lock(mutex_);
    Block& block = blocks_[taken_ % blocks_.size()];
    // Rather than wait for its block, the reader inflates one further on:
    // on a machine with few cores, it is one of the workers.
    while (taken_ < cut_ ? block.state == Block::State::kCut : cut_end_ == CutEnd::kNone) {
      if (CanCut()) {
        CutAndInflate(lock, *reader_state_);
      } else {
        block_ready_.wait(lock);
      }
    }
    if (taken_ == cut_ && cut_end_ == CutEnd::kFileEnded) {
      stored_taken_ = input_.StoredBytesRead();
      return 0;
    }
    if (taken_ == cut_ && cut_end_ == CutEnd::kFailure) std::rethrow_exception(failure_);
    if (taken_ == cut_ || block.state == Block::State::kNotSound) {
      lock.unlock();
      ReadRestAsMembers();
      break;
    }
    lock.unlock();
    // An inflated block stays the reader's until it is given back below.
    const std::size_t count = std::min(size, block.size - block.taken);
    std::memcpy(data, block.text.get() + block.taken, count);
    block.taken += count;
    if (block.taken == block.size) {
      lock.lock();
      stored_taken_ = block.stored_read;
      block.state = Block::State::kFree;
      ++taken_;
      lock.unlock();
      block_free_.notify_one();
    }
    // An empty block (the end-of-file block is one) gives nothing, and 0
    // would say that the file has ended.
    if (count > 0) return count;
  }
  return rest_->Read(data, size);
}

void GzipBlocksDecoder::StopWorkers() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  block_free_.notify_all();
  for (std::thread& worker : workers_) {
    if (worker.joinable()) worker.join();
  }
}

void GzipBlocksDecoder::ReadRestAsMembers() {
  StopWorkers();
  std::string read;
  for (std::uint64_t k = taken_; k < cut_; ++k) {
    const std::vector<unsigned char>& stored = blocks_[k % blocks_.size()].stored;
    read.append(stored.begin(), stored.end());
  }
  read.append(reinterpret_cast<const char*>(input_.data()), input_.size());
  blocks_.clear();
  rest_ = ReadAhead(MakeIsalGzipDecoder(std::make_unique<RestOfFile>(std::move(read), input_.Release())));
}

void GzipBlocksDecoder::StopReading() {
  StopWorkers();
  if (rest_) rest_->StopReading();
}

}  // namespace

std::unique_ptr<ByteSource> MakeParallelGzipDecoder(std::unique_ptr<ByteSource> stored, unsigned threads) {
  return std::make_unique<GzipBlocksDecoder>(std::move(stored), std::max(threads, 1u));
}

}  // namespace vendral
