// A file opened for reading as a ByteSource, with a look at its first bytes
// before they are read (how a compressed file is recognised without
// seeking, so that pipes work too) and a check that no other program
// changed it while it was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/bytes/byte_source.h"
#include "platform/platform.h"

namespace vendral {

class FileSource : public ByteSource {
 public:
  // Opens the file with the sharing rule of reading; a refusal raises
  // IoError with the system's code.
  explicit FileSource(const std::string& path);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  ~FileSource() override;

  // Up to size first bytes of the file (fewer only when the file is
  // shorter); they are still handed out by Read.
  std::string_view Peek(std::size_t size);

  std::size_t Read(char* data, std::size_t size) override;
  std::uint64_t StoredBytesRead() const override { return taken_; }

  bool IsRegularFile() const { return opened_.regular; }

  // Raises IoError kSourceChanged when the file's size or modification time
  // is no longer what it was at opening.
  void CheckUnchanged() const;
  // Closes the file; a refused close raises IoError.
  void Close();

 private:
  platform::FileHandle file_ = platform::kNoFile;
  platform::FileStamp opened_;
  std::string head_;        // peeked bytes not yet handed out
  std::size_t head_taken_ = 0;
  std::uint64_t taken_ = 0;
};

}  // namespace vendral
