// The line file against the reference line rules: every way of reading a
// line, AtEnd between them, reads past the end and reading again from the
// start, on bytes whose lines cross the line file's block boundaries,
// handed over from memory in pieces of every size.
#include <cstdint>
#include <memory>
#include <string>

#include "block_spread.h"
#include "core/lines/line_file.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/compressed_samples.h"
#include "support/reference_lines.h"

namespace vendral::fuzz {
namespace {

enum class Read { kString, kIntoString, kView, kAtEndOnly };

// A fixed sequence of reading ways, picked by the input: the same input
// always reads the same way.
class ReadChoice {
 public:
  explicit ReadChoice(std::uint8_t seed) : state_(seed * 2654435761u + 1) {}
  Read Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<Read>(state_ % 4);
  }

 private:
  std::uint32_t state_;
};

// Reads the whole file through both readers, line by line, and returns
// how many lines there were.
std::size_t ReadAlongside(LineFile& file, std::string_view bytes, ReadChoice& choice) {
  testing::ReferenceLineReader reference(bytes);
  std::string reused;
  std::size_t lines = 0;
  // Past the end, every read must give an empty line and AtEnd stay true.
  int reads_past_end = 3;
  while (reads_past_end > 0) {
    const bool at_end = reference.AtEnd();
    if (at_end) --reads_past_end;
    const Read read = choice.Next();
    if (read == Read::kAtEndOnly) {
      RequireEqual("AtEnd", at_end ? "true" : "false", file.AtEnd() ? "true" : "false");
      continue;
    }
    const std::string expected = reference.ReadLine();
    if (!at_end) ++lines;
    switch (read) {
      case Read::kString: RequireEqual("ReadLine", expected, file.ReadLine()); break;
      case Read::kIntoString:
        file.ReadLine(reused);
        RequireEqual("ReadLine into a string", expected, reused);
        break;
      case Read::kView: RequireEqual("ReadLineView", expected, file.ReadLineView()); break;
      case Read::kAtEndOnly: break;
    }
  }
  return lines;
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  FuzzInput input(data, size);
  ReadChoice choice(input.Byte());
  // 0: the whole block at once, as a file gives it; else pieces, as a pipe.
  const std::size_t piece = input.Byte() * 61u;
  const std::string bytes = SpreadOverBlocks(input);
  const auto from_memory = [&] {
    return std::make_unique<vendral::testing::MemorySource>(bytes, piece == 0 ? SIZE_MAX : piece);
  };

  vendral::LineFile file("lines.txt");
  file.OpenForReading(from_memory());
  const std::size_t lines = ReadAlongside(file, bytes, choice);
  // Opening again starts again at the first line.
  file.OpenForReading(from_memory());
  Require(ReadAlongside(file, bytes, choice) == lines, "the same lines on the second reading");
  file.Close();
  return 0;
}
