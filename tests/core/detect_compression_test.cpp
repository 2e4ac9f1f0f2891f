#include <gtest/gtest.h>

#include <string>

#include "core/bytes/compression/decompressor.h"

namespace vendral {
namespace {

struct DetectCase {
  const char* name;
  std::string head;
  Compression expected;
};

void PrintTo(const DetectCase& c, std::ostream* os) { *os << c.name; }

class Detect : public ::testing::TestWithParam<DetectCase> {};

TEST_P(Detect, ByTheFirstBytes) { EXPECT_EQ(DetectCompression(GetParam().head), GetParam().expected); }

const std::string kXzMagic("\xfd" "7zXZ\0", 6);

INSTANTIATE_TEST_SUITE_P(
    Cases, Detect,
    ::testing::Values(
        DetectCase{"GzipMagicAlone", "\x1f\x8b", Compression::kGzip},
        DetectCase{"GzipHeader", std::string("\x1f\x8b\x08\x00\x00\x00", 6), Compression::kGzip},
        DetectCase{"ZstdMagic", "\x28\xb5\x2f\xfd", Compression::kZstd},
        DetectCase{"ZstdFrameStart", std::string("\x28\xb5\x2f\xfd\x24\x00", 6), Compression::kZstd},
        DetectCase{"XzMagic", kXzMagic, Compression::kXz},
        DetectCase{"XzMagicAndMore", kXzMagic + "\x00\x04", Compression::kXz},
        DetectCase{"Bzip2SmallestBlocks", "BZh1", Compression::kBzip2},
        DetectCase{"Bzip2LargestBlocks", "BZh91AY&SY", Compression::kBzip2},
        DetectCase{"Empty", "", Compression::kNone},
        DetectCase{"GzipFirstByteOnly", "\x1f", Compression::kNone},
        DetectCase{"GzipSecondByteWrong", "\x1f\x8c\x08", Compression::kNone},
        DetectCase{"GzipBytesSwapped", "\x8b\x1f\x08", Compression::kNone},
        DetectCase{"ZstdShort", "\x28\xb5\x2f", Compression::kNone},
        DetectCase{"ZstdSkippableFrame", std::string("\x50\x2a\x4d\x18\x00\x00", 6), Compression::kNone},
        DetectCase{"XzShort", kXzMagic.substr(0, 5), Compression::kNone},
        DetectCase{"XzLastByteWrong", std::string("\xfd" "7zXZ\x01", 6), Compression::kNone},
        DetectCase{"Bzip2NoBlockSize", "BZh", Compression::kNone},
        DetectCase{"Bzip2BlockSizeZero", "BZh0", Compression::kNone},
        DetectCase{"Bzip2BlockSizeLetter", "BZhA", Compression::kNone},
        DetectCase{"Bzip2LowerCase", "bzh9", Compression::kNone},
        DetectCase{"Fasta", ">seq1 description\nACGT\n", Compression::kNone},
        DetectCase{"MagicNotAtTheStart", " \x1f\x8b", Compression::kNone}),
    [](const ::testing::TestParamInfo<DetectCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendral
