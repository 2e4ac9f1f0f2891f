#include "core/bytes/file_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bytes/block_size.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

std::string Bytes(std::size_t size) {
  std::string bytes(size, ' ');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('A' + i % 26);
  return bytes;
}

// The first bytes are peeked at to tell a compressed file; the reads after
// them still hand out whole blocks that start on block boundaries of the
// file, which the system serves with the fewest pages.
TEST(FileSource, ReadsAfterAPeekStartOnBlockBoundaries) {
  TempFolder folder;
  const std::string bytes = Bytes(3 * kBlockSize + 100);
  WriteBytes(folder / "in", bytes);
  FileSource source(folder / "in");
  EXPECT_EQ(source.Peek(6), bytes.substr(0, 6));
  std::vector<char> block(kBlockSize);
  std::string read;
  std::vector<std::size_t> sizes;
  while (const std::size_t got = source.Read(block.data(), block.size())) {
    read.append(block.data(), got);
    sizes.push_back(got);
  }
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(sizes, (std::vector<std::size_t>{kBlockSize, kBlockSize, kBlockSize, 100}));
  EXPECT_EQ(source.StoredBytesRead(), bytes.size());
}

TEST(FileSource, PeekOfAShortFileGivesWhatThereIs) {
  TempFolder folder;
  WriteBytes(folder / "in", "ACG");
  FileSource source(folder / "in");
  EXPECT_EQ(source.Peek(6), "ACG");
  char data[16];
  EXPECT_EQ(source.Read(data, sizeof data), 3u);
  EXPECT_EQ(std::string(data, 3), "ACG");
  EXPECT_EQ(source.Read(data, sizeof data), 0u);
}

}  // namespace
}  // namespace vendral
