// The stretch functions look at 64 bytes at a time; here they are held
// against the plain reading of their rules, byte by byte, on random
// stretches of every length around the chunk size.
#include "core/scan/line_stretch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/scan/description_line.h"

namespace vendral {
namespace {

PlainLines ReferencePlainLines(std::string_view bytes) {
  PlainLines plain;
  for (;;) {
    const std::size_t lf = bytes.find('\n', plain.size);
    if (lf == std::string_view::npos) return plain;
    const std::string_view line = bytes.substr(plain.size, lf - plain.size);
    if (line.empty() || static_cast<unsigned char>(line[0]) <= ' ' || IsDescription(line)) return plain;
    plain.size = lf + 1;
    ++plain.line_feeds;
    plain.carriage_returns += std::count(line.begin(), line.end(), '\r');
  }
}

// The copy, and how much of bytes it takes: up to a marked line that is
// not the first where asked to stop there.
std::string ReferenceCopy(std::string_view bytes, LineBreaks breaks, MarkedLines marked, std::size_t& taken) {
  std::string copy;
  for (taken = 0; taken < bytes.size(); ++taken) {
    const char c = bytes[taken];
    const bool line_start = taken > 0 && bytes[taken - 1] == '\n';
    if (marked == MarkedLines::kStopBefore && line_start && StartsMarkedLine(c)) break;
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
    const MarkedLines marked = round % 4 < 2 ? MarkedLines::kCopied : MarkedLines::kStopBefore;
    const std::size_t room = kLineCopySlack + random() % 300;
    std::size_t expected_taken = 0;
    const std::string expected = ReferenceCopy(bytes, breaks, marked, expected_taken);
    std::string copy;
    std::string_view rest = std::string_view(bytes).substr(0, expected_taken);
    std::size_t taken_in_all = 0;
    while (!rest.empty()) {
      std::vector<char> out(room + 64, kGuard);
      std::size_t written = 0;
      const std::size_t taken = CopyLines(rest, out.data(), room, breaks, marked, written);
      ASSERT_GT(taken, 0u) << "round " << round;
      ASSERT_LE(written, room) << "round " << round;
      for (std::size_t i = room; i < out.size(); ++i) ASSERT_EQ(out[i], kGuard) << "stored past the room";
      copy.append(out.data(), written);
      rest.remove_prefix(taken);
      taken_in_all += taken;
    }
    ASSERT_EQ(copy, expected) << "round " << round;
    if (marked == MarkedLines::kStopBefore && expected_taken < bytes.size()) {
      // Where the whole stretch is given, the copy stops at the same place.
      std::vector<char> out(2 * bytes.size() + kLineCopySlack);
      std::size_t written = 0;
      ASSERT_EQ(CopyLines(bytes, out.data(), out.size(), breaks, marked, written), expected_taken) << "round " << round;
      ASSERT_EQ(std::string(out.data(), written), expected) << "round " << round;
    }
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
