#include "core/bytes/compression/decompressor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/compressed_samples.h"
#include "core/bytes/block_size.h"
#include "core/bytes/compression/format_decoders.h"
#include "core/run/failure.h"

namespace vendral {
namespace {

using testing::BgzfBlock;
using testing::Bzip2Stream;
using testing::FailingSource;
using testing::GzipMember;
using testing::GzipMemberWithHeader;
using testing::kBgzfEndOfFile;
using testing::MemorySource;
using testing::SamplePayload;
using testing::XzStream;
using testing::ZstdFrame;
using testing::ZstdSkippableFrame;

using Decoder = std::function<std::unique_ptr<ByteSource>(std::unique_ptr<ByteSource>)>;

struct Format {
  const char* name;
  Compression compression;
  Decoder decoder;
  std::function<std::string(std::string_view)> compress;  // one member
  // How far before a member's end a byte of its last check value lies.
  std::size_t checksum_from_end;
};

std::vector<Format> Formats() {
  std::vector<Format> formats;
#ifdef VENDRAL_GZIP_WITH_ISAL
  formats.push_back({"GzipIsal", Compression::kGzip, MakeIsalGzipDecoder, GzipMember, 8});
#endif
  formats.push_back({"GzipZlib", Compression::kGzip, MakeZlibGzipDecoder, GzipMember, 8});
  formats.push_back({"Zstd", Compression::kZstd, MakeZstdDecoder, ZstdFrame, 4});
  formats.push_back({"Xz", Compression::kXz, MakeXzDecoder, XzStream, 12});
  formats.push_back({"Bzip2", Compression::kBzip2, MakeBzip2Decoder, Bzip2Stream, 2});
  return formats;
}

std::vector<Format> GzipFormats() {
  std::vector<Format> formats = Formats();
  std::erase_if(formats, [](const Format& f) { return f.compression != Compression::kGzip; });
  return formats;
}

void PrintTo(const Format& format, std::ostream* os) { *os << format.name; }

// How the bytes move: how many the stored file gives per read, and how many
// the reader asks for.
struct Reads {
  const char* name;
  std::size_t stored_chunk;
  std::size_t read_size;
};

void PrintTo(const Reads& reads, std::ostream* os) { *os << reads.name; }

const Reads kReads[] = {
    {"LargeReads", SIZE_MAX, 256 * 1024},
    {"OneStoredByte", 1, kBlockSize},
    {"SmallOutputReads", 4096, 7},
};

// Reads source to its end. Every read before the end must yield bytes, and
// the end must stay the end.
std::string ReadAll(ByteSource& source, std::size_t read_size) {
  std::string out;
  std::vector<char> buffer(read_size);
  while (const std::size_t count = source.Read(buffer.data(), buffer.size())) out.append(buffer.data(), count);
  EXPECT_EQ(source.Read(buffer.data(), buffer.size()), 0u);
  return out;
}

std::string Decompress(const Decoder& decoder, const std::string& stored, const Reads& reads = kReads[0]) {
  auto source = decoder(std::make_unique<MemorySource>(stored, reads.stored_chunk));
  return ReadAll(*source, reads.read_size);
}

void ExpectDamaged(const Decoder& decoder, const std::string& stored, const Reads& reads = kReads[0]) {
  try {
    Decompress(decoder, stored, reads);
    ADD_FAILURE() << "no failure";
  } catch (const IoError& error) {
    EXPECT_EQ(error.code(), IoError::kDamagedData);
    EXPECT_STREQ(error.what(), "Damaged compressed data");
  }
}

// ---- Round trips: each payload its own member, the members one after another.

struct Payloads {
  const char* name;
  std::vector<std::string> members;
};

void PrintTo(const Payloads& payloads, std::ostream* os) { *os << payloads.name; }

const std::vector<Payloads>& PayloadCases() {
  static const std::vector<Payloads> cases{
      {"Empty", {""}},
      {"Small", {">seq1\nACGT\n"}},
      // Larger than the decompressor's buffers, compressed and decompressed.
      {"Large", {SamplePayload(700 * 1024, 1)}},
      {"ThreeMembers", {">a\nAC\n", SamplePayload(300 * 1024, 2), ">c\nGT\n"}},
      {"EmptyMemberBetween", {">a\n", "", ">b\n"}},
  };
  return cases;
}

using RoundTripParam = std::tuple<Format, Payloads, Reads>;

class Decompressor : public ::testing::TestWithParam<RoundTripParam> {};

TEST_P(Decompressor, YieldsThePayloadAndCountsEveryStoredByte) {
  const auto& [format, payloads, reads] = GetParam();
  std::string stored, expected;
  for (const std::string& member : payloads.members) {
    stored += format.compress(member);
    expected += member;
  }
  ASSERT_EQ(DetectCompression(stored), format.compression);
  auto source = format.decoder(std::make_unique<MemorySource>(stored, reads.stored_chunk));
  EXPECT_EQ(source->StoredBytesRead(), 0u);
  EXPECT_EQ(ReadAll(*source, reads.read_size), expected);
  EXPECT_EQ(source->StoredBytesRead(), stored.size());
}

INSTANTIATE_TEST_SUITE_P(AllFormats, Decompressor,
                         ::testing::Combine(::testing::ValuesIn(Formats()), ::testing::ValuesIn(PayloadCases()),
                                            ::testing::ValuesIn(kReads)),
                         [](const ::testing::TestParamInfo<RoundTripParam>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name +
                                  "_" + std::get<2>(info.param).name;
                         });

// ---- Damaged files: every one ends in the same failure.

struct Damage {
  const char* name;
  // Spoils a file of two members; first is the first member's size.
  std::function<std::string(std::string stored, std::size_t first, const Format&)> spoil;
};

void PrintTo(const Damage& damage, std::ostream* os) { *os << damage.name; }

std::string Flipped(std::string bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
  return bytes;
}

const Damage kDamages[] = {
    {"NoBytes", [](std::string, std::size_t, const Format&) { return std::string(); }},
    {"OnlyPartOfTheHeader", [](std::string s, std::size_t, const Format&) { return s.substr(0, 3); }},
    {"CutInTheFirstMember", [](std::string s, std::size_t first, const Format&) { return s.substr(0, first / 2); }},
    {"CutOneByteShort", [](std::string s, std::size_t, const Format&) { return s.substr(0, s.size() - 1); }},
    {"CutInTheLastCheck",
     [](std::string s, std::size_t, const Format& f) { return s.substr(0, s.size() - f.checksum_from_end + 1); }},
    {"FlippedByteInTheBody", [](std::string s, std::size_t first, const Format&) { return Flipped(s, first / 2); }},
    {"FlippedChecksumOfTheFirstMember",
     [](std::string s, std::size_t first, const Format& f) { return Flipped(s, first - f.checksum_from_end); }},
    {"FlippedChecksumOfTheLastMember",
     [](std::string s, std::size_t, const Format& f) { return Flipped(s, s.size() - f.checksum_from_end); }},
    {"GarbageAfterTheEnd", [](std::string s, std::size_t, const Format&) { return s + "garbage\n"; }},
    {"GarbageBetweenMembers",
     [](std::string s, std::size_t first, const Format&) { return s.insert(first, ">x\n"); }},
    // A zero byte here is no padding that any of the formats allows.
    {"OneZeroByteAfterTheEnd", [](std::string s, std::size_t, const Format&) { return s + '\0'; }},
    {"StartOfAnotherMemberOnly", [](std::string s, std::size_t, const Format&) { return s + s.substr(0, 4); }},
};

using DamageParam = std::tuple<Format, Damage, Reads>;

class DamagedInput : public ::testing::TestWithParam<DamageParam> {};

TEST_P(DamagedInput, FailsAsDamagedData) {
  const auto& [format, damage, reads] = GetParam();
  const std::string first = format.compress(SamplePayload(40 * 1024, 3));
  const std::string stored = first + format.compress(SamplePayload(20 * 1024, 4));
  ExpectDamaged(format.decoder, damage.spoil(stored, first.size(), format), reads);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, DamagedInput,
                         ::testing::Combine(::testing::ValuesIn(Formats()), ::testing::ValuesIn(kDamages),
                                            ::testing::Values(kReads[0], kReads[1])),
                         [](const ::testing::TestParamInfo<DamageParam>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name +
                                  "_" + std::get<2>(info.param).name;
                         });

// ---- Failures of the stored file itself.

class StoredFileFailure : public ::testing::TestWithParam<Format> {};

TEST_P(StoredFileFailure, PassesUnchanged) {
  const std::string stored = GetParam().compress(SamplePayload(100 * 1024, 5));
  // The file fails before its end: at its start, and halfway.
  for (const std::size_t readable : {std::size_t{0}, stored.size() / 2}) {
    auto source = GetParam().decoder(std::make_unique<FailingSource>(stored.substr(0, readable)));
    try {
      ReadAll(*source, kBlockSize);
      FAIL() << "no failure after " << readable << " bytes";
    } catch (const IoError& error) {
      EXPECT_EQ(error.code(), FailingSource::kCode);
      EXPECT_EQ(error.what(), IoError::MessageFor(FailingSource::kCode));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, StoredFileFailure, ::testing::ValuesIn(Formats()),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

// ---- What only some formats have.

struct FormatCase {
  std::string name;
  Decoder decoder;
  std::string stored;
  std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class FormatSpecific : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatSpecific, YieldsThePayload) {
  for (const Reads& reads : kReads) {
    EXPECT_EQ(Decompress(GetParam().decoder, GetParam().stored, reads), GetParam().expected) << reads.name;
  }
}

std::vector<FormatCase> FormatCases() {
  const std::string a = ">a\nACGT\n", b = SamplePayload(150 * 1024, 6), c = ">c\nTTGA\n";
  const std::string bgzf = BgzfBlock(a) + BgzfBlock(b) + BgzfBlock(c) + kBgzfEndOfFile;
  const std::string skippable = ZstdFrame(a) + ZstdSkippableFrame("not sequence") + ZstdFrame(c);
  const std::string padded_xz = XzStream(a) + std::string(4, '\0') + XzStream(c) + std::string(8, '\0');
  // Every optional header field, in members that a reader with small
  // buffers gets in pieces.
  const std::string every_header_field =
      GzipMemberWithHeader(a, {.extra = std::string("XY\x03\x00" "abc", 7), .name = "genes.fa", .comment = "c", .header_crc = true}) +
      GzipMemberWithHeader(b, {.extra = std::string(300, 'e'), .comment = std::string(300, 'c')}) +
      GzipMemberWithHeader(c, {.name = std::string(300, 'n'), .header_crc = true});
  std::vector<FormatCase> cases{
      {"ZstdSkippableFrame", MakeZstdDecoder, skippable, a + c},
      // xz allows zero padding in fours between and after its streams.
      {"XzStreamPadding", MakeXzDecoder, padded_xz, a + c},
  };
  for (const Format& gzip : GzipFormats()) {
    cases.push_back({std::string(gzip.name) + "Bgzf", gzip.decoder, bgzf, a + b + c});
    cases.push_back({std::string(gzip.name) + "EveryHeaderField", gzip.decoder, every_header_field, a + b + c});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatSpecific, ::testing::ValuesIn(FormatCases()),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(XzDecoder, ZeroPaddingThatIsNotInFoursIsDamage) {
  ExpectDamaged(MakeXzDecoder, XzStream(">a\n") + std::string(3, '\0'));
}

// The parts of a gzip member that only gzip has.
class GzipDecoder : public ::testing::TestWithParam<Format> {};

TEST_P(GzipDecoder, RejectsAWrongLengthOrHeaderCrc) {
  const std::string member = GzipMember(">a\nACGT\n");
  // The header: 10 bytes, the name and its ending zero, then its CRC.
  const std::string named = GzipMemberWithHeader(">a\nACGT\n", {.name = "genes.fa", .header_crc = true});
  const struct {
    const char* name;
    std::string stored;
  } cases[] = {
      {"WrongLength", Flipped(member, member.size() - 4)},
      {"WrongHeaderCrc", Flipped(named, 10 + 9)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const Reads& reads : kReads) ExpectDamaged(GetParam().decoder, c.stored, reads);
  }
}

INSTANTIATE_TEST_SUITE_P(BothDecoders, GzipDecoder, ::testing::ValuesIn(GzipFormats()),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

// ---- MakeDecompressor picks the decoder by format.

TEST(MakeDecompressor, ReadsEveryFormatAndPassesPlainBytes) {
  const std::string payload = SamplePayload(10 * 1024, 7);
  const struct {
    Compression format;
    std::string stored;
  } cases[] = {
      {Compression::kGzip, GzipMember(payload)},  {Compression::kZstd, ZstdFrame(payload)},
      {Compression::kXz, XzStream(payload)},      {Compression::kBzip2, Bzip2Stream(payload)},
      {Compression::kNone, payload},
  };
  for (const auto& c : cases) {
    auto source = MakeDecompressor(c.format, std::make_unique<MemorySource>(c.stored));
    EXPECT_EQ(ReadAll(*source, 4096), payload) << static_cast<int>(c.format);
    EXPECT_EQ(source->StoredBytesRead(), c.stored.size());
  }
}

}  // namespace
}  // namespace vendral
