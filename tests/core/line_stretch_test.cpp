// The stretch functions look at 64 bytes at a time; here they are held
// against the plain reading of their rules, byte by byte, on random
// stretches of every length around the chunk size.
#include "core/line_stretch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vendral {
namespace {

PlainLines ReferencePlainLines(std::string_view bytes) {
  PlainLines plain;
  for (;;) {
    const std::size_t lf = bytes.find('\n', plain.size);
    if (lf == std::string_view::npos) return plain;
    std::string_view line = bytes.substr(plain.size, lf - plain.size);
    const bool crlf = !line.empty() && line.back() == '\r';
    if (crlf) line.remove_suffix(1);
    if (line.empty() || line[0] == '>') return plain;
    for (char c : line) {
      if (static_cast<unsigned char>(c) <= ' ') return plain;
    }
    plain.size = lf + 1;
    ++plain.line_feeds;
    plain.carriage_returns += crlf;
  }
}

std::string ReferenceCopy(std::string_view bytes, LineBreaks breaks) {
  std::string copy;
  for (char c : bytes) {
    if (c == '\r') continue;
    if (c == '\n' && breaks == LineBreaks::kCrLf) copy += '\r';
    copy += c;
  }
  return copy;
}

// Mostly plain lines, with now and then a byte that breaks the rules.
std::string RandomStretch(std::mt19937& random) {
  static const std::string kPlain = "ACGTNacgt*-";
  static const std::string kOdd = "\n\r >\t\x01\x1a\xff";
  std::string bytes;
  const std::size_t size = random() % 4 == 0 ? random() % 400 : 50 + random() % 160;
  const unsigned odd_one_in = 2 + random() % 200;
  while (bytes.size() < size) {
    const unsigned pick = random() % odd_one_in;
    if (pick == 0) {
      bytes += kOdd[random() % kOdd.size()];
    } else if (pick < 4) {
      bytes += random() % 3 == 0 ? "\r\n" : "\n";
    } else {
      bytes += kPlain[random() % kPlain.size()];
    }
  }
  return bytes;
}

TEST(LineStretch, LeadingPlainLinesAgreeWithLineByLineReading) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 20000; ++round) {
    const std::string bytes = RandomStretch(random);
    // At every offset from an aligned start, so that chunks fall everywhere.
    const std::string shifted = std::string(round % 64, 'x') + bytes;
    const std::string_view stretch = std::string_view(shifted).substr(round % 64);
    const PlainLines expected = ReferencePlainLines(stretch);
    const PlainLines plain = LeadingPlainLines(stretch);
    ASSERT_EQ(plain.size, expected.size) << "round " << round;
    ASSERT_EQ(plain.line_feeds, expected.line_feeds) << "round " << round;
    ASSERT_EQ(plain.carriage_returns, expected.carriage_returns) << "round " << round;
  }
}

TEST(LineStretch, PlainLinesOfEveryLengthAroundTheChunk) {
  for (std::size_t width = 1; width < 200; ++width) {
    for (const std::string_view lf : {"\n", "\r\n"}) {
      std::string bytes;
      while (bytes.size() < 300) bytes += std::string(width, 'G') + std::string(lf);
      const std::string with_tail = bytes + "GG";
      for (const std::string& stretch : {bytes, with_tail, bytes + "\n", bytes + ">x\n", bytes + " G\n"}) {
        const PlainLines expected = ReferencePlainLines(stretch);
        const PlainLines plain = LeadingPlainLines(stretch);
        ASSERT_EQ(plain.size, expected.size) << "width " << width;
        ASSERT_EQ(plain.characters(), expected.characters()) << "width " << width;
      }
    }
  }
}

TEST(LineStretch, CopyAgreesWithByteByByteCopyInAnyRoom) {
  std::mt19937 random(20261211);
  constexpr char kGuard = '#';
  for (int round = 0; round < 20000; ++round) {
    const std::string bytes = RandomStretch(random);
    const LineBreaks breaks = round % 2 == 0 ? LineBreaks::kCrLf : LineBreaks::kLf;
    const std::size_t room = kLineCopySlack + random() % 300;
    std::string copy;
    std::string_view rest = bytes;
    while (!rest.empty()) {
      std::vector<char> out(room + 64, kGuard);
      std::size_t written = 0;
      const std::size_t taken = CopyLines(rest, out.data(), room, breaks, written);
      ASSERT_GT(taken, 0u) << "round " << round;
      ASSERT_LE(written, room) << "round " << round;
      for (std::size_t i = room; i < out.size(); ++i) ASSERT_EQ(out[i], kGuard) << "stored past the room";
      copy.append(out.data(), written);
      rest.remove_prefix(taken);
    }
    ASSERT_EQ(copy, ReferenceCopy(bytes, breaks)) << "round " << round;
  }
}

TEST(LineStretch, FindsDescriptionsAfterBreaksAndCrs) {
  EXPECT_EQ(FindDescription(">a", true), 0u);
  EXPECT_EQ(FindDescription("\r\r>a", true), 0u);
  EXPECT_EQ(FindDescription(">a", false), std::string_view::npos);
  EXPECT_EQ(FindDescription("A>\n\r>b", false), 3u);
  EXPECT_EQ(FindDescription("A\n >b", true), std::string_view::npos);
}

TEST(LineStretch, LineStartsAtTheEnd) {
  EXPECT_TRUE(EndsAtLineStart("AC\n", false));
  EXPECT_TRUE(EndsAtLineStart("AC\n\r\r", false));
  EXPECT_FALSE(EndsAtLineStart("AC\nG\r", true));
  EXPECT_TRUE(EndsAtLineStart("\r", true));
  EXPECT_FALSE(EndsAtLineStart("\r", false));
  EXPECT_TRUE(EndsAtLineStart("", true));
}

}  // namespace
}  // namespace vendral
