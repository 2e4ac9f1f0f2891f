// Decompresses a file through Vendral's decompressor, as the line file will
// read it, and throws the bytes away (or, with --stdout, writes them out so
// that they can be compared with another decompressor's). For timing
// against igzip -dc and gzip -dc.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "core/bytes/compression/decompressor.h"
#include "core/run/failure.h"
#include "platform/platform.h"

namespace {

class FileSource : public vendral::ByteSource {
 public:
  explicit FileSource(const std::string& path) {
    if (const int code = vendral::platform::OpenFileForReading(path, file_)) throw vendral::IoError(code);
  }
  ~FileSource() override { vendral::platform::CloseFile(file_); }
  std::size_t Read(char* data, std::size_t size) override {
    std::size_t got = 0;
    if (const int code = vendral::platform::ReadFile(file_, data, size, got)) throw vendral::IoError(code);
    read_ += got;
    return got;
  }
  std::uint64_t StoredBytesRead() const override { return read_; }

 private:
  vendral::platform::FileHandle file_ = vendral::platform::kNoFile;
  std::uint64_t read_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: decompress FILE [READ_KIB] [--stdout]\n");
    return 64;
  }
  const std::size_t read_size = (argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 64) * 1024;
  const bool to_stdout = argc > 3 && std::strcmp(argv[3], "--stdout") == 0;
  try {
    auto head_source = std::make_unique<FileSource>(argv[1]);
    std::string head(vendral::kCompressionMagicSize, '\0');
    head.resize(head_source->Read(head.data(), head.size()));
    auto source = vendral::MakeDecompressor(vendral::DetectCompression(head), std::make_unique<FileSource>(argv[1]));
    std::vector<char> buffer(read_size);
    std::uint64_t total = 0;
    while (const std::size_t count = source->Read(buffer.data(), buffer.size())) {
      if (to_stdout) std::fwrite(buffer.data(), 1, count, stdout);
      total += count;
    }
    std::fprintf(stderr, "%llu bytes from %llu stored bytes\n", static_cast<unsigned long long>(total),
                 static_cast<unsigned long long>(source->StoredBytesRead()));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
