// Where a reading line file takes its bytes from: the file itself, or a
// decompressor that reads the file. The line rules sit above this and do
// not know which.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vendral {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Fills data with up to size bytes and returns how many; 0 only at the end
  // of the input. A failure raises IoError.
  virtual std::size_t Read(char* data, std::size_t size) = 0;

  // How many bytes of the file as stored (compressed, for a compressed
  // file) have been taken so far: what progress is measured in.
  virtual std::uint64_t StoredBytesRead() const = 0;

  // Ends any thread that reads ahead for this source and waits for it, so
  // that what lies below may be used (and checked) from the caller's thread
  // alone; nothing more is read after it.
  virtual void StopReading() {}
};

}  // namespace vendral
