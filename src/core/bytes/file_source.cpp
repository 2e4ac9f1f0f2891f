#include "core/bytes/file_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/bytes/block_size.h"
#include "core/run/failure.h"

namespace vendral {
namespace {

void Check(int code) {
  if (code != 0) throw IoError(code);
}

}  // namespace

FileSource::FileSource(const std::string& path) {
  Check(platform::OpenFileForReading(path, file_));
  if (const int code = platform::StampOf(file_, opened_); code != 0) {
    platform::CloseFile(std::exchange(file_, platform::kNoFile));
    throw IoError(code);
  }
}

FileSource::~FileSource() {
  if (file_ != platform::kNoFile) platform::CloseFile(file_);
}

std::string_view FileSource::Peek(std::size_t size) {
  // The first read asks for a whole block, so that the reads after the
  // peeked bytes start on a block boundary of the file: a read that starts
  // inside a page costs the system that page twice. A pipe may hand out
  // fewer bytes than asked for; only its end stops.
  while (head_.size() < size) {
    const std::size_t had = head_.size();
    head_.resize(std::max(size, kBlockSize));
    std::size_t got = 0;
    const int code = platform::ReadFile(file_, head_.data() + had, head_.size() - had, got);
    head_.resize(had + got);
    Check(code);
    if (got == 0) break;
  }
  return std::string_view(head_).substr(head_taken_, size);
}

std::size_t FileSource::Read(char* data, std::size_t size) {
  // The peeked bytes first, and in the same call as much more as fits, so
  // that the first block is as large as any other.
  std::size_t from_head = 0;
  if (head_taken_ < head_.size()) {
    from_head = std::min(size, head_.size() - head_taken_);
    std::memcpy(data, head_.data() + head_taken_, from_head);
    head_taken_ += from_head;
  }
  std::size_t got = 0;
  if (from_head < size) Check(platform::ReadFile(file_, data + from_head, size - from_head, got));
  taken_ += from_head + got;
  return from_head + got;
}

void FileSource::CheckUnchanged() const {
  if (!opened_.regular) return;
  platform::FileStamp now;
  Check(platform::StampOf(file_, now));
  if (!(now == opened_)) throw IoError(IoError::kSourceChanged, "Source changed while it was read");
}

void FileSource::Close() {
  Check(platform::CloseFile(std::exchange(file_, platform::kNoFile)));
}

}  // namespace vendral
